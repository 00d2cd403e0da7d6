// Switching by location on the simulated laptop: where its Wi-Fi adapter is comes from the
// simulated Wi-Fi, neighbour table and notifications, and moves are played as Windows plays them.
#include <thread>

#include "app/mainwindow.h"
#include "profiles/iprofile.h"
#include "profiles/location.h"
#include "simnet/simplaces.h"
#include "support/editordriver.h"
#include "support/historyfile.h"
#include "support/profiledata.h"
#include "support/simcalls.h"
#include "support/tempfolder.h"

namespace {
constexpr int32_t kWifi = 2;  // the demo laptop's Wi-Fi adapter

class PlacesTest : public MainWindowTest {
protected:
    PlacesTest()
    {
        network = MakeDemoNetwork();
        network.SetMoveTime(0);
        SetPlaceReaders(SimPlaceReaders(network));
        TForm1::PlaceSettleTime = 200;
    }
    ~PlacesTest() override
    {
        WritePlaceMode(PlaceMode::Ask);
        SetPlaceReaders(WindowsPlaceReaders());
        TForm1::PlaceSettleTime = kPlaceSettleTime;
    }
    // Office (static, at the office LAN) and Home (DHCP, at the home Wi-Fi) in the store. The Wi-Fi
    // adapter is chosen while a reading of the adapter chosen at start is still being made, and
    // the first move follows at once.
    void Start(PlaceMode mode)
    {
        WritePlaceMode(mode);
        WriteFileBytes(StorePath(),
                       "[0]\r\nip=10.0.0.5\r\nmask=255.0.0.0\r\ngw=10.0.0.1\r\nname=Office\r\n"
                       "wifi=Office LAN\r\n[1]\r\nip=\r\nmask=\r\nname=Home\r\ndhcp=1\r\nwifi=Home Wi-Fi\r\n");
        Create();
        network.SetCallTime(L"ExecQuery", 1000);
        form->Places->Changed();
        HandleMessagesUntil([] { return false; }, TForm1::PlaceSettleTime + 100);
        form->SelectedAdapterIndex = kWifi;
        form->Places->AdapterChosen();
        network.SetCallTime(L"ExecQuery", 0);
        network.ClearCalls();
        area.calls.clear();
    }
    // What the simulated laptop does, on a thread of its own as Windows would, while the
    // program handles its messages; then the network settles and the program does what follows.
    void Arrive(const std::function<void()>& move = {})
    {
        std::thread mover(move ? move : [] {});
        HandleMessagesUntil([&] { return false; }, 50);
        mover.join();
        HandleMessagesUntil([&] { return false; }, 3 * TForm1::PlaceSettleTime);
        Settle();
        HandleMessagesUntil([&] { return !form->Places->Pending() && !form->WorkPending(); });
    }
    void MoveTo(const std::string& place)
    {
        Arrive([&] { ASSERT_TRUE(MoveLaptop(network, place)); });
    }
    size_t Calls(const std::wstring& member) const { return CallCount(network, member); }
    HistoryFile history;
};
}  // namespace

TEST_F(PlacesTest, EachMoveAppliesThePlacesProfileOnceAndAProfileAppliedByHandStaysUntilTheNextMove)
{
    Start(PlaceMode::Apply);
    MoveTo("office");
    EXPECT_EQ(Calls(L"EnableStatic"), 1u);
    EXPECT_EQ(Notifications(), std::vector<std::string>{"Office applied: you are at Office LAN"});
    EXPECT_NE(history.Read().find("location: Office LAN"), std::string::npos) << history.Read();

    // Home by hand at the office: its own notifications start no switch back. No DHCP server
    // answers there, so the lease is not waited for long.
    const DWORD leaseWait = ChangePipeline::SetLeaseWait(500);
    form->Profiles->ApplyProfile(1, "tray: Activate");
    Arrive();
    EXPECT_EQ(Calls(L"EnableStatic"), 1u);
    EXPECT_EQ(Calls(L"EnableDHCP"), 1u);
    ChangePipeline::SetLeaseWait(leaseWait);

    MoveTo("home");
    EXPECT_EQ(Calls(L"EnableDHCP"), 1u) << "Home is there already: nothing to do";
    MoveTo("office");
    EXPECT_EQ(Calls(L"EnableStatic"), 2u);
    MoveTo("home");
    EXPECT_EQ(Calls(L"EnableDHCP"), 2u);
    EXPECT_EQ(Notifications().back(), "Home applied: you are at Home Wi-Fi");
}

