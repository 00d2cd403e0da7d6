// Errors that Windows repeats: a paint or a timer that keeps failing shows one error box, from
// the message loop after the callback, never a box from inside the callback and never one box
// on top of another, also while the box's own loop runs the failing callback again.
#include "ui/toolkit.h"

#include "core/error.h"
#include "support/boxes.h"
#include "ui/button.h"
#include "ui/subclass.h"
#include "ui/timer.h"

namespace {
// Handles what is waiting now, as a modal loop does between a user's actions.
void HandleWaitingMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Handles messages until `done` holds, waiting for each.
template <typename Done>
void HandleMessagesUntil(Done done)
{
    MSG message;
    while (!done() && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// A control whose paint fails while `failing` holds; it starts painted, not failing.
class FailingPaint : public TSubclass {
public:
    explicit FailingPaint(HWND window) : TSubclass(window) { HandleWaitingMessages(); }
    int paints = 0;
    bool failing = false;
    std::string text = "Canvas does not allow drawing";

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_PAINT || !failing) return TSubclass::HandleMessage(message, wParam, lParam);
        ++paints;
        ValidateRect(Window(), nullptr);
        RaiseError(text);
    }
};

// Paints the control now, as Windows does when it is uncovered.
void Repaint(HWND control)
{
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
}
}  // namespace

TEST_F(ToolkitTest, APaintThatKeepsFailingShowsOneBoxAfterThePaint)
{
    host.Show();
    TButton button({host.Handle(), {8, 8, 75, 25}, "Go"});
    FailingPaint paint(button.Handle());
    paint.failing = true;
    MessageBoxRecorder recorder;
    int paintsWhileShown = 0;
    recorder.whileShown = [&](const ShownBox&) {
        // The box's own loop paints the control again and again while the box is up.
        for (int i = 0; i < 3; ++i) {
            Repaint(button.Handle());
            HandleWaitingMessages();
        }
        paintsWhileShown = paint.paints;
    };

    Repaint(button.Handle());
    EXPECT_EQ(paint.paints, 1);
    EXPECT_TRUE(recorder.empty()) << "shown from inside the paint";
    HandleMessagesUntil([&] { return !recorder.empty(); });
    paint.failing = false;
    HandleWaitingMessages();

    EXPECT_GE(paintsWhileShown, 4);
    ASSERT_EQ(recorder.size(), 1u);
    EXPECT_EQ(recorder[0].text, "Canvas does not allow drawing");
    EXPECT_EQ(recorder[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    // Once its box is closed, the fault is told again should it come back.
    paint.failing = true;
    Repaint(button.Handle());
    paint.failing = false;
    HandleWaitingMessages();
    EXPECT_EQ(recorder.size(), 2u);
}

TEST_F(ToolkitTest, ATimerThatKeepsFailingShowsOneBox)
{
    MessageBoxRecorder recorder;
    TTimer timer;
    int ticks = 0;
    timer.onTimer = [&] {
        ++ticks;
        RaiseError("Tick failed");
    };
    int ticksWhileShown = 0;
    recorder.whileShown = [&](const ShownBox&) {
        const int shownAt = ticks;
        HandleMessagesUntil([&] { return ticks >= shownAt + 3; });
        ticksWhileShown = ticks - shownAt;
        timer.SetEnabled(false);
    };
    timer.SetInterval(1);
    timer.SetEnabled(true);
    HandleMessagesUntil([&] { return !recorder.empty(); });
    HandleWaitingMessages();

    EXPECT_EQ(ticksWhileShown, 3);
    EXPECT_EQ(recorder.Texts(), std::vector<std::string>{"Tick failed"});
}

// Another fault while a box is up waits for that box to close: boxes come one after another.
TEST_F(ToolkitTest, AnErrorWhileABoxIsUpIsShownAfterIt)
{
    host.Show();
    TButton button({host.Handle(), {8, 8, 75, 25}, "Go"});
    FailingPaint paint(button.Handle());
    button.onClick = [] { RaiseError("Access violation at address 0"); };
    MessageBoxRecorder recorder;
    recorder.whileShown = [&](const ShownBox& box) {
        if (box.text != "Access violation at address 0") return;
        paint.failing = true;
        Repaint(button.Handle());
        paint.failing = false;
        HandleWaitingMessages();
        // The click's box is still up, and a second click's error is that same one.
        SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    };

    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    HandleMessagesUntil([&] { return recorder.size() >= 2; });
    HandleWaitingMessages();

    EXPECT_EQ(recorder.Texts(),
              (std::vector<std::string>{"Access violation at address 0", "Canvas does not allow drawing"}));
    EXPECT_EQ(recorder.MostAtOnce(), 1u);
}
