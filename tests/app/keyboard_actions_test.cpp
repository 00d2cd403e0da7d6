// Every action without a mouse: each tray menu entry chosen by keys in the menu the keyboard
// opened on the icon, and each button of the windows reached by Tab and pressed by Space.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/netconfig_fixture.h"
#include "profiles/iprofile.h"
#include "profiles/profedit.h"
#include "profiles/starttip.h"
#include "support/editordriver.h"
#include "support/openmenu.h"
#include "support/traycallback.h"
#include "support/timedsteps.h"
#include "support/welcomedriver.h"
#include "tray/trayicon.h"
#include "ui/linkfocus.h"

namespace {
const char kThree[] =
    "[0]\r\nip=10.0.0.1\r\nmask=255.255.255.0\r\nname=A\r\n[1]\r\nip=10.0.0.2\r\nmask=255.255.255.0\r\nname=B\r\n"
    "[2]\r\nip=10.0.0.3\r\nmask=255.255.255.0\r\nname=C\r\n";
using Texts = std::vector<std::string>;

// The tray menu: Apply Next Profile, Profiles (A, B, C: Activate, Edit..., Delete), Open
// Configurator, About, Exit.
constexpr WORD kDown = VK_DOWN, kRight = VK_RIGHT, kEnter = VK_RETURN;

class TrayEntryByKeysTest;
struct TrayEntry {
    const char* name;
    std::vector<WORD> keys;
    std::function<void(TrayEntryByKeysTest&)> expect;
};

class TrayEntryByKeysTest : public NetconfigTest, public testing::WithParamInterface<TrayEntry> {
public:
    std::vector<std::wstring> WiredAddresses() { return network.Adapter(Wired)->ipAddresses; }
    EditorDriver editor{Form2};
};

const TrayEntry kTrayEntries[] = {
    {"ApplyNextProfile",
     {kDown, kEnter},
     [](TrayEntryByKeysTest& t) {
         EXPECT_EQ(t.form->ActiveProfileIndex, 0);
         EXPECT_EQ(t.WiredAddresses(), std::vector<std::wstring>{L"10.0.0.1"});
     }},
    {"ProfileActivate",
     {kDown, kDown, kRight, kDown, kRight, kEnter},
     [](TrayEntryByKeysTest& t) {
         EXPECT_EQ(t.form->ActiveProfileIndex, 1);
         EXPECT_EQ(t.WiredAddresses(), std::vector<std::wstring>{L"10.0.0.2"});
     }},
    {"ProfileEdit",
     {kDown, kDown, kRight, kDown, kRight, kDown, kEnter},
     [](TrayEntryByKeysTest& t) {
         EXPECT_EQ(t.editor.Runs(), 1);
         EXPECT_EQ(t.editor.Editor().EditedProfile, FindProfile(1));
     }},
    {"ProfileDelete",
     {kDown, kDown, kRight, kDown, kRight, kDown, kDown, kEnter},
     [](TrayEntryByKeysTest& t) {
         EXPECT_EQ(t.ListCaptions(), (Texts{"A", "C"}));
     }},
    {"OpenConfigurator",
     {kDown, kDown, kDown, kEnter},
     [](TrayEntryByKeysTest& t) { EXPECT_TRUE(IsWindowVisible(t.form->Handle())); }},
    {"About",
     {kDown, kDown, kDown, kDown, kEnter},
     [](TrayEntryByKeysTest& t) {
         EXPECT_TRUE(IsWindowVisible(t.form->Handle()));
         EXPECT_EQ(t.SelectedTab(), TForm1::kAboutTab);
     }},
    {"Exit", {VK_UP, kEnter}, [](TrayEntryByKeysTest& t) { EXPECT_TRUE(t.application.Terminated()); }},
};

void PrintTo(const TrayEntry& c, std::ostream* out) { *out << c.name; }

}  // namespace

TEST_P(TrayEntryByKeysTest, IsChosenByKeysInTheMenuTheKeyboardOpened)
{
    const TrayEntry& c = GetParam();
    StartOnProfilesTab(kThree);
    form->ActiveProfileIndex = -1;
    form->Hide();
    editor.Script({editor.Cancel()});
    OpenMenuWatch watch(PressingKeys(c.keys), 10, false);
    SendTrayEvent(*form->TrayIcon1, NIN_KEYSELECT);
    ASSERT_TRUE(watch.Seen());
    EXPECT_FALSE(watch.LeftOpen()) << "the keys did not close the menu";
    Settle();
    c.expect(*this);
    EXPECT_TRUE(boxes.empty()) << testing::PrintToString(boxes.Texts());
}

INSTANTIATE_TEST_SUITE_P(Keyboard, TrayEntryByKeysTest, testing::ValuesIn(kTrayEntries),
                         [](const testing::TestParamInfo<TrayEntry>& info) { return std::string(info.param.name); });

namespace {
// Reaches `control` by Tab from the window's first stop and presses `key` there; true when
// `onClick` came once. Its own action is another test's: here it only counts.
bool TabAndPress(HWND window, HWND control, std::function<void()>& onClick, WORD key)
{
    int clicks = 0;
    auto action = std::exchange(onClick, [&clicks] { ++clicks; });
    SetFocus(GetNextDlgTabItem(window, nullptr, FALSE));
    const bool reached = TabTo(control);
    if (reached) PressInFocus(key);
    onClick = std::move(action);
    return reached && clicks == 1;
}

bool TabAndSpace(HWND window, TButton& button)
{
    return TabAndPress(window, button.Handle(), button.onClick, VK_SPACE);
}

using ButtonsByKeyboardTest = NetconfigTest;
}  // namespace

