// The tray icon driven as the notification area drives it: callback messages with the
// mouse message in lParam, timer ticks, the shell's broadcasts; the notification area
// itself is replaced by a recorder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/error.h"
#include "support/notifyrecorder.h"
#include "tray/trayicon.h"
#include "core/privatemessages.h"

namespace {
class FakeMenu : public PopupMenuSource {
public:
    bool AutoPopup() const override { return autoPopup; }
    void PopupAt(int, int) override { log->push_back("popup"); }
    bool ClickDefaultItem() override
    {
        log->push_back("default item");
        return true;
    }
    bool autoPopup = true;
    std::vector<std::string>* log = nullptr;
};

class FakeImages : public IconImages {
public:
    explicit FakeImages(int count) : m_count(count) {}
    int Count() const override { return m_count; }
    HICON MakeIcon(int index) const override
    {
        made.push_back(index);
        return CopyIcon(LoadIcon(nullptr, IDI_APPLICATION));
    }
    mutable std::vector<int> made;

private:
    int m_count;
};

class TrayIconTest : public testing::Test {
protected:
    void SetUp() override
    {
        tray = std::make_unique<TTrayIcon>(nullptr);
        menu.log = &log;
        tray->SetPopupMenu(&menu);
        tray->OnClick = [this](TTrayIcon&) { log.push_back("click"); };
        tray->OnDblClick = [this](TTrayIcon&) { log.push_back("dblclick"); };
        tray->OnMouseDown = [this](TTrayIcon&, TMouseButton b, TShiftState s, int, int) {
            log.push_back("down " + Name(b, s));
        };
        tray->OnMouseUp = [this](TTrayIcon&, TMouseButton b, TShiftState s, int, int) {
            log.push_back("up " + Name(b, s));
        };
        tray->OnMouseMove = [this](TTrayIcon&, TShiftState, int, int) { log.push_back("move"); };
    }
    static std::string Name(TMouseButton b, TShiftState s)
    {
        const bool flag = b == TMouseButton::mbLeft    ? (s & ssLeft)
                          : b == TMouseButton::mbRight ? (s & ssRight)
                                                       : (s & ssMiddle);
        std::string name = b == TMouseButton::mbLeft ? "left" : b == TMouseButton::mbRight ? "right" : "middle";
        return flag ? name : name + " without flag";
    }
    std::vector<std::string> Mouse(std::initializer_list<UINT> messages)
    {
        log.clear();
        for (UINT m : messages)
            SendMessageA(tray->MessageWindow(), kTrayCallbackMessage, 1, m);
        return log;
    }

    RecordingNotifyArea area;
    std::vector<std::string> log;
    FakeMenu menu;
    std::unique_ptr<TTrayIcon> tray;
};

using Log = std::vector<std::string>;
}  // namespace

TEST_F(TrayIconTest, RecordIsTheFirstFormWithAFixedIdentity)
{
    tray->UpdateTrayIcon();
    ASSERT_EQ(area.calls.size(), 1u);
    const NOTIFYICONDATAA& r = area.calls[0].record;
    EXPECT_EQ(r.cbSize, sizeof(void*) == 8 ? 104u : 88u);
    EXPECT_EQ(r.hWnd, tray->MessageWindow());
    EXPECT_EQ(r.uID, 1u);
    EXPECT_EQ(r.uFlags, 7u);
    EXPECT_EQ(r.uCallbackMessage, 2048u);
    EXPECT_EQ(area.calls[0].message, static_cast<DWORD>(NIM_MODIFY));
}

TEST_F(TrayIconTest, TipIsCutAt63CharactersAndEmptyWhenNotShown)
{
    const std::string hint(70, 'x');
    tray->SetShowHint(true);
    tray->SetHint(hint);
    const char* tip = area.calls.back().record.szTip;
    EXPECT_EQ(std::string(tip), hint.substr(0, 63));
    EXPECT_EQ(tip[63], '\0');

    tray->SetShowHint(false);
    const std::string hidden(area.calls.back().record.szTip, 64);
    EXPECT_EQ(hidden, std::string(64, '\0'));

    tray->SetShowHint(true);
    tray->SetHint("");
    EXPECT_EQ(std::string(area.calls.back().record.szTip, 64), std::string(64, '\0'));
}

TEST_F(TrayIconTest, IconIsAddedWhenLoadingEndsAndRemovedWithTheComponent)
{
    EXPECT_EQ(area.Count(NIM_ADD), 0);
    tray->Loaded();
    EXPECT_EQ(area.Count(NIM_ADD), 1);
    tray.reset();
    EXPECT_EQ(area.Count(NIM_DELETE), 1);
}

TEST_F(TrayIconTest, LeftPressOpensTheMenuOnlyWithLeftPopup)
{
    tray->SetLeftPopup(true);
    EXPECT_EQ(Mouse({WM_LBUTTONDOWN, WM_LBUTTONUP}), (Log{"down left", "popup", "click", "up left"}));
    EXPECT_EQ(Mouse({WM_LBUTTONDBLCLK}), (Log{"dblclick"}));

    tray->SetLeftPopup(false);
    EXPECT_EQ(Mouse({WM_LBUTTONDOWN, WM_LBUTTONUP}), (Log{"down left", "click", "up left"}));
    EXPECT_EQ(Mouse({WM_LBUTTONDBLCLK}), (Log{"dblclick", "default item"}));
}

