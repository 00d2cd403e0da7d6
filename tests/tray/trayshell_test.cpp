// The icon against a shell that is not always ready: a notification area that refuses the
// first NIM_ADD (started from the Run key at logon), one that takes the icon but fails the
// call, and the message filter that lets an elevated program hear that the taskbar is back.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "support/notifyrecorder.h"
#include "tray/trayicon.h"

namespace {
// A notification area that holds at most our one icon and answers as the shell does: an icon
// is added once, and only one that is there can be changed or removed.
struct ScriptedShell {
    bool ready = false;
    bool failsWhileTaking = false;  // busy: it takes the icon, but the call times out
    bool holds = false;

    BOOL Answer(DWORD message)
    {
        if (!ready) return FALSE;
        const bool held = holds;
        switch (message) {
        case NIM_ADD: holds = true; return !held && !failsWhileTaking;
        case NIM_MODIFY: return held;
        case NIM_DELETE: holds = false; return held;
        default: return FALSE;
        }
    }
};

class TrayShellTest : public testing::Test {
protected:
    TrayShellTest()
    {
        area.answer = [this](DWORD message) { return shell.Answer(message); };
        tray = std::make_unique<TTrayIcon>(nullptr);
    }
    // True when the retry timer was running (it is stopped by asking).
    bool RetryTimerRan() { return KillTimer(tray->MessageWindow(), TTrayIcon::kAddRetryTimerId) != FALSE; }
    void RetryTick() { SendMessageA(tray->MessageWindow(), WM_TIMER, TTrayIcon::kAddRetryTimerId, 0); }
    void TaskbarCreated() { SendMessageA(tray->MessageWindow(), RegisterWindowMessageA("TaskbarCreated"), 0, 0); }

    ScriptedShell shell;
    RecordingNotifyArea area;
    std::unique_ptr<TTrayIcon> tray;
};
}  // namespace

TEST_F(TrayShellTest, AnIconTheShellRefusedIsAddedOnALaterTryWithTheCurrentTip)
{
    struct Case {
        const char* laterTry;
        std::function<void()> offer;
    };
    const Case cases[] = {{"the timer", [this] { RetryTick(); }}, {"TaskbarCreated", [this] { TaskbarCreated(); }}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.laterTry);
        tray = std::make_unique<TTrayIcon>(nullptr);
        shell = {};
        tray->Loaded();
        EXPECT_FALSE(tray->IconVisible());

        // Still not ready at the next tick: the icon stays wanted.
        RetryTick();
        EXPECT_FALSE(tray->IconVisible());
        EXPECT_TRUE(RetryTimerRan());

        tray->SetShowHint(true);
        tray->SetHint("VMR. IP:10.0.0.5 ");
        shell.ready = true;
        c.offer();
        EXPECT_TRUE(tray->IconVisible());
        EXPECT_EQ(area.calls.back().message, static_cast<DWORD>(NIM_ADD));
        EXPECT_STREQ(area.calls.back().record.szTip, "VMR. IP:10.0.0.5 ");
        EXPECT_FALSE(RetryTimerRan());
    }
}

TEST_F(TrayShellTest, AnIconTheBusyShellTookThoughTheCallFailedCountsAsThere)
{
    shell.ready = true;
    shell.failsWhileTaking = true;
    tray->Loaded();
    EXPECT_TRUE(tray->IconVisible());
    EXPECT_FALSE(RetryTimerRan());
    EXPECT_EQ(area.Count(NIM_ADD), 1);
}

TEST_F(TrayShellTest, AHiddenIconIsNotOfferedAgain)
{
    tray->Loaded();
    tray->SetIconVisible(false);
    EXPECT_FALSE(RetryTimerRan());
    shell.ready = true;
    RetryTick();
    TaskbarCreated();
    EXPECT_EQ(area.Count(NIM_ADD), 1);
    EXPECT_FALSE(shell.holds);
}

TEST(TrayIconMessageFilter, LetsTaskbarCreatedThroughToTheWindowThatReceivesIt)
{
    std::vector<std::tuple<HWND, UINT, DWORD>> calls;
    const auto previous = TTrayIcon::SetMessageFilter([&](HWND window, UINT message, DWORD action) {
        calls.emplace_back(window, message, action);
        return TRUE;
    });
    {
        TTrayIcon tray(nullptr);
        EXPECT_EQ(calls, (std::vector<std::tuple<HWND, UINT, DWORD>>{
                             {tray.MessageWindow(), RegisterWindowMessageA("TaskbarCreated"), MSGFLT_ALLOW}}));
    }
    TTrayIcon::SetMessageFilter(previous);
}
