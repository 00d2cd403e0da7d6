// A form that was left and comes back gives the keyboard focus to the control that had it.
#include "ui/toolkit.h"

#include <functional>

#include "ui/edit.h"

TEST_F(ToolkitTest, FocusReturnsToTheControlThatHadItWhenTheFormComesBack)
{
    TEdit first({host.Handle(), {8, 8, 120, 21}, "first"});
    TEdit second({host.Handle(), {8, 40, 120, 21}, "second"});
    FormArgs otherArgs;
    otherArgs.bounds = {300, 200, 200, 100};
    TForm other(otherArgs);
    struct Case {
        const char* away;
        std::function<void()> leave;
    };
    const Case cases[] = {
        {"hidden, as to the tray", [&] { host.Hide(); }},
        {"another window activated", [&] { other.Show(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.away);
        host.Show();
        SetFocus(second.Handle());
        c.leave();
        ASSERT_NE(GetFocus(), second.Handle());
        host.Show();
        EXPECT_EQ(GetForegroundWindow(), host.Handle());
        EXPECT_EQ(GetFocus(), second.Handle());
        other.Hide();
    }
}
