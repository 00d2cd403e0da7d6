// The error boundary: whatever a handler raises is shown in the standard error box and the
// Windows procedure that ran it returns normally.
#include "ui/toolkit.h"

#include <stdexcept>

#include "core/error.h"
#include "support/menus.h"
#include "ui/button.h"
#include "ui/menu.h"
#include "ui/subclass.h"
#include "ui/timer.h"

namespace {
void ExpectErrorBox(const RecordedBox& box, const std::string& text)
{
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, "Velmora");
    EXPECT_EQ(box.flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}
}  // namespace

TEST_F(ToolkitTest, ErrorInAControlHandlerIsShownAndTheControlWorksOn)
{
    TButton button({host.Handle(), {8, 8, 75, 25}, "Go"});
    int clicks = 0;
    button.onClick = [&] {
        ++clicks;
        RaiseError("Access violation at address 0");
    };
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(boxes.size(), 2u);
    ExpectErrorBox(boxes[0], "Access violation at address 0");
}

TEST_F(ToolkitTest, ErrorInAFormHandlerIsShownAndTheFormStays)
{
    host.onCloseQuery = [](bool&) { throw std::runtime_error("Disk full"); };
    host.Show();
    EXPECT_EQ(SendMessageA(host.Handle(), WM_CLOSE, 0, 0), 0);
    ASSERT_EQ(boxes.size(), 1u);
    ExpectErrorBox(boxes[0], "Disk full");
    EXPECT_TRUE(IsWindowVisible(host.Handle()));
}

TEST_F(ToolkitTest, ErrorOfNoKnownKindIsShownAsUnknown)
{
    host.onShow = [] { throw 42; };
    host.Show();
    ASSERT_EQ(boxes.size(), 1u);
    ExpectErrorBox(boxes[0], "Unknown error");
}

TEST_F(ToolkitTest, ErrorInAMenuCommandIsShown)
{
    TPopupMenu menu({host.Handle()});
    TMenuItem& item = menu.Items().Add("Fail");
    item.onClick = [](TMenuItem&) { RaiseError("Invalid variant operation"); };
    SendMessageA(host.Handle(), WM_COMMAND, MAKEWPARAM(OpenTo(menu, item, host.Handle()), 0), 0);
    ASSERT_EQ(boxes.size(), 1u);
    ExpectErrorBox(boxes[0], "Invalid variant operation");
}

TEST_F(ToolkitTest, ErrorInATimerIsShownAndTheTimerCanStop)
{
    TTimer timer;
    timer.onTimer = [&] {
        timer.SetEnabled(false);
        RaiseError("Tick failed");
    };
    timer.SetInterval(1);
    timer.SetEnabled(true);
    PumpUntil([&] { return !boxes.empty(); });
    ExpectErrorBox(boxes[0], "Tick failed");
    EXPECT_FALSE(timer.Enabled());
}

TEST_F(ToolkitTest, ErrorInASubclassIsShownAndTheSubclassGoesWithItsObject)
{
    class FailingWatch : public TSubclass {
    public:
        using TSubclass::TSubclass;
        int keys = 0;

    protected:
        bool KeyDown(WORD) override
        {
            ++keys;
            RaiseError("Key failed");
        }
    };
    TButton button({host.Handle(), {8, 8, 75, 25}, "Go"});
    auto watch = std::make_unique<FailingWatch>(button.Handle());
    EXPECT_EQ(SendMessageA(button.Handle(), WM_KEYDOWN, 'A', 0), 0);
    ASSERT_EQ(boxes.size(), 1u);
    ExpectErrorBox(boxes[0], "Key failed");
    EXPECT_EQ(watch->keys, 1);
    watch.reset();
    SendMessageA(button.Handle(), WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(boxes.size(), 1u);

    // A window destroyed first takes its subclass with it; the object then has nothing to undo.
    auto outlived = std::make_unique<FailingWatch>(button.Handle());
    DestroyWindow(button.Handle());
    EXPECT_EQ(outlived->Window(), nullptr);
}
