// Each window's access keys (the letters its captions mark with "&": labels, group captions,
// buttons, check boxes and tabs) are unique within the window, so each key reaches one place,
// and Alt with the key takes the keyboard there: to the field a label or group names, or presses
// the button.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/mainwindow.h"
#include "profiles/iprofile.h"
#include "profiles/profedit.h"
#include "profiles/starttip.h"
#include "support/editordriver.h"
#include "support/input.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/listview.h"
#include "ui/valuelist.h"
#include "ui/label.h"
#include "ui/labelfor.h"
#include "ui/pagecontrol.h"

namespace {
// The captions of `window` and of all it holds, painted or windowed.
void CollectCaptions(const TWinControl& window, std::vector<std::string>& captions)
{
    for (const TGraphicControl* graphic : window.GraphicChildren()) {
        if (dynamic_cast<const TLabel*>(graphic) != nullptr) captions.push_back(graphic->Text());
    }
    for (TWinControl* child : window.WindowedChildren()) {
        if (auto* pages = dynamic_cast<TPageControl*>(child)) {
            for (int i = 0; i < pages->PageCount(); ++i)
                captions.push_back(pages->Page(i).Caption());
        }
        char className[32]{};
        if (child->HandleAllocated()) GetClassNameA(child->Handle(), className, sizeof className);
        if (_stricmp(className, "Button") == 0) captions.push_back(child->Text());
        CollectCaptions(*child, captions);
    }
}

// The captions that share an access key, by key; empty when every key is unique.
std::map<char, std::vector<std::string>> SharedKeys(const TWinControl& window)
{
    std::vector<std::string> captions;
    CollectCaptions(window, captions);
    std::map<char, std::vector<std::string>> byKey;
    for (const std::string& caption : captions) {
        if (const char key = AccessKeyOf(caption)) byKey[key].push_back(caption);
    }
    std::erase_if(byKey, [](const auto& entry) { return entry.second.size() < 2; });
    return byKey;
}

using AccessKeysTest = MainWindowTest;
}  // namespace

TEST_F(AccessKeysTest, AreUniqueInEachWindow)
{
    StartOnProfilesTab("[0]\r\nip=10.0.0.1\r\nname=A\r\n");
    TForm4 welcome;
    welcome.ShowChildren();
    const std::pair<const char*, TWinControl*> windows[] = {
        {"main window", form}, {"profile editor", Form2}, {"welcome dialog", &welcome}};
    for (const auto& [name, window] : windows) {
        SCOPED_TRACE(name);
        window->ShowChildren();  // the controls are made when first shown
        EXPECT_TRUE(SharedKeys(*window).empty()) << testing::PrintToString(SharedKeys(*window));
    }
}

namespace {
struct KeyCase {
    int tab;  // of the main window; -1 in the editor
    char key;
    std::function<TWinControl&()> control;
};

// Alt and `key` in the window that has the focus: the field it names takes the focus, or the
// button it marks is pressed. True when it went where it should.
bool AltKeyReaches(char key, TWinControl& control)
{
    auto* button = dynamic_cast<TButton*>(&control);
    int clicks = 0;
    std::function<void()> action;
    if (button != nullptr) action = std::exchange(button->onClick, [&clicks] { ++clicks; });
    PostMessageA(GetFocus(), WM_SYSCHAR, static_cast<WPARAM>(key), LPARAM{1} << 29);
    HandleWaitingInput();
    // A combo box's field is a window inside it.
    if (button == nullptr) return GetFocus() == control.Handle() || IsChild(control.Handle(), GetFocus());
    button->onClick = std::move(action);
    return clicks == 1;
}
}  // namespace

TEST_F(AccessKeysTest, AltWithEachKeyReachesItsFieldOrPressesItsButton)
{
    StartOnProfilesTab("[0]\r\nip=10.0.0.1\r\nname=A\r\n");
    TForm1& f = *form;
    const KeyCase mainWindow[] = {
        {TForm1::kNetworkConfigurationTab, 'n', [&]() -> TWinControl& { return *f.ComboBox1; }},
        {TForm1::kGeneralTab, 'r', [&]() -> TWinControl& { return *f.Edit1; }},
        {TForm1::kGeneralTab, 'b', [&]() -> TWinControl& { return *f.Button4; }},
        {TForm1::kProfilesTab, 'o', [&]() -> TWinControl& { return *f.Profiles->ListView1; }},
        {TForm1::kProfilesTab, 'u', [&]() -> TWinControl& { return *f.Profiles->ValueListEditor2; }},
        {TForm1::kProfilesTab, 'e', [&]() -> TWinControl& { return *f.Profiles->SpeedButton2; }},
        {TForm1::kAboutTab, 'a', [&]() -> TWinControl& { return *f.Button1; }},
    };
    for (const KeyCase& c : mainWindow) {
        SCOPED_TRACE(c.key);
        SelectTab(c.tab);
        SetFocus(GetNextDlgTabItem(f.Handle(), nullptr, FALSE));
        EXPECT_TRUE(AltKeyReaches(c.key, c.control()));
    }

    EditorDriver driver{Form2};
    TForm2& editor = driver.Editor();
    const KeyCase inEditor[] = {
        {-1, 'i', [&]() -> TWinControl& { return *editor.ip; }},
        {-1, 'k', [&]() -> TWinControl& { return *editor.HotKey1; }},
        {-1, 'p', [&]() -> TWinControl& { return *editor.proftitle; }},
        {-1, 'g', [&]() -> TWinControl& { return *editor.Button3; }},
    };
    std::vector<char> missed;
    TListItems list;
    Tprofile& profile = AppendNewProfile(list);
    profile.ip = "10.0.0.5";
    driver.Open(&profile, {[&] {
                               for (const KeyCase& c : inEditor)
                                   if (!AltKeyReaches(c.key, c.control())) missed.push_back(c.key);
                           },
                           driver.Cancel()});
    EXPECT_TRUE(missed.empty()) << std::string(missed.begin(), missed.end());
}
