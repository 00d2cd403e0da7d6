// Which painted label names a field: by place (on its row to the left, else just above, a group's
// caption counting as a label above what it holds), or as set; the name without the access key's
// ampersand; and Alt with a label's access key moving the focus to the field it names.
#include "ui/toolkit.h"

#include <memory>
#include <string>

#include "ui/application.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/labelfor.h"

namespace {
class LabelForTest : public ToolkitTest {
protected:
    LabelForTest()
    {
        group = std::make_unique<TGroupBox>(GroupBoxArgs{&host, {200, 10, 180, 100}, "Gate&way"});
        // Field on the form, its label on the group, as the profile editor lays them out.
        left = std::make_unique<TLabel>(LabelArgs{&host, {10, 13, 0, 0}, "&Name:"});
        nameField = std::make_unique<TEdit>(EditArgs{&host, {80, 10, 100, 21}, ""});
        above = std::make_unique<TLabel>(LabelArgs{&host, {10, 50, 0, 0}, "Address && port"});
        addressField = std::make_unique<TEdit>(EditArgs{&host, {10, 66, 170, 21}, ""});
        below = std::make_unique<TLabel>(LabelArgs{&host, {10, 90, 0, 0}, "Below"});
        groupField = std::make_unique<TEdit>(EditArgs{group.get(), {10, 30, 150, 21}, ""});
        host.ShowChildren();
        host.Show();
    }
    std::unique_ptr<TGroupBox> group;
    std::unique_ptr<TLabel> left, above, below;
    std::unique_ptr<TEdit> nameField, addressField, groupField;
};
}  // namespace

TEST_F(LabelForTest, TheLabelBeforeAFieldNamesItOrTheOneSetForIt)
{
    EXPECT_EQ(LabelFor(*nameField), left.get()) << "on its row, to the left";
    EXPECT_EQ(LabelFor(*addressField), above.get()) << "just above, not the one below";
    EXPECT_EQ(LabelFor(*groupField), group.get()) << "the group's caption above what it holds";
    EXPECT_EQ(LabelNameFor(*nameField), "Name:");
    EXPECT_EQ(LabelNameFor(*addressField), "Address & port");
    EXPECT_EQ(LabelNameFor(*groupField), "Gateway");

    below->SetFocusControl(addressField.get());
    EXPECT_EQ(LabelFor(*addressField), below.get()) << "set where the place would name another";
    EXPECT_EQ(ControlNamedBy(*below, host), addressField.get());
    EXPECT_EQ(ControlNamedBy(*left, host), nameField.get());
}

TEST_F(LabelForTest, AltWithALabelsAccessKeyFocusesTheFieldItNames)
{
    struct Case {
        char key;
        HWND focused;  // afterwards
    };
    for (const Case& c :
         {Case{'N', nameField->Handle()}, Case{'w', groupField->Handle()}, Case{'q', addressField->Handle()}}) {
        SCOPED_TRACE(c.key);
        SetFocus(addressField->Handle());
        // Alt+key as the keyboard brings it to the focused field, through the forms' message loop.
        PostMessageA(addressField->Handle(), WM_SYSCHAR, static_cast<WPARAM>(c.key), LPARAM{1} << 29);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (TApplication::PreTranslate(message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        EXPECT_EQ(GetFocus(), c.focused);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST(AccessKeys, AreTheLetterAfterASingleAmpersand)
{
    struct Case {
        const char* caption;
        char key;
        const char* shown;
    };
    for (const Case& c : {Case{"&Ok", 'o', "Ok"}, Case{"Save &As", 'a', "Save As"}, Case{"R&&D", 0, "R&D"},
                          Case{"R&&&D", 'd', "R&D"}, Case{"Plain", 0, "Plain"}, Case{"End&", 0, "End"}}) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(AccessKeyOf(c.caption), c.key);
        EXPECT_EQ(WithoutAccessKeys(c.caption), c.shown);
    }
}