TEST_F(ButtonsByKeyboardTest, EachButtonOfTheMainWindowIsReachedByTabAndPressedBySpace)
{
    StartOnProfilesTab(kThree);
    struct Case {
        int tab;
        TButton* button;
    };
    for (const Case& c :
         {Case{TForm1::kGeneralTab, form->Button4.get()}, Case{TForm1::kProfilesTab, form->Button3.get()},
          Case{TForm1::kProfilesTab, form->Button2.get()}, Case{TForm1::kAboutTab, form->Button1.get()}}) {
        SCOPED_TRACE(c.button->Text());
        SelectTab(c.tab);
        EXPECT_TRUE(TabAndSpace(form->Handle(), *c.button));
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ButtonsByKeyboardTest, EachLinkIsReachedByTabAndFollowedByEnterOrSpace)
{
    StartOnProfilesTab(kThree);
    // The tabs are built as they are first shown: the links are taken once their tab is.
    struct Case {
        int tab;
        std::function<TLinkLabel&()> link;
    };
    for (const Case& c : {Case{TForm1::kNetworkConfigurationTab, [&]() -> TLinkLabel& { return *form->Label22; }},
                          Case{TForm1::kProfilesTab, [&]() -> TLinkLabel& { return *form->Profiles->Label12; }},
                          Case{TForm1::kAboutTab, [&]() -> TLinkLabel& { return *form->Label7; }},
                          Case{TForm1::kAboutTab, [&]() -> TLinkLabel& { return *form->Label8; }}}) {
        SelectTab(c.tab);
        TLinkLabel& link = c.link();
        SCOPED_TRACE(link.Text());
        for (WORD key : {VK_RETURN, VK_SPACE})
            EXPECT_TRUE(TabAndPress(form->Handle(), link.FocusWindow().Handle(), link.onClick, key));
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ButtonsByKeyboardTest, EachButtonOfTheEditorAndTheWelcomeIsReachedByTabAndPressedBySpace)
{
    WelcomeDriver welcome{application};
    std::vector<std::string> pressed;
    std::optional<TimedSteps> steps;
    welcome.answer = [&](TForm4& dialog) {
        steps.emplace(std::vector<Step>{[&] {
                                            for (TButton* button : {dialog.Button1.get(), dialog.Button2.get()})
                                                if (TabAndSpace(dialog.Handle(), *button))
                                                    pressed.push_back(button->Text());
                                        },
                                        [&] { PostMessageA(dialog.Button1->Handle(), BM_CLICK, 0, 0); }});
    };
    Create();
    EditorDriver driver{Form2};
    TForm2& editor = driver.Editor();
    TListItems list;
    Tprofile& profile = AppendNewProfile(list);
    driver.Open(&profile,
                {[&] {
                     for (TButton* button : {editor.Button3.get(), editor.Button1.get(), editor.Button2.get()})
                         if (TabAndSpace(editor.Handle(), *button)) pressed.push_back(button->Text());
                 },
                 driver.Cancel()});
    EXPECT_EQ(pressed, (Texts{"Close", "&Create New Profile", "&Get System Settings", "Ok", "Cancel"}));
    EXPECT_TRUE(boxes.empty());
}

namespace {
// The Profiles list's keys for what the toolbar's buttons and the refresh link do: neither
// takes the focus.
struct ListKey {
    const char* name;
    WORD key;
    std::function<void(class ListKeyTest&)> expect;
};

class ListKeyTest : public NetconfigTest, public testing::WithParamInterface<ListKey> {
public:
    size_t Queries() const { return QueryCount(); }
    EditorDriver editor{Form2};
    size_t queriesBefore = 0;
};

const ListKey kListKeys[] = {
    {"InsertMakesANewProfile", VK_INSERT,
     [](ListKeyTest& t) {
         EXPECT_EQ(t.editor.Runs(), 1);
         EXPECT_EQ(t.editor.Editor().EditedProfile->id, 3) << "a new profile after the three";
     }},
    {"F2EditsTheSelectedProfile", VK_F2,
     [](ListKeyTest& t) {
         EXPECT_EQ(t.editor.Runs(), 1);
         EXPECT_EQ(t.editor.Editor().EditedProfile, FindProfile(1));
     }},
    {"DeleteRemovesTheSelectedProfile", VK_DELETE,
     [](ListKeyTest& t) {
         EXPECT_EQ(t.ListCaptions(), (Texts{"A", "C"}));
     }},
    {"F5RefreshesTheNetworkDetails", VK_F5, [](ListKeyTest& t) { EXPECT_GT(t.Queries(), t.queriesBefore); }},
};

void PrintTo(const ListKey& c, std::ostream* out) { *out << c.name; }
}  // namespace

TEST_P(ListKeyTest, DoesWhatTheButtonDoes)
{
    const ListKey& c = GetParam();
    StartOnProfilesTab(kThree);
    editor.Script({editor.Cancel()});
    SetSelected(1);
    SetFocus(List());
    queriesBefore = QueryCount();
    PressInFocus(c.key);
    Settle();
    c.expect(*this);
    EXPECT_TRUE(boxes.empty()) << testing::PrintToString(boxes.Texts());
}

INSTANTIATE_TEST_SUITE_P(ProfilesList, ListKeyTest, testing::ValuesIn(kListKeys),
                         [](const testing::TestParamInfo<ListKey>& info) { return std::string(info.param.name); });
