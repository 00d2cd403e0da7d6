// The demo laptop moving between places: what WMI, the Wi-Fi and neighbour readers show at each,
// the watchers that tell the program, and the moves asked for from outside.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "core/dispatch.h"
#include "core/text.h"
#include "simclient.h"
#include "simnet/laptopremote.h"
#include "simnet/simplaces.h"
#include "support/mtathread.h"
#include "support/tempfolder.h"

namespace {
constexpr int32_t kWifi = 2;

std::wstring Text(const Variant& value) { return value.IsNull() ? L"<null>" : value.get().bstrVal; }

// The IPv4 entries of IPAddress: the Wi-Fi keeps its IPv6 addresses through every move.
std::wstring Ipv4Address(const Variant& adapter)
{
    const Variant value = GetMember(adapter, L"IPAddress");
    if (value.IsNull()) return L"";
    for (const std::wstring& address : ArrayTexts(value)) {
        if (address.find(L':') == std::wstring::npos) return address;
    }
    return L"";
}

std::string WifiSettingId(const SimNetwork& network) { return AnsiFromWide(network.Adapter(kWifi)->settingId); }

// EnableStatic on the Wi-Fi, as the program calls it; its result code.
int32_t MakeStatic(const SimNetwork& laptop, const wchar_t* address, const wchar_t* mask)
{
    Variant addresses = WideTexts({address}), masks = WideTexts({mask});
    return CallCode(QueryAdapter(laptop, kWifi), L"EnableStatic", {ArgByRef(addresses), ArgByRef(masks)});
}
}  // namespace

// In the order given, on one laptop, so each place also shows that the last one's values went.
TEST(SimPlaces, EachPlaceShowsItsWifiRoutersAndLeaseAndAStaticAdapterStaysStatic)
{
    const struct {
        const char* place;
        const char* wifi;
        const wchar_t *address, *dhcpServer, *dnsDomain;
        const char *router, *routerMac;
    } places[] = {
        {"home", "Home Wi-Fi", L"192.168.178.20", L"192.168.178.1", L"fritz.box", "192.168.178.1", "3C-A6-2F-11-22-33"},
        {"office", "Office LAN", L"", L"<null>", L"<null>", "10.0.0.1", "00-1B-21-AA-BB-01"},
        {"cafe", "Cafe Wi-Fi", L"172.16.5.23", L"172.16.0.1", L"guest.example", "172.16.0.1", "00-0C-42-77-88-99"},
        {"away", "", L"", L"<null>", L"<null>", "10.0.0.1", ""},
    };
    for (const bool staticWifi : {false, true}) {
        SimNetwork laptop = MakeDemoNetwork();
        if (staticWifi) {
            ASSERT_EQ(MakeStatic(laptop, L"10.0.0.50", L"255.255.255.0"), 0);
            Variant gateways = WideTexts({L"10.0.0.1"});
            ASSERT_EQ(CallCode(QueryAdapter(laptop, kWifi), L"SetGateWays", {ArgByRef(gateways), ArgOmitted()}), 0);
        }
        const PlaceReaders readers = SimPlaceReaders(laptop);
        const std::string settingId = WifiSettingId(laptop);
        for (const auto& c : places) {
            SCOPED_TRACE(testing::Message() << c.place << (staticWifi ? ", static" : ", DHCP"));
            ASSERT_TRUE(MoveLaptop(laptop, c.place));
            const Variant wifi = QueryAdapter(laptop, kWifi);
            const bool linkUp = std::string(c.place) != "away";
            const bool office = std::string(c.place) == "office";
            EXPECT_EQ(readers.wifi(settingId).name, c.wifi);
            EXPECT_EQ(GetMember(wifi, L"DHCPEnabled").get().boolVal, staticWifi ? VARIANT_FALSE : VARIANT_TRUE);
            if (staticWifi) {
                EXPECT_EQ(Ipv4Address(wifi), linkUp ? L"10.0.0.50" : L"");
                EXPECT_EQ(Text(GetMember(wifi, L"DHCPServer")), L"<null>");
                EXPECT_EQ(Text(GetMember(wifi, L"DNSDomain")), L"<null>");
                EXPECT_EQ(readers.neighbourMac(settingId, "10.0.0.1"), office ? "00-1B-21-AA-BB-01" : "");
            } else {
                EXPECT_EQ(Ipv4Address(wifi), c.address);
                EXPECT_EQ(Text(GetMember(wifi, L"DHCPServer")), c.dhcpServer);
                EXPECT_EQ(Text(GetMember(wifi, L"DNSDomain")), c.dnsDomain);
                EXPECT_EQ(readers.neighbourMac(settingId, c.router), c.routerMac);
            }
        }
    }
    SimNetwork laptop = MakeDemoNetwork();
    EXPECT_FALSE(MoveLaptop(laptop, "moon"));
    EXPECT_EQ(SimPlaceReaders(laptop).wifi(WifiSettingId(laptop)).name, "Demo Wi-Fi");
}

