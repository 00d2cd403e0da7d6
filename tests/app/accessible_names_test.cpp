// What a screen reader reads for each control that takes input, through the accessibility
// interfaces: a field, list or grid is named by the painted label or group caption that stands
// before it, a button or box by its own caption. The main window's four tabs, the profile editor
// and the welcome dialog; the tray's tip and menu are Windows' own and read as any program's.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/mainwindow.h"
#include "profiles/profedit.h"
#include "profiles/starttip.h"
#include "support/editordriver.h"
#include "support/profiledata.h"
#include "support/screenreader.h"
#include "support/welcomedriver.h"
#include "ui/labelfor.h"
#include "ui/linkfocus.h"

namespace {
struct NamedControl {
    HWND control;
    std::string label;  // the text that stands before it
};

// Every shown input control of `window` has a name, and those of `named` the text of their label.
void ExpectNames(HWND window, const std::vector<NamedControl>& named)
{
    for (const NamedControl& c : named) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(IsWindowVisible(c.control));
        EXPECT_EQ(AccessibleName(c.control), c.label);
    }
    const std::vector<HWND> inputs = InputControls(window);
    EXPECT_FALSE(inputs.empty());
    for (HWND control : inputs) {
        char className[64]{};
        GetClassNameA(control, className, sizeof className);
        const std::string name = AccessibleName(control);
        EXPECT_TRUE(!name.empty() && name[0] != '<') << className << " " << control << " reads \"" << name << "\"";
    }
}

// As shown and read: without the access key's ampersand.
std::string Text(const TBaseControl& label) { return WithoutAccessKeys(label.Text()); }

using AccessibleNamesTest = MainWindowTest;
}  // namespace

TEST_F(AccessibleNamesTest, EveryInputOfEachMainWindowTabIsNamed)
{
    StartOnProfilesTab("[0]\r\nip=10.0.0.1\r\nname=A\r\n");
    TForm1& f = *form;
    struct Tab {
        int index;
        std::function<std::vector<NamedControl>()> named;
    };
    const Tab tabs[] = {
        {TForm1::kNetworkConfigurationTab,
         [&] {
             // The selector's field, where its focus lies, reads the selector's name.
             const HWND field = FindWindowExA(f.ComboBox1->Handle(), nullptr, "Edit", nullptr);
             return std::vector<NamedControl>{{f.ComboBox1->Handle(), Text(*f.GroupBox1)},
                                              {field, Text(*f.GroupBox1)},
                                              {f.proplist->Handle(), Text(*f.GroupBox1)}};
         }},
        {TForm1::kGeneralTab,
         [&] {
             return std::vector<NamedControl>{{f.Edit1->Handle(), Text(*f.Label2)}};
         }},
        {TForm1::kProfilesTab,
         [&] {
             return std::vector<NamedControl>{{f.Profiles->ListView1->Handle(), Text(*f.Profiles->GroupBox8)},
                                              {f.Profiles->ValueListEditor2->Handle(), Text(*f.Profiles->GroupBox3)},
                                              {f.Profiles->ValueListEditor1->Handle(), Text(*f.Profiles->GroupBox4)}};
         }},
        {TForm1::kAboutTab,
         [&] {
             // A link reads its own words.
             return std::vector<NamedControl>{{f.Label7->FocusWindow().Handle(), Text(*f.Label7)},
                                              {f.Label8->FocusWindow().Handle(), Text(*f.Label8)}};
         }},
    };
    for (const Tab& tab : tabs) {
        SCOPED_TRACE(tab.index);
        SelectTab(tab.index);
        ExpectNames(f.Handle(), tab.named());
    }
    EXPECT_EQ(AccessibleName(f.Edit1->Handle()), "Profiles .INI");
}

TEST(AccessibleNames, EveryFieldOfTheProfileEditorIsNamedByItsLabel)
{
    TListItems list;
    TForm2 editor(nullptr);
    EditorDriver driver(editor);
    Tprofile& profile = AppendCaptioned(list, {"10.0.0.1", "", "", "", "", "Lab", false});
    bool read = false;
    driver.Open(&profile, {[&] {
                               ExpectNames(editor.Handle(), {{editor.proftitle->Handle(), Text(*editor.GroupBox3)},
                                                             {editor.ip->Handle(), Text(*editor.Label1)},
                                                             {editor.mask->Handle(), Text(*editor.Label2)},
                                                             {editor.gw->Handle(), Text(*editor.Label3)},
                                                             {editor.dns1->Handle(), Text(*editor.Label4)},
                                                             {editor.dns2->Handle(), Text(*editor.Label5)},
                                                             {editor.HotKey1->Handle(), Text(*editor.HotKeyLabel)}});
                               EXPECT_EQ(AccessibleName(editor.dns2->Handle()), "Secondary DNS server:");
                               read = true;
                           },
                           driver.Cancel()});
    EXPECT_TRUE(read);
}

TEST_F(AccessibleNamesTest, TheWelcomeDialogsBoxAndButtonsReadTheirCaptions)
{
    WelcomeDriver driver{application};
    bool read = false;
    driver.answer = [&](TForm4& welcome) {
        welcome.Show();
        ExpectNames(welcome.Handle(), {});
        EXPECT_EQ(AccessibleName(welcome.CheckBox1->Handle()), Text(*welcome.CheckBox1));
        EXPECT_EQ(AccessibleName(welcome.Button2->Handle()), "Create New Profile");
        read = true;
        PostMessageA(welcome.Button1->Handle(), BM_CLICK, 0, 0);
    };
    Create();
    EXPECT_TRUE(read);
}

TEST_F(AccessibleNamesTest, TheTrayMenuIsPlainTextThatReadersRead)
{
    Create();
    // Owner-drawn entries would read as nothing; Windows reads string entries itself.
    const HMENU menu = form->PopupMenu1->OpeningMenu();
    ASSERT_GT(GetMenuItemCount(menu), 0);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item);
        EXPECT_EQ(item.fType & MFT_OWNERDRAW, 0u) << i;
    }
    EXPECT_EQ(Captions(TrayMenu()).front(), "Apply Next Profile");
    EXPECT_EQ(ShownTip(), "V.M.R.");
}
