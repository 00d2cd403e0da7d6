// A profile's shortcut key: kept in its section as text, set in the editor, registered with
// Windows while the program runs so that pressing it applies the profile; one another program
// holds is told.
#include "app/netconfig_fixture.h"
#include "profiles/hotkey.h"
#include "profiles/iprofile.h"
#include "profiles/profedit.h"
#include "support/editordriver.h"
#include "support/input.h"
#include "support/profiledata.h"
#include "support/tempfolder.h"

TEST(HotKeyText, ComesBackFromTheTextItIsStoredAs)
{
    const std::pair<HotKey, const char*> cases[] = {
        {{MOD_CONTROL | MOD_ALT, 'O'}, "Ctrl+Alt+O"},
        {{MOD_SHIFT, VK_F9}, "Shift+F9"},
        {{MOD_CONTROL, VK_F1}, "Ctrl+F1"},
        {{MOD_CONTROL | MOD_SHIFT, VK_F24}, "Ctrl+Shift+F24"},
        {{MOD_CONTROL | MOD_WIN, '7'}, "Ctrl+Win+7"},
        {{MOD_ALT, VK_ADD}, "Alt+0x6B"},
    };
    for (const auto& [hotKey, text] : cases) {
        EXPECT_EQ(HotKeyText(hotKey), text);
        EXPECT_EQ(HotKeyFromText(text), hotKey) << text;
    }
    for (const char* wrong : {"", "Ctrl+", "Ctrl+Ctrl+A", "Hyper+A", "Ctrl+AB", "F25", "0x00"})
        EXPECT_FALSE(HotKeyFromText(wrong)) << wrong;
    // The editor's control gives Ctrl, Alt and Shift in its own flags.
    const HotKey shown{MOD_CONTROL | MOD_SHIFT, 'K'};
    EXPECT_EQ(HotKeyFromControlValue(ControlValueOf(shown)), shown);
    EXPECT_FALSE(HotKeyFromControlValue(0));
}

namespace {
class HotKeyTest : public NetconfigTest {
protected:
    std::vector<std::string> Notifications() const
    {
        std::vector<std::string> shown;
        for (const NotifyCall& call : area.calls)
            if ((call.record.uFlags & NIF_INFO) != 0) shown.push_back(call.record.szInfoTitle);
        return shown;
    }
};
}  // namespace

TEST_F(HotKeyTest, TheKeySetInTheEditorIsStoredAndAppliesItsProfile)
{
    StartOnProfilesTab("[0]\r\nip=10.0.0.5\r\nmask=255.0.0.0\r\nname=Office\r\n"
                       "[1]\r\nip=192.168.1.10\r\nmask=255.255.255.0\r\nname=Home\r\nhotkey=Ctrl+Alt+H\r\n");
    EXPECT_EQ(ProfileAt(*ProfileList, 1).hotkey, "Ctrl+Alt+H");
    // The user gives Office a key in the editor.
    EditorDriver editor(Form2);
    editor.Open(
        &ProfileAt(*ProfileList, 0),
        {[&] { editor.Editor().HotKey1->SetValue(MAKEWORD('O', HOTKEYF_CONTROL | HOTKEYF_ALT)); }, editor.Ok()});
    form->Profiles->ShowEditedProfile(ProfileAt(*ProfileList, 0));
    EXPECT_EQ(ProfileAt(*ProfileList, 0).hotkey, "Ctrl+Alt+O");
    ASSERT_TRUE(SaveProfiles());
    const std::string stored = ReadFileBytes(StorePath());
    EXPECT_NE(stored.find("name=Office\r\ndhcp=0\r\nhotkey=Ctrl+Alt+O\r\n"), std::string::npos) << stored;

    // Both keys are Windows' now: another registration of them is refused.
    EXPECT_FALSE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, 'O'));
    // Pressed on the keyboard, whatever window has it, the key applies its profile.
    network.MutableAdapter(Wired)->ipAddresses = {L"10.9.9.9"};
    network.ClearCalls();
    INPUT keys[6]{};
    const WORD sequence[] = {VK_CONTROL, VK_MENU, 'H'};
    for (int i = 0; i < 3; ++i) {
        keys[i].type = keys[5 - i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = keys[5 - i].ki.wVk = sequence[i];
        keys[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    ASSERT_EQ(SendInput(6, keys, sizeof(INPUT)), 6u);
    application.ProcessMessages();
    Settle();
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses.front(), L"192.168.1.10");
    EXPECT_FALSE(network.Calls().empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(HotKeyTest, AKeyAnotherProgramHoldsIsToldOnce)
{
    ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, 'T'));
    StartOnProfilesTab("[0]\r\nip=10.0.0.5\r\nmask=255.0.0.0\r\nname=Office\r\nhotkey=Ctrl+Alt+T\r\n");
    UnregisterHotKey(nullptr, 7);
    EXPECT_EQ(Notifications(), std::vector<std::string>{"Shortcut key taken"});
    form->Profiles->ShowEditedProfile(ProfileAt(*ProfileList, 0));  // registered again: now free, and quiet
    EXPECT_EQ(Notifications().size(), 1u);
    EXPECT_FALSE(RegisterHotKey(nullptr, 8, MOD_CONTROL | MOD_ALT, 'T'));
}

// One key, one profile: the editor names the profile that has the key and does not take it; a
// store that gives one key to two profiles registers it for the first and says which share it.
TEST_F(HotKeyTest, AKeyOfAnotherProfileIsNotTakenAndAKeySharedInTheStoreIsTheFirsts)
{
    StartOnProfilesTab("[0]\r\nip=10.0.0.5\r\nmask=255.0.0.0\r\nname=Office\r\n"
                       "[1]\r\nip=192.168.1.10\r\nmask=255.255.255.0\r\nname=Home\r\nhotkey=Ctrl+Alt+H\r\n"
                       "[2]\r\nip=10.9.9.9\r\nmask=255.0.0.0\r\nname=Lab\r\nhotkey=Ctrl+Alt+H\r\n");
    EXPECT_EQ(Notifications(), std::vector<std::string>{"Shortcut key shared"});
    for (const NotifyCall& call : area.calls) {
        if ((call.record.uFlags & NIF_INFO) == 0) continue;
        EXPECT_NE(std::string(call.record.szInfo).find("Ctrl+Alt+H of \"Lab\" applies \"Home\""), std::string::npos)
            << call.record.szInfo;
    }
    EditorDriver editor(Form2);
    editor.Open(&ProfileAt(*ProfileList, 0),
                {[&] { editor.Editor().HotKey1->SetValue(MAKEWORD('H', HOTKEYF_CONTROL | HOTKEYF_ALT)); }, editor.Ok(),
                 editor.Cancel()});
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"Ctrl+Alt+H is the shortcut key of \"Home\": choose another, or none."});
    EXPECT_EQ(ProfileAt(*ProfileList, 0).hotkey, "");
}