TEST_F(PlacesTest, AskOffersTheProfileInTheTrayMenuAndChangesNothingUntilItIsChosen)
{
    Start(PlaceMode::Ask);
    MoveTo("office");
    EXPECT_EQ(Calls(L"EnableStatic"), 0u);
    EXPECT_EQ(Notifications(), std::vector<std::string>{"You are at Office LAN"});
    form->PopupMenu1Popup();
    const std::vector<MenuEntry> menu = TrayMenu();
    ASSERT_FALSE(menu.empty());
    EXPECT_EQ(menu.front().caption, "Apply Office (you are at Office LAN)");
    Choose(form->Profiles->PlaceOffers[0]);
    Arrive();
    EXPECT_EQ(Calls(L"EnableStatic"), 1u);
    form->PopupMenu1Popup();
    EXPECT_NE(TrayMenu().front().caption, "Apply Office (you are at Office LAN)") << "the offer was taken";
}

TEST_F(PlacesTest, ALinkFlappingTwentyTimesGivesOneSwitchOnceItHasSettled)
{
    Start(PlaceMode::Apply);
    MoveTo("away");
    Arrive([&] {
        MoveLaptop(network, "office");
        FlapLink(network, 20, 1000);
    });
    EXPECT_EQ(Calls(L"EnableStatic"), 1u);
}

TEST_F(PlacesTest, AWithheldWifiNameIsToldOnceAndTheGatewayStillMatches)
{
    Start(PlaceMode::Apply);
    network.WithholdWifiNames(true);
    // Home as a static address this time, known by its router as well as by its name.
    Tprofile& home = ProfileAt(*ProfileList, 1);
    home.dhcp = false;
    home.ip = "192.168.178.20";
    home.mask = "255.255.255.0";
    home.gw = "192.168.178.1";
    home.location = {"Home Wi-Fi", "3C-A6-2F-11-22-33", "", ""};
    MoveTo("cafe");
    MoveTo("home");
    MoveTo("cafe");
    const std::vector<std::string> shown = Notifications();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Wi-Fi name withheld"), 1);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Home applied: you are at fritz.box"), 1);
    EXPECT_EQ(Calls(L"EnableStatic"), 1u);
}

TEST_F(PlacesTest, UseHereTeachesAProfileWhereTheAdapterIsAndIsNoMove)
{
    Start(PlaceMode::Apply);
    MoveTo("cafe");
    ChooseInTray(0, "Use here");  // Office, from its tray entry
    Arrive();
    const ProfileLocation cafe{"Cafe Wi-Fi", "00-0C-42-77-88-99", "172.16.0.1", "guest.example"};
    EXPECT_EQ(ProfileAt(*ProfileList, 0).location, cafe);
    EXPECT_EQ(Notifications().back(), "Office is for Cafe Wi-Fi");
    EXPECT_EQ(Calls(L"EnableStatic"), 0u) << "teaching a place is no move";

    // The editor's button fills the fields from the same reading; Ok keeps them.
    EditorDriver driver{Form2};
    std::vector<Step> steps{driver.Press(Form2->UseHere1->Handle())};
    steps.resize(20, [] {});  // the reading comes back through the message loop
    steps.push_back(driver.Ok());
    driver.Open(&ProfileAt(*ProfileList, 1), steps);
    EXPECT_EQ(ProfileAt(*ProfileList, 1).location, cafe);
}
