// The profile editor dialog run modally and used as a person would: its layout and keyboard
// order, filling from the profile, typing, the title in the caption, and how each way of
// closing it writes the profile or leaves it alone.
#include <windows.h>

#include "profiles/inifile.h"
#include "profiles/iprofile.h"
#include "support/boxes.h"
#include "support/editordriver.h"
#include "support/profiledata.h"
#include "editortest.h"

namespace {
const ProfileData kOffice = {"192.168.1.10", "255.255.255.0", "192.168.1.1", "192.168.1.1", "", "Office", false};

// Where a control lies in the client area of another window.
Bounds PlaceIn(HWND control, HWND holder)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, holder, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

std::string Caption(HWND window)
{
    char text[256]{};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

}  // namespace

TEST_F(EditorTest, ControlsLieWhereTheirHoldersPutThem)
{
    // The fields and mode buttons are children of the tab strip's page, placed from places
    // given relative to the tab strip and its groups: those are the ones worth checking.
    RECT client;
    GetClientRect(editor.Handle(), &client);
    EXPECT_EQ(client.right, 305);
    EXPECT_EQ(client.bottom, 507);  // the shortcut key's and the location's rows above the buttons
    EXPECT_EQ(GetWindowLongPtrA(editor.Handle(), GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    const HWND tabs = editor.TabControl1->Handle();
    const HWND group1 = editor.GroupBox1->Handle();
    const HWND group2 = editor.GroupBox2->Handle();
    const struct {
        const char* name;
        HWND control;
        HWND holder;
        Bounds place;
    } controls[] = {
        {"GroupBox3", editor.GroupBox3->Handle(), tabs, {8, 24, 273, 49}},
        {"proftitle", editor.proftitle->Handle(), editor.GroupBox3->Handle(), {6, 20, 259, 21}},
        {"RadioButton1", editor.RadioButton1->Handle(), tabs, {22, 76, 209, 17}},
        {"RadioButton2", editor.RadioButton2->Handle(), tabs, {22, 94, 161, 17}},
        {"GroupBox1", group1, tabs, {4, 102, 273, 91}},
        {"gw", editor.gw->Handle(), group1, {128, 64, 137, 21}},
        {"CheckBox1", editor.CheckBox1->Handle(), tabs, {22, 216, 217, 17}},
        {"GroupBox2", group2, tabs, {4, 224, 273, 65}},
        {"dns2", editor.dns2->Handle(), group2, {128, 38, 137, 21}},
        {"HotKey1", editor.HotKey1->Handle(), editor.Handle(), {136, 320, 155, 21}},
        {"UseHere1", editor.UseHere1->Handle(), editor.Handle(), {216, 345, 75, 23}},
        {"dnsSuffix", editor.dnsSuffix->Handle(), editor.Handle(), {136, 446, 155, 21}},
        {"Button1", editor.Button1->Handle(), editor.Handle(), {136, 476, 75, 25}},
    };
    for (const auto& c : controls) {
        const Bounds place = PlaceIn(c.control, c.holder);
        EXPECT_EQ(place.left, c.place.left) << c.name;
        EXPECT_EQ(place.top, c.place.top) << c.name;
        if (c.place.width != 0) {  // a label fits its text
            EXPECT_EQ(place.width, c.place.width) << c.name;
            EXPECT_EQ(place.height, c.place.height) << c.name;
        }
    }
    // The captions stand in their groups.
    EXPECT_EQ(editor.Label3->Parent(), editor.GroupBox1.get());
    EXPECT_EQ(editor.Label3->GetBounds().left, 9);
    EXPECT_EQ(editor.Label3->GetBounds().top, 68);
    EXPECT_FALSE(editor.profileid->Visible());
    EXPECT_EQ(GetDlgCtrlID(editor.Button2->Handle()), IDCANCEL);  // the cancel button
}

TEST_F(EditorTest, TabRunsThroughTheDialogAsItIsRead)
{
    for (const bool dhcp : {false, true}) {
        ProfileData data = kOffice;
        data.dhcp = dhcp;
        Tprofile& profile = AppendCaptioned(list, data);
        const HWND mode = dhcp ? editor.RadioButton1->Handle() : editor.RadioButton2->Handle();
        // As the dialog is read, from the top down, and round to the title again.
        const std::vector<HWND> expected = {editor.proftitle->Handle(),  mode,
                                            editor.ip->Handle(),         editor.mask->Handle(),
                                            editor.gw->Handle(),         editor.CheckBox1->Handle(),
                                            editor.dns1->Handle(),       editor.dns2->Handle(),
                                            editor.HotKey1->Handle(),    editor.UseHere1->Handle(),
                                            editor.wifiName->Handle(),   editor.gatewayMac->Handle(),
                                            editor.dhcpServer->Handle(), editor.dnsSuffix->Handle(),
                                            editor.Button3->Handle(),    editor.Button1->Handle(),
                                            editor.Button2->Handle(),    editor.proftitle->Handle()};
        std::vector<HWND> visited;
        std::vector<Step> steps;
        for (size_t i = 0; i < expected.size(); ++i) {
            steps.push_back([&visited] {
                visited.push_back(GetFocus());
                PostKey(GetFocus(), VK_TAB);
                PostKey(GetFocus(), VK_TAB, false);
            });
        }
        steps.push_back(driver.Press(editor.Button2->Handle()));
        driver.Open(&profile, steps);
        EXPECT_EQ(visited, expected) << (dhcp ? "DHCP" : "static");
    }
}

TEST_F(EditorTest, OpeningShowsTheProfileEachTime)
{
    // In this order, so each opening follows one that showed something else.
    const ProfileData profiles[] = {
        {"", "", "", "", "", "Home", true},
        {"", "", "", "", "", "", false},  // a new profile
        kOffice,
        {"10.0.0.5", "255.0.0.0", "", "10.0.0.1", "10.0.0.2", "Lab", true},
        {"", "", "", "", "", std::string(2047, 'T'), false},  // longer than the field takes typed
    };
    for (const ProfileData& data : profiles) {
        Tprofile& profile = AppendCaptioned(list, data);
        struct Shown {
            std::string title, caption, ip, mask, gw, dns1, dns2, number;
            bool dhcp = false, fixed = false;
            HWND focus = nullptr;
        } shown;
        driver.Open(&profile, {[&] {
                                   shown = {editor.proftitle->Text(), editor.Text(),           editor.ip->Text(),
                                            editor.mask->Text(),      editor.gw->Text(),       editor.dns1->Text(),
                                            editor.dns2->Text(),      editor.profileid->Text()};
                                   shown.dhcp = editor.RadioButton1->Checked();
                                   shown.fixed = editor.RadioButton2->Checked();
                                   shown.focus = GetFocus();
                               },
                               driver.Press(editor.Button2->Handle())});
        const EditMask mask(kAddressEditMask);
        EXPECT_EQ(shown.title, data.name);
        EXPECT_EQ(shown.caption, data.name);
        EXPECT_EQ(shown.ip, mask.Layout(data.ip));
        EXPECT_EQ(shown.mask, mask.Layout(data.mask));
        EXPECT_EQ(shown.gw, mask.Layout(data.gw));
        EXPECT_EQ(shown.dns1, mask.Layout(data.dns1));
        EXPECT_EQ(shown.dns2, mask.Layout(data.dns2));
        EXPECT_EQ(shown.dhcp, data.dhcp) << data;
        EXPECT_EQ(shown.fixed, !data.dhcp) << data;
        EXPECT_EQ(shown.number, std::to_string(profile.id));
        EXPECT_EQ(editor.profileidTag, profile.id);
        EXPECT_EQ(shown.focus, editor.proftitle->Handle());
    }
    EXPECT_EQ(Contents(list), (std::vector<ProfileData>(std::begin(profiles), std::end(profiles))));
}

TEST_F(EditorTest, OkWithUntouchedFieldsStoresTheProfileUnchanged)
{
    Tprofile& profile = AppendCaptioned(list, kOffice);
    EXPECT_EQ(driver.Open(&profile, {driver.Press(editor.Button1->Handle())}), mrOk);
    EXPECT_EQ(DataOf(profile), kOffice);
    EXPECT_EQ(profile.Caption(), "Office");
}

TEST_F(EditorTest, OkStoresTypedAddressesAsTheyRead)
{
    Tprofile& profile = AppendCaptioned(list, kOffice);
    const HWND ip = editor.ip->Handle();
    EXPECT_EQ(driver.Open(&profile,
                          {[&] {
                               SetFocus(ip);
                               PostMessageA(ip, EM_SETSEL, 0, -1);
                               PostChars(ip, "10.");
                               for (int i = 0; i < 3; ++i)
                                   PostKey(ip, VK_RIGHT);  // the second group stays blank
                               PostChars(ip, "3.300");     // a group of 300 is taken
                           },
                           driver.TypeOver(editor.gw->Handle(), "10..1"), driver.TypeOver(editor.dns2->Handle(), "9.9"),
                           [&] { PostMessageA(editor.dns1->Handle(), EM_SETSEL, 0, -1); },
                           [&] { PostKey(editor.dns1->Handle(), VK_DELETE); }, driver.Press(editor.Button1->Handle())}),
              mrOk);
    EXPECT_EQ(profile.ip, "10..3.300");
    EXPECT_EQ(profile.gw, "10.1..");  // a point at a group's start moves nowhere
    EXPECT_EQ(profile.dns1, "");      // an emptied field
    EXPECT_EQ(profile.dns2, "9.9..");
    EXPECT_EQ(profile.mask, "255.255.255.0");
}

TEST_F(EditorTest, OkWithoutTitleCaptionsTheProfileWithItsAddress)
{
    for (const char* address : {"10.0.0.5", ""}) {
        ProfileData data = kOffice;
        data.ip = address;
        Tprofile& profile = AppendCaptioned(list, data);
        driver.Open(&profile,
                    {[&] { SetWindowTextA(editor.proftitle->Handle(), ""); }, driver.Press(editor.Button1->Handle())});
        EXPECT_EQ(profile.name, "");
        EXPECT_EQ(profile.Caption(), address);
    }
    Tprofile& spaced = AppendCaptioned(list, kOffice);
    driver.Open(&spaced, {[&] { SetWindowTextA(editor.proftitle->Handle(), " Lab 2 "); },
                          driver.Press(editor.Button1->Handle())});
    EXPECT_EQ(spaced.name, " Lab 2 ");  // as typed, not trimmed
    EXPECT_EQ(spaced.Caption(), " Lab 2 ");
}

TEST_F(EditorTest, TypedTitlesComeBackFromTheStoreAsTheFieldTookThem)
{
    // The field takes no more than the store gives back, whatever the title holds.
    const std::string longTitle(2994, 'L');
    const struct {
        std::string typed, taken;
    } titles[] = {{"  Spaced  ", "  Spaced  "},
                  {"\"Home\"", "\"Home\""},
                  {longTitle, longTitle.substr(0, kIniLongestText)},
                  {" " + longTitle, " " + longTitle.substr(0, kIniLongestText - 1)}};
    for (const auto& title : titles) {
        Tprofile& profile = AppendCaptioned(list, kOffice);
        driver.Open(&profile, {[&] { TypeInto(editor.proftitle->Handle(), title.typed.c_str()); },
                               driver.Press(editor.Button1->Handle())});
        EXPECT_EQ(profile.name, title.taken);
    }
    TempFolder folder;
    SaveProfilesTo(list, folder.File("profiles.ini"));
    EXPECT_EQ(LoadedFrom(folder.File("profiles.ini")), Contents(list));
}

TEST_F(EditorTest, OkInDhcpModeKeepsTheAddressesToo)
{
    Tprofile& profile = AppendCaptioned(list, {"", "", "", "", "", "Roaming", false});
    bool fieldsEnabled = false;
    bool onlyDhcpChecked = false;
    driver.Open(&profile, {driver.Press(editor.RadioButton1->Handle()),
                           [&] {
                               fieldsEnabled = IsWindowEnabled(editor.ip->Handle()) != FALSE;
                               onlyDhcpChecked = editor.RadioButton1->Checked() && !editor.RadioButton2->Checked();
                           },
                           driver.TypeOver(editor.ip->Handle(), "172.16.0.9"), driver.Press(editor.Button1->Handle())});
    EXPECT_TRUE(fieldsEnabled);
    EXPECT_TRUE(onlyDhcpChecked);
    EXPECT_TRUE(profile.dhcp);
    EXPECT_EQ(profile.ip, "172.16.0.9");

    driver.Open(&profile, {driver.Press(editor.RadioButton2->Handle()), driver.Press(editor.Button1->Handle())});
    EXPECT_FALSE(profile.dhcp);
    EXPECT_FALSE(editor.RadioButton1->Checked());
}

TEST_F(EditorTest, CaptionFollowsTheTitleKeyByKey)
{
    Tprofile& profile = AppendCaptioned(list, kOffice);
    const HWND title = editor.proftitle->Handle();
    std::vector<std::string> captions;
    std::vector<Step> steps = {[&] { PostMessageA(title, EM_SETSEL, 0, -1); }};
    for (char key : std::string("Lab 2")) {
        steps.push_back([&, key] {
            PostChars(title, std::string(1, key));
            PostKey(title, static_cast<WORD>(VkKeyScanA(key) & 0xFF), false);
        });
        steps.push_back([&] { captions.push_back(Caption(editor.Handle())); });
    }
    // Text that came without a key reaches the caption when the field loses the focus.
    steps.push_back([&] { SendMessageA(title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Lab 3")); });
    steps.push_back([&] { captions.push_back(Caption(editor.Handle())); });
    steps.push_back([&] { SetFocus(editor.ip->Handle()); });
    steps.push_back([&] { captions.push_back(Caption(editor.Handle())); });
    steps.push_back(driver.Press(editor.Button2->Handle()));
    driver.Open(&profile, steps);
    EXPECT_EQ(captions, (std::vector<std::string>{"L", "La", "Lab", "Lab ", "Lab 2", "Lab 2", "Lab 3"}));
    EXPECT_EQ(profile.name, "Office");  // cancelled
}

TEST_F(EditorTest, CancelEscapeAndTheCloseButtonWriteNothing)
{
    const struct {
        const char* way;
        std::vector<int> held;
        std::function<void(TForm2&)> close;
    } ways[] = {
        {"Cancel", {}, [](TForm2& e) { Click(e.Button2->Handle()); }},
        {"close button", {}, [](TForm2& e) { PostMessageA(e.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Esc", {}, [](TForm2& e) { PostKey(e.ip->Handle(), VK_ESCAPE); }},
        {"Shift+Esc", {VK_SHIFT}, [](TForm2& e) { PostKey(e.ip->Handle(), VK_ESCAPE); }},
        {"Ctrl+Esc", {VK_CONTROL}, [](TForm2& e) { PostKey(e.ip->Handle(), VK_ESCAPE); }},
        {"Alt+Esc", {VK_MENU}, [](TForm2& e) { PostKey(e.proftitle->Handle(), VK_ESCAPE); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        Tprofile& profile = AppendCaptioned(list, kOffice);
        const int result = driver.Open(&profile, {driver.TypeOver(editor.ip->Handle(), "10.0.0.1"),
                                                  driver.Press(editor.RadioButton1->Handle()), [&] {
                                                      for (int key : way.held)
                                                          HoldModifiers({key});
                                                      way.close(editor);
                                                  }});
        ReleaseModifiers();
        EXPECT_EQ(result, mrCancel);
        EXPECT_EQ(DataOf(profile), kOffice);
        EXPECT_FALSE(IsWindowVisible(editor.Handle()));
    }
    EXPECT_EQ(driver.Runs(), 6);
}

TEST_F(EditorTest, ProfileRemovedWhileOpenGetsNothingWritten)
{
    Tprofile& profile = AppendCaptioned(list, kOffice);
    Tprofile& other = AppendCaptioned(list, {"10.0.0.5", "", "", "", "", "Lab", false});
    bool editingBefore = false;
    bool editingOther = true;
    const int result = driver.Open(&profile, {driver.TypeOver(editor.ip->Handle(), "10.0.0.1"),
                                              [&] {
                                                  editingBefore = editor.Editing(profile);
                                                  editingOther = editor.Editing(other);
                                                  editor.ProfileRemoved(other);  // not the one shown
                                                  editor.ProfileRemoved(profile);
                                              },
                                              driver.Press(editor.Button1->Handle())});
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(editingBefore);
    EXPECT_FALSE(editingOther);
    EXPECT_EQ(editor.EditedProfile, nullptr);
    EXPECT_EQ(DataOf(profile), kOffice);
    EXPECT_FALSE(editor.Editing(profile));
}
