// Menu commands chosen with the keyboard in the menu on the screen: Windows fills each submenu as
// it opens (WM_INITMENUPOPUP) and posts the chosen command once the menu has closed. WM_COMMAND
// carries a 16-bit id, fewer ids than the items of a long menu, so only the items of the menus
// being shown hold one.
#include "ui/toolkit.h"

#include <string>
#include <vector>

#include "support/input.h"
#include "support/openmenu.h"
#include "ui/menu.h"

namespace {
// "Profiles" with `count` entries, each with three commands that record their entry's tag.
struct ProfilesMenu {
    ProfilesMenu(HWND owner, int count) : menu({owner})
    {
        TMenuItem& profiles = menu.Items().Add("Profiles");
        for (int i = 0; i < count; ++i) {
            TMenuItem& entry = profiles.Add("Site " + std::to_string(i));
            entry.SetTag(i);
            for (const char* command : {"Activate", "Edit...", "Delete"})
                entry.Add(command).onClick = [this](TMenuItem& sender) {
                    chosen.push_back(sender.Caption() + " " + std::to_string(sender.Parent()->Tag()));
                };
        }
        menu.Items().Add("Exit");
    }
    TPopupMenu menu;
    std::vector<std::string> chosen;
};

struct KeyboardChoice {
    const char* name;
    int entries;
    std::vector<WORD> keys;
    const char* chosen;
};

const KeyboardChoice kKeyboardChoices[] = {
    {"SecondEntrysLastCommand", 3, {VK_DOWN, VK_RIGHT, VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}, "Delete 1"},
    // One entry's submenu opened and closed again, then another's: their shared submenu shows the second's.
    {"AnotherEntryAfterGoingBack",
     3,
     {VK_DOWN, VK_RIGHT, VK_RIGHT, VK_LEFT, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN},
     "Edit... 2"},
    // 40,000 items, listed in parts of a thousand; up from the first wraps to the last part,
    // and to its last entry.
    {"LastOfTenThousand", 10000, {VK_DOWN, VK_RIGHT, VK_UP, VK_RIGHT, VK_UP, VK_RIGHT, VK_RETURN}, "Activate 9999"},
};

void PrintTo(const KeyboardChoice& choice, std::ostream* out) { *out << choice.name; }

class KeyboardChoiceTest : public ToolkitTest, public testing::WithParamInterface<KeyboardChoice> {};
}  // namespace

TEST_P(KeyboardChoiceTest, ReachesTheChosenEntrysCommandAfterTheMenuClosed)
{
    const KeyboardChoice& c = GetParam();
    ProfilesMenu tray(host.Handle(), c.entries);
    const auto pressKeys = [&c](HWND menu) {
        for (WORD key : c.keys) {
            PostKey(menu, key, true);
            PostKey(menu, key, false);
        }
    };
    OpenMenuWatch watch(pressKeys, 10, false);
    tray.menu.Popup(100, 100);
    ASSERT_TRUE(watch.Seen());
    EXPECT_FALSE(watch.LeftOpen());
    EXPECT_TRUE(tray.chosen.empty()) << "the command is posted, not sent";
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    EXPECT_EQ(tray.chosen, std::vector<std::string>{c.chosen});
    EXPECT_TRUE(boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Menus, KeyboardChoiceTest, testing::ValuesIn(kKeyboardChoices),
                         [](const testing::TestParamInfo<KeyboardChoice>& info) {
                             return std::string(info.param.name);
                         });