TEST_F(TrayIconTest, RightPressAlwaysOpensTheMenuAndDoubleClicksOtherThanLeftDoNothing)
{
    tray->SetLeftPopup(false);
    EXPECT_EQ(Mouse({WM_RBUTTONDOWN, WM_RBUTTONUP}), (Log{"down right", "popup", "up right"}));
    EXPECT_EQ(Mouse({WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK}), Log{});
    EXPECT_EQ(Mouse({WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MOUSEMOVE}), (Log{"down middle", "up middle", "move"}));
}

TEST_F(TrayIconTest, ReleaseWithoutPressFiresOnlyMouseUp) { EXPECT_EQ(Mouse({WM_LBUTTONUP}), (Log{"up left"})); }

TEST_F(TrayIconTest, NothingHappensWhileDisabledOrWithoutAutomaticPopup)
{
    tray->SetEnabled(false);
    EXPECT_EQ(Mouse({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_LBUTTONDBLCLK}), Log{});

    tray->SetEnabled(true);
    tray->SetLeftPopup(true);
    menu.autoPopup = false;
    EXPECT_EQ(Mouse({WM_RBUTTONDOWN, WM_LBUTTONDOWN}), (Log{"down right", "down left"}));
}

TEST_F(TrayIconTest, AgreesToEndTheSession)
{
    EXPECT_EQ(SendMessageA(tray->MessageWindow(), WM_QUERYENDSESSION, 0, 0), 1);
}

TEST_F(TrayIconTest, IconIndexIsClampedToTheListAndZeroWithoutOne)
{
    FakeImages images(3);
    tray->SetIconList(&images);
    tray->SetIconIndex(5);
    EXPECT_EQ(tray->IconIndex(), 2);
    EXPECT_EQ(images.made.back(), 2);

    tray->Notification(&images);  // the list is going away
    EXPECT_EQ(tray->IconList(), nullptr);
    tray->SetIconIndex(5);
    EXPECT_EQ(tray->IconIndex(), 0);
}

TEST_F(TrayIconTest, CyclingShowsEachImageInTurnAndReportsTheNext)
{
    FakeImages images(3);
    std::vector<int32_t> next;
    tray->OnCycle = [&](TTrayIcon&, int32_t n) { next.push_back(n); };
    tray->SetIconList(&images);
    images.made.clear();
    for (int tick = 0; tick < 4; ++tick)
        SendMessageA(tray->MessageWindow(), WM_TIMER, 1, 0);
    EXPECT_EQ(images.made, (std::vector<int>{0, 1, 2, 0}));
    EXPECT_EQ(next, (std::vector<int32_t>{1, 2, 0, 1}));
}

TEST_F(TrayIconTest, CycleTimerRunsOnlyWithANonZeroInterval)
{
    FakeImages images(3);
    tray->SetIconList(&images);
    tray->SetCycleIcons(true);
    EXPECT_FALSE(KillTimer(tray->MessageWindow(), 1)) << "interval 0 must never step";
    tray->SetCycleInterval(250);
    EXPECT_TRUE(KillTimer(tray->MessageWindow(), 1));
}

TEST_F(TrayIconTest, ShellRestartAddsTheVisibleIconAgain)
{
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    tray->Loaded();
    SendMessageA(tray->MessageWindow(), taskbarCreated, 0, 0);
    EXPECT_EQ(area.Count(NIM_ADD), 2);

    tray->SetIconVisible(false);
    SendMessageA(tray->MessageWindow(), taskbarCreated, 0, 0);
    EXPECT_EQ(area.Count(NIM_ADD), 2);
}

TEST(TrayIcon, RefusesAnOwnerThatIsNoWindow)
{
    try {
        TTrayIcon tray(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234)));
        FAIL();
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "Invalid class typecast");
    }
}

TEST(TrayIcon, MinimisingHidesTheOwnerInTheTrayAndShowingRestoresIt)
{
    RecordingNotifyArea area;
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr, nullptr,
                                 nullptr);
    ASSERT_NE(owner, nullptr);
    {
        TTrayIcon tray(owner);
        tray.SetMinimizeToTray(true);
        tray.SetIconVisible(false);
        ShowWindow(owner, SW_SHOW);

        ShowWindow(owner, SW_MINIMIZE);
        EXPECT_FALSE(IsWindowVisible(owner));
        EXPECT_TRUE(tray.IconVisible());
        EXPECT_EQ(area.Count(NIM_ADD), 1);

        ShowWindow(owner, SW_SHOW);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        EXPECT_TRUE(IsWindowVisible(owner));
        EXPECT_FALSE(IsIconic(owner));
    }
    DestroyWindow(owner);
}