TEST(SimPlaces, WatchersHearEachStepOnTheChangingThreadOutsideTheLockUntilLetGo)
{
    SimNetwork laptop = MakeDemoNetwork();
    const DWORD testThread = GetCurrentThreadId();
    int heard = 0;
    bool onThisThread = true, lockFree = true;
    std::shared_ptr<void> listening = SimPlaceReaders(laptop).listen([&] {
        ++heard;
        onThisThread = onThisThread && GetCurrentThreadId() == testThread;
        // Another thread gets the lock at once; were it held, that thread is left to end later.
        auto other = std::make_unique<MtaThread>([&] { laptop.AdapterCount(); });
        if (!other->Done(2000)) {
            lockFree = false;
            other.release();
        }
    });
    int expected = 0;
    ASSERT_TRUE(MoveLaptop(laptop, "home"));  // leaving, joining, the lease
    EXPECT_EQ(heard, expected += 3);
    ASSERT_TRUE(MoveLaptop(laptop, "away"));
    EXPECT_EQ(heard, expected += 1);
    ASSERT_TRUE(MoveLaptop(laptop, "office"));  // no lease comes
    EXPECT_EQ(heard, expected += 2);
    EXPECT_EQ(MakeStatic(laptop, L"10.0.0.50", L"255.255.255.0"), 0);
    EXPECT_EQ(heard, expected += 1);
    EXPECT_TRUE(onThisThread);
    EXPECT_TRUE(lockFree);

    listening.reset();
    MoveLaptop(laptop, "cafe");
    EXPECT_EQ(heard, expected);
}

TEST(SimPlaces, AWithheldWifiNameIsMarkedOnlyWhereAnAdapterIsJoined)
{
    SimNetwork laptop = MakeDemoNetwork();
    const PlaceReaders readers = SimPlaceReaders(laptop);
    const std::string wired = AnsiFromWide(laptop.Adapter(1)->settingId), wifi = WifiSettingId(laptop);
    laptop.WithholdWifiNames(true);
    const struct {
        const char* place;
        const std::string& settingId;
        bool withheld;
    } cases[] = {{"home", wifi, true}, {"home", wired, false}, {"away", wifi, false}};
    for (const auto& c : cases) {
        MoveLaptop(laptop, c.place);
        const WifiConnection seen = readers.wifi(c.settingId);
        EXPECT_EQ(seen.name, "") << c.place;
        EXPECT_EQ(seen.withheld, c.withheld) << c.place;
    }
    laptop.WithholdWifiNames(false);
    MoveLaptop(laptop, "home");
    EXPECT_EQ(readers.wifi(wifi).name, "Home Wi-Fi");
    EXPECT_FALSE(readers.wifi(wifi).withheld);
}

