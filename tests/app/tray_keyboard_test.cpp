// The tray icon by keyboard on the main window: its selection and context-menu events open the
// tray menu, and after the menu the keyboard is back where the user was. With the profile
// editor open (the main window hidden and disabled under it), whatever closes the menu, the
// editor keeps the foreground and the next key typed lands in its field.
#include <string>
#include <vector>

#include "app/mainwindow.h"
#include "profiles/iprofile.h"
#include "profiles/profedit.h"
#include "support/editordriver.h"
#include "support/openmenu.h"
#include "support/traycallback.h"
#include "support/tempfolder.h"
#include "tray/trayicon.h"

namespace {
const char kTwoProfiles[] = "[0]\r\nip=10.0.0.1\r\nname=A\r\n[1]\r\nip=10.0.0.2\r\nname=B\r\n";

struct MenuWhileEditing {
    const char* name;
    UINT opening;            // the tray event that opens the menu
    std::vector<WORD> keys;  // what the user presses in it
};

// The tray menu: Apply Next Profile, Profiles, Open Configurator, About, Exit.
const MenuWhileEditing kMenusWhileEditing[] = {
    {"ClosedWithEscape", NIN_KEYSELECT, {VK_ESCAPE}},
    {"EditAnotherProfile", WM_CONTEXTMENU, {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}},
    {"OpenConfigurator", NIN_KEYSELECT, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}},
};

void PrintTo(const MenuWhileEditing& c, std::ostream* out) { *out << c.name; }

class TrayMenuWhileEditingTest : public MainWindowTest, public testing::WithParamInterface<MenuWhileEditing> {};
}  // namespace

TEST_P(TrayMenuWhileEditingTest, TheEditorKeepsTheKeyboard)
{
    const MenuWhileEditing& c = GetParam();
    WriteFileBytes(StorePath(), kTwoProfiles);
    form = &application.CreateForm<TForm1>([this] { return network.Services(); });
    Settle();
    ASSERT_FALSE(IsWindowVisible(form->Handle())) << "the program starts in the tray";
    EditorDriver editor{Form2};
    TForm2& dialog = editor.Editor();
    HWND foregroundBefore = nullptr, foregroundAfter = nullptr, activeAfter = nullptr, focusAfter = nullptr;
    bool menuSeen = false, menuLeftOpen = true;
    std::string title;
    // One step from the menu to the end: the steps' timer runs inside the menu's loop, and no
    // later step may act while the menu is open.
    const int result = editor.Open(FindProfile(0), {
                                                       [&] { foregroundBefore = GetForegroundWindow(); },
                                                       [&] {
                                                           OpenMenuWatch watch(PressingKeys(c.keys), 10, false);
                                                           SendTrayEvent(*form->TrayIcon1, c.opening);
                                                           menuSeen = watch.Seen();
                                                           menuLeftOpen = watch.LeftOpen();
                                                           HandleWaitingInput();  // the chosen command
                                                           foregroundAfter = GetForegroundWindow();
                                                           activeAfter = GetActiveWindow();
                                                           focusAfter = GetFocus();
                                                           TypeOnKeyboard(VK_END);
                                                           TypeOnKeyboard('Z');
                                                           HandleWaitingInput();
                                                           title = dialog.proftitle->Text();
                                                           Click(dialog.Button2->Handle());
                                                       },
                                                   });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(foregroundBefore, dialog.Handle());
    EXPECT_TRUE(menuSeen);
    EXPECT_FALSE(menuLeftOpen) << "the keys did not close the menu";
    EXPECT_EQ(foregroundAfter, dialog.Handle());
    EXPECT_EQ(activeAfter, dialog.Handle());
    EXPECT_EQ(focusAfter, dialog.proftitle->Handle());
    EXPECT_EQ(title, "Az") << "the typed key reaches the editor's field";
    EXPECT_EQ(editor.Runs(), 1) << "the tray's Edit... does not take over the open editor";
    EXPECT_TRUE(boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(TrayKeyboard, TrayMenuWhileEditingTest, testing::ValuesIn(kMenusWhileEditing),
                         [](const testing::TestParamInfo<MenuWhileEditing>& info) {
                             return std::string(info.param.name);
                         });
