// The icon as the keyboard reaches it: version 4 is set on each add, and its selection and
// context-menu events, with the anchor point in wParam, do what the mouse does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/notifyrecorder.h"
#include "tray/trayicon.h"
#include "core/privatemessages.h"

namespace {
using Log = std::vector<std::string>;

class PointMenu : public PopupMenuSource {
public:
    bool AutoPopup() const override { return true; }
    void PopupAt(int x, int y) override { log->push_back("popup " + std::to_string(x) + "," + std::to_string(y)); }
    bool ClickDefaultItem() override { return true; }
    Log* log = nullptr;
};

struct KeyboardEvents {
    const char* name;
    bool leftPopup;
    std::vector<UINT> events;
    Log expected;  // "popup cursor" stands for the pointer's place
};

const POINT kAnchor{300, 700};

const KeyboardEvents kKeyboardEvents[] = {
    {"KeySelectOpensTheMenuAtTheIconAndClicks", true, {NIN_KEYSELECT}, {"popup 300,700", "click"}},
    {"KeySelectWithoutLeftPopupOnlyClicks", false, {NIN_KEYSELECT}, {"click"}},
    {"ContextMenuKeyOpensTheMenuAtTheIcon", false, {WM_CONTEXTMENU}, {"popup 300,700"}},
    {"MouseSelectionActsOnceOnTheButtonMessages",
     true,
     {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT},
     {"down", "popup cursor", "click", "up"}},
    {"RightClickOpensTheMenuOnceThoughTheContextMenuFollows",
     false,
     {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU},
     {"down", "popup cursor", "up"}},
    {"SelectionWithoutButtonMessagesActsAsAClick", true, {NIN_SELECT}, {"popup 300,700", "click"}},
};

void PrintTo(const KeyboardEvents& c, std::ostream* out) { *out << c.name; }

class TrayKeyboardTest : public testing::TestWithParam<KeyboardEvents> {
protected:
    TrayKeyboardTest()
    {
        menu.log = &log;
        tray.SetPopupMenu(&menu);
        tray.OnClick = [this](TTrayIcon&) { log.push_back("click"); };
        tray.OnMouseDown = [this](TTrayIcon&, TMouseButton, TShiftState, int, int) { log.push_back("down"); };
        tray.OnMouseUp = [this](TTrayIcon&, TMouseButton, TShiftState, int, int) { log.push_back("up"); };
    }
    // The callback as version 4 lays it out: event and icon id in lParam, anchor in wParam.
    Log Send(const std::vector<UINT>& events, WPARAM wParam)
    {
        log.clear();
        for (UINT event : events)
            SendMessageA(tray.MessageWindow(), kTrayCallbackMessage, wParam, MAKELPARAM(event, 1));
        return log;
    }
    static std::string CursorText()
    {
        POINT cursor{};
        GetCursorPos(&cursor);
        return "popup " + std::to_string(cursor.x) + "," + std::to_string(cursor.y);
    }

    RecordingNotifyArea area;
    Log log;
    PointMenu menu;
    TTrayIcon tray{nullptr};
};
}  // namespace

TEST_P(TrayKeyboardTest, EventsOfVersionFourDoWhatTheMouseDoes)
{
    const KeyboardEvents& c = GetParam();
    tray.Loaded();
    tray.SetLeftPopup(c.leftPopup);
    Log expected = c.expected;
    for (std::string& line : expected)
        if (line == "popup cursor") line = CursorText();
    EXPECT_EQ(Send(c.events, MAKEWPARAM(kAnchor.x, kAnchor.y)), expected);

    tray.SetEnabled(false);
    EXPECT_EQ(Send(c.events, MAKEWPARAM(kAnchor.x, kAnchor.y)), Log{});
}

INSTANTIATE_TEST_SUITE_P(TrayIcon, TrayKeyboardTest, testing::ValuesIn(kKeyboardEvents),
                         [](const testing::TestParamInfo<KeyboardEvents>& info) {
                             return std::string(info.param.name);
                         });

TEST(TrayIconVersion, IsSetToFourForTheIconOnEveryAdd)
{
    RecordingNotifyArea area;
    TTrayIcon tray(nullptr);
    EXPECT_TRUE(area.versions.empty()) << "no icon, no version";
    tray.Loaded();
    ASSERT_EQ(area.versions.size(), 1u);
    const NOTIFYICONDATAA& v = area.versions[0];
    EXPECT_EQ(v.uVersion, static_cast<UINT>(NOTIFYICON_VERSION_4));
    EXPECT_EQ(v.hWnd, tray.MessageWindow());
    EXPECT_EQ(v.uID, 1u);
    EXPECT_GE(v.cbSize, NOTIFYICONDATAA_V2_SIZE) << "uVersion lies beyond the first form";

    // A new taskbar holds the icon in its first version until told again.
    SendMessageA(tray.MessageWindow(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(area.versions.size(), 2u);
}

TEST(TrayIconVersion, AShellThatRefusesItKeepsTheFirstLayoutWithThePointerAsPlace)
{
    RecordingNotifyArea area;
    area.versionAnswer = FALSE;
    TTrayIcon tray(nullptr);
    Log log;
    PointMenu menu;
    menu.log = &log;
    tray.SetPopupMenu(&menu);
    tray.SetLeftPopup(true);
    tray.Loaded();
    // The first layout: the icon's id in wParam, the event in lParam.
    SendMessageA(tray.MessageWindow(), kTrayCallbackMessage, 1, NIN_KEYSELECT);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(log, Log{"popup " + std::to_string(cursor.x) + "," + std::to_string(cursor.y)});
}