TEST(SimPlaces, AFlappingLinkGoesDownAndUpAndEndsUpWithItsNetworkAndLease)
{
    SimNetwork laptop = MakeDemoNetwork();
    MoveLaptop(laptop, "home");
    std::vector<bool> linkSeen;
    laptop.AddWatcher([&] {
        linkSeen.push_back(laptop.FindAdapter([](const SimAdapter& a) { return a.wireless; })->mediaConnected);
    });
    ASSERT_TRUE(FlapLink(laptop, 3, 0));
    EXPECT_EQ(linkSeen, (std::vector<bool>{false, true, false, true, false, true}));
    EXPECT_EQ(SimPlaceReaders(laptop).wifi(WifiSettingId(laptop)).name, "Home Wi-Fi");
    EXPECT_EQ(Ipv4Address(QueryAdapter(laptop, kWifi)), L"192.168.178.20");

    MoveLaptop(laptop, "away");
    linkSeen.clear();
    EXPECT_FALSE(FlapLink(laptop, 2, 0));  // no network to drop
    EXPECT_TRUE(linkSeen.empty());
}

// The program's elevated run shares the machine through a file: it finds the place, and the
// place's DHCP server, and the running copy's watchers hear of what the other changed.
TEST(SimPlaces, ThePlaceTravelsThroughTheSharedStateAndItsChangesAreHeard)
{
    TempFolder folder;
    SimNetwork running = MakeDemoNetwork();
    running.ShareState(folder.File("velmora-simnet.state"));
    ASSERT_TRUE(MoveLaptop(running, "cafe"));
    SimNetwork elevated;
    ASSERT_TRUE(elevated.JoinSharedState(folder.File("velmora-simnet.state")));
    const PlaceReaders readers = SimPlaceReaders(elevated);
    EXPECT_EQ(readers.wifi(WifiSettingId(elevated)).name, "Cafe Wi-Fi");
    EXPECT_EQ(readers.neighbourMac(WifiSettingId(elevated), "172.16.0.1"), "00-0C-42-77-88-99");
    EXPECT_EQ(Text(GetMember(QueryAdapter(elevated, kWifi), L"DNSDomain")), L"guest.example");

    int heard = 0;
    running.AddWatcher([&] { ++heard; });
    ASSERT_EQ(MakeStatic(elevated, L"172.16.5.99", L"255.255.0.0"), 0);
    EXPECT_EQ(Ipv4Address(QueryAdapter(running, kWifi)), L"172.16.5.99");
    EXPECT_EQ(heard, 1);  // taken in once, by the query
    ASSERT_EQ(CallCode(QueryAdapter(elevated, kWifi), L"EnableDHCP"), 0);
    EXPECT_EQ(Ipv4Address(QueryAdapter(elevated, kWifi)), L"172.16.5.23");  // the cafe's server answers
}

// `velmora-simnet.exe --move cafe` reaches the running copy's laptop; a copy that ends hurries
// a move in progress to its end rather than wait for the laptop.
TEST(SimPlaces, AMoveAskedForFromOutsideReachesTheRunningLaptop)
{
    TempFolder folder;
    EXPECT_FALSE(SendLaptopRequest(folder.Path(), "move cafe"));  // none runs
    SimNetwork laptop = MakeDemoNetwork();
    laptop.SetMoveTime(60000);
    const UniqueHandle left(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    laptop.AddWatcher([&] {
        if (!laptop.FindAdapter([](const SimAdapter& a) { return a.wireless; })->mediaConnected) SetEvent(left.get());
    });
    std::chrono::steady_clock::time_point ending;
    {
        LaptopRemote remote(laptop, folder.Path(), 0);
        ASSERT_TRUE(SendLaptopRequest(folder.Path(), "move cafe"));
        ASSERT_EQ(WaitForSingleObject(left.get(), 10000), WAIT_OBJECT_0);
        ending = std::chrono::steady_clock::now();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - ending, std::chrono::seconds(10));
    EXPECT_EQ(Ipv4Address(QueryAdapter(laptop, kWifi)), L"172.16.5.23");
    EXPECT_FALSE(SendLaptopRequest(folder.Path(), "move home"));  // its event went with it
}
