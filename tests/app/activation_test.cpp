// Applying profiles to the chosen adapter on the simulated network: what reaches the adapter,
// in which order and form, what the profile list and the tray menu show afterwards, and what
// the user is told when the adapter refuses.
#include <optional>
#include <tuple>

#include "adapters/multistring.h"
#include "adapters/reg.h"
#include "app/netconfig_fixture.h"
#include "core/dispatch.h"
#include "core/text.h"
#include "profiles/iprofile.h"
#include "simnet/simregistry.h"
#include "support/profiledata.h"
#include "support/registrykeys.h"
#include "support/simcalls.h"
#include "support/tempfolder.h"

namespace {
class ActivationTest : public NetconfigTest {
protected:
    void CreateWith(const std::vector<ProfileData>& profiles)
    {
        Create();
        for (const ProfileData& data : profiles)
            AppendCaptioned(*ProfileList, data);
        network.ClearCalls();
    }

    // The configuration calls made on the chosen adapter since the last look.
    std::vector<SeenCall> AdapterCalls()
    {
        queriesSeen = QueryCount();
        std::vector<SeenCall> seen = SeenCalls(network);
        network.ClearCalls();
        return seen;
    }

    size_t queriesSeen = 0;  // adapter queries among the calls AdapterCalls last looked at

    Tprofile& Profile(int position) { return ProfileAt(*ProfileList, position); }
    std::vector<int> Marks()
    {
        std::vector<int> marks;
        for (int i = 0; i < ProfileList->Count(); ++i)
            marks.push_back(Profile(i).ImageIndex());
        return marks;
    }
    std::string NextCaption()
    {
        form->PopupMenu1Popup();
        return form->Profiles->ApplyNextProfile1->Caption();
    }
};

const ProfileData kOffice{"10.0.0.5", "255.0.0.0", "10.0.0.1", "", "10.0.0.2", "Office"};
const ProfileData kLab{"172.16.0.9", "255.255.0.0", "", "", "", "Lab"};
const ProfileData kHome{"", "", "", "", "", "Home", true};

// The demo laptop's wired adapter, chosen first there.
constexpr int32_t LaptopWired = 1;
}  // namespace

TEST_F(ActivationTest, StaticProfileSendsAddressGatewayAndDnsAndALoneAlternateServerMovesUp)
{
    CreateWith({kOffice});
    Choose(form->Profiles->ApplyNextProfile1);
    EXPECT_EQ(AdapterCalls(), (std::vector<SeenCall>{
                                  {L"EnableStatic", {{L"10.0.0.5"}, {L"255.0.0.0"}}},
                                  {L"SetGateWays", {{L"10.0.0.1"}, {L"1"}}},
                                  {L"setDNSServerSearchOrder", {{L"10.0.0.2"}}},
                              }));
    EXPECT_EQ(Profile(0).dns1, "10.0.0.2");
    EXPECT_EQ(Profile(0).dns2, "");
    EXPECT_EQ(form->ActiveProfileIndex, 0);
    EXPECT_EQ(Marks(), std::vector<int>{1});
    EXPECT_EQ(queriesSeen, 3u) << "the adapter is found, read back, and the details are refreshed afterwards";
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"10.0.0.5"});
    EXPECT_TRUE(boxes.empty());

    // The moved server reaches the file at the next save.
    Click(*form->Button3);
    EXPECT_EQ(ReadFileBytes(StorePath()).find("dns1=10.0.0.2\r\ndns2=\r\n") != std::string::npos, true);
}

TEST_F(ActivationTest, EmptyGatewayMakesNoCallAndEmptyDnsClearsTheServers)
{
    CreateWith({kLab});
    Choose(form->Profiles->ApplyNextProfile1);
    EXPECT_EQ(AdapterCalls(), (std::vector<SeenCall>{
                                  {L"EnableStatic", {{L"172.16.0.9"}, {L"255.255.0.0"}}},
                                  {L"setDNSServerSearchOrder", {{L"~"}}},
                              }));
}

// A DHCP profile takes the whole configuration from DHCP: EnableDHCP, then the DNS servers set
// by hand handed back (the call without a list), which Windows would otherwise keep.
TEST_F(ActivationTest, DhcpProfileEnablesDhcpAndHandsTheDnsServersBack)
{
    CreateWith({kHome});
    ASSERT_TRUE(network.Adapter(Wired)->staticDns);
    Choose(form->Profiles->ApplyNextProfile1);
    EXPECT_EQ(AdapterCalls(),
              (std::vector<SeenCall>{{L"EnableDHCP", {{L"~"}}}, {L"setDNSServerSearchOrder", {{L"~"}}}}));
    EXPECT_TRUE(network.Adapter(Wired)->dhcpEnabled);
    EXPECT_FALSE(network.Adapter(Wired)->staticDns);
    EXPECT_EQ(Marks(), std::vector<int>{1});
}

// Servers that Windows still stores as set by hand, although the call said "done", are told,
// and the profile is not marked.
TEST_F(ActivationTest, DnsServersKeptByHandAfterADhcpProfileAreTold)
{
    SimRegistryMirror registry(network);
    registry.Attach();
    CreateWith({kHome});
    network.SetMethodResult(Wired, L"setDNSServerSearchOrder", 0);  // "done", with nothing changed
    Choose(form->Profiles->ApplyNextProfile1);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Windows reports the DNS servers 192.168.1.1 8.8.8.8 set by hand "
                                                      "where Home asked for DNS servers from DHCP."});
    EXPECT_EQ(Marks(), std::vector<int>{0});
}

TEST_F(ActivationTest, ApplyNextStepsThroughTheProfilesAndTheMenuNamesTheNextOne)
{
    CreateWith({kOffice, kLab, kHome});
    std::vector<std::string> captions;
    std::vector<int32_t> applied;
    for (int click = 0; click < 4; ++click) {
        captions.push_back(NextCaption());
        Choose(form->Profiles->ApplyNextProfile1);
        applied.push_back(form->ActiveProfileIndex);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"Apply next: Office", "Apply next: Lab", "Apply next: Home",
                                                  "Apply next: Office"}));
    EXPECT_EQ(applied, (std::vector<int32_t>{0, 1, 2, 0}));
    EXPECT_EQ(Marks(), (std::vector<int>{1, 0, 0}));
}

TEST_F(ActivationTest, NothingToApplyLeavesNoMarkAndAnEmptyCaption)
{
    CreateWith({});
    EXPECT_EQ(NextCaption(), "Apply next: ");
    Choose(form->Profiles->ApplyNextProfile1);
    EXPECT_TRUE(AdapterCalls().empty());

    CreateWith({kOffice});
    form->Profiles->ApplyProfile(7);
    Settle();
    EXPECT_TRUE(AdapterCalls().empty());
    EXPECT_EQ(Marks(), std::vector<int>{0});
    EXPECT_EQ(form->ActiveProfileIndex, -1);
}

TEST_F(ActivationTest, ARefusedChangeIsToldAndNotMarkedAsApplied)
{
    struct Case {
        const char* method;
        int32_t code;
        const char* says;
    };
    for (const Case& c :
         {Case{"EnableStatic", 91, "Access denied (91)"}, Case{"SetGateWays", 71, "Invalid gateway IP address (71)"}}) {
        SCOPED_TRACE(c.method);
        boxes.clear();
        CreateWith({kOffice});
        form->ActiveProfileIndex = -1;
        network.SetMethodResult(Wired, WideFromAnsi(c.method), c.code);
        Choose(form->Profiles->ApplyNextProfile1);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].text.find("\"Office\""), std::string::npos) << boxes[0].text;
        EXPECT_NE(boxes[0].text.find(c.says), std::string::npos) << boxes[0].text;
        EXPECT_EQ(boxes[0].text.find("administrator") != std::string::npos, c.code == 91);
        EXPECT_EQ(form->ActiveProfileIndex, -1);
        EXPECT_EQ(Marks(), std::vector<int>{0});
        // Nothing is sent after the refused call.
        const std::vector<SeenCall> calls = AdapterCalls();
        EXPECT_EQ(calls.back().member, WideFromAnsi(c.method));
        network.ClearScripts();
    }
}

TEST_F(ActivationTest, AnAdapterThatIsGoneIsAnErrorAfterWhichTheDetailsAreRefreshed)
{
    CreateWith({kOffice});
    form->SelectedAdapterIndex = 4242;
    Choose(form->Profiles->ApplyNextProfile1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Invalid variant operation");
    EXPECT_EQ(boxes[0].caption, "Velmora");
    EXPECT_TRUE(AdapterCalls().empty());
    EXPECT_EQ(queriesSeen, 1u);
    EXPECT_EQ(Marks(), std::vector<int>{0});
    EXPECT_EQ(Profile(0).dns1, "") << "nothing was sent, so the profile stays as it was";
}

// Each call refused in turn, with what the adapter and its stored gateway list hold
// afterwards: a change refused at its first call leaves both as they were (the emptying of the
// stored list before the calls is undone); once a call has changed the adapter, nothing is
// undone, and the stored list is what Windows holds for the new settings, not the previous
// profile's gateway, which would come up with the new address at the next restart. The box
// says which steps were made. A lone alternate DNS server moves up in the profile only once
// the servers were sent.
TEST_F(ActivationTest, EachRefusedStepLeavesWhatWasMadeAndSaysSo)
{
    struct Case {
        int profile;
        const wchar_t* method;
        int32_t code;
        const char* storedGateway;  // its lines, each followed by "|"
        const wchar_t* address;     // what WMI reports afterwards
        const char* gateway;
        std::vector<std::string> says;
        const char* dns1;  // the profile's preferred server afterwards
    };
    // In this order on one adapter: the cases that change nothing first.
    const Case cases[] = {
        {1,
         L"EnableDHCP",
         65,
         "192.168.1.1|",
         L"192.168.1.10",
         "192.168.1.1 ",
         {"\"Home\" was not applied.", "Obtain an address automatically (DHCP): Unknown failure (65)."},
         ""},
        {0,
         L"EnableStatic",
         70,
         "192.168.1.1|",
         L"192.168.1.10",
         "192.168.1.1 ",
         {"\"Office\" was not applied.", "IP address and subnet mask: Invalid IP address (70).",
          "Default gateway: not sent.", "DNS servers: not sent."},
         ""},
        {0,
         L"SetGateWays",
         71,
         "",
         L"10.0.0.5",
         "",
         {"\"Office\" was applied only in part.", "IP address and subnet mask: made.",
          "Default gateway: Invalid gateway IP address (71).", "DNS servers: not sent."},
         ""},
        {0,
         L"setDNSServerSearchOrder",
         70,
         "10.0.0.1|",
         L"10.0.0.5",
         "10.0.0.1 ",
         {"\"Office\" was applied only in part.", "IP address and subnet mask: made.", "Default gateway: made.",
          "DNS servers: Invalid IP address (70)."},
         "10.0.0.2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(AnsiFromWide(c.method));
        boxes.clear();
        // A DHCP profile that holds a lone alternate server: its address fields are not used.
        CreateWith({kOffice, {"", "", "", "", "10.0.0.9", "Home", true}});
        SimRegistryMirror registry(network);
        registry.Attach();
        const std::string key = kTcpipInterfacesKey + AnsiFromWide(network.Adapter(Wired)->settingId);
        network.SetMethodResult(Wired, c.method, c.code);
        form->Profiles->ApplyProfile(c.profile);
        Settle();

        std::string storedGateway;
        const std::optional<RegistryData> stored = ReadRaw(key, "DefaultGateway");
        ASSERT_TRUE(stored);
        for (const std::string& line : WalkMultiString(stored->bytes, stored->bytes.size()))
            if (!line.empty()) storedGateway += line + "|";
        EXPECT_EQ(storedGateway, c.storedGateway);
        EXPECT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{c.address});
        EXPECT_EQ(
            VariantToText(GetMember(FindAdapterConfiguration(form->AdapterCollection, Wired), L"DefaultIPGateway")),
            c.gateway);
        ASSERT_EQ(boxes.size(), 1u);
        for (const std::string& part : c.says)
            EXPECT_NE(boxes[0].text.find(part), std::string::npos) << part << "\n" << boxes[0].text;
        EXPECT_EQ(form->ActiveProfileIndex, -1);
        EXPECT_EQ(Marks(), (std::vector<int>{0, 0}));
        EXPECT_EQ(Profile(c.profile).dns1, c.dns1);
        network.ClearScripts();
    }
}

// A profile deleted while its change runs is deleted: the change ends without marking any
// profile, and the profiles after it keep their numbers in order.
TEST_F(ActivationTest, AProfileDeletedWhileItIsBeingAppliedIsGoneAndNothingIsMarked)
{
    CreateWith({kLab, kOffice});
    network.SetCallTime(L"EnableStatic", 300);
    form->Profiles->ApplyProfile(1);
    form->Profiles->RemoveProfile(1);  // what the tray's "Delete" does meanwhile
    Settle();
    EXPECT_TRUE(boxes.empty()) << boxes[0].text;
    ASSERT_EQ(ProfileList->Count(), 1);
    EXPECT_EQ(Profile(0).name, "Lab");
    EXPECT_EQ(form->ActiveProfileIndex, -1);
    EXPECT_EQ(Marks(), std::vector<int>{0});
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses.front(), L"10.0.0.5");
}

// Apply Next on the demo laptop's wired adapter, from static to DHCP and back, checked
// against what Windows then shows: WMI's lists (IPv4 before IPv6) and the interface key.
// The stored "DefaultGateway" is emptied before every profile: EnableDHCP keeps a static
// gateway, and EnableStatic routes through whatever is stored, so without the emptying an
// earlier profile's gateway comes back.
TEST_F(ActivationTest, StaticToDhcpAndBackLeaveWmiAndTheRegistryAsWindowsWould)
{
    network = MakeDemoNetwork();
    SimRegistryMirror registry(network, 9801);
    registry.Attach();
    const std::string key = kTcpipInterfacesKey + AnsiFromWide(network.Adapter(LaptopWired)->settingId);
    // A value as text: a number, or the lines of a multi-string each followed by "|".
    const auto stored = [&](const char* name) {
        const std::optional<RegistryData> value = ReadRaw(key, name);
        if (!value) return std::string("<none>");
        const RegistryData& data = *value;
        if (data.type == REG_DWORD) return std::to_string(static_cast<unsigned char>(data.bytes.at(0)));
        std::string text;
        for (const std::string& line : WalkMultiString(data.bytes, data.bytes.size())) {
            if (!line.empty()) text += line + "|";
        }
        return text;
    };
    const auto shown = [&](const wchar_t* property) {
        return VariantToText(GetMember(
            FindAdapterConfiguration(QueryAdapterConfigurations(network.Services(), false), LaptopWired), property));
    };

    struct Step {
        const char* profile;
        std::string addresses, gateways, enableDhcp, storedAddress, storedGateway, tip;
    };
    const Step steps[] = {
        {"Home", "10.0.1.100 fe80::5c3a:91ff:fe2e:4b10 ", "10.0.1.1 fe80::1 ", "1", "0.0.0.0|", "",
         "VMR. IP:10.0.1.100"},
        {"Lab", "172.16.0.9 fe80::5c3a:91ff:fe2e:4b10 ", "fe80::1 ", "0", "172.16.0.9|", "", "VMR. IP:172.16.0.9"},
        {"Office", "10.0.0.5 fe80::5c3a:91ff:fe2e:4b10 ", "10.0.0.1 fe80::1 ", "0", "10.0.0.5|", "10.0.0.1|",
         "VMR. IP:10.0.0.5"},
        {"Home", "10.0.1.100 fe80::5c3a:91ff:fe2e:4b10 ", "10.0.1.1 fe80::1 ", "1", "0.0.0.0|", "",
         "VMR. IP:10.0.1.100"},
    };
    CreateWith({kHome, kLab, kOffice});
    ASSERT_EQ(form->SelectedAdapterIndex, LaptopWired);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.profile);
        Choose(form->Profiles->ApplyNextProfile1);
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(shown(L"IPAddress"), step.addresses);
        EXPECT_EQ(shown(L"DefaultIPGateway"), step.gateways);
        EXPECT_EQ(stored("EnableDHCP"), step.enableDhcp);
        EXPECT_EQ(stored("IPAddress"), step.storedAddress);
        EXPECT_EQ(stored("DefaultGateway"), step.storedGateway);
        // On DHCP the tip and the current details show the lease, not the stored 0.0.0.0.
        EXPECT_EQ(ShownTip(), step.tip);
        EXPECT_EQ("VMR. IP:" + form->Profiles->ValueListEditor2->Values("IP:"), step.tip);
    }
    EXPECT_EQ(form->Profiles->ValueListEditor2->Values("Mask:"), "255.255.255.0");
    EXPECT_EQ(form->Profiles->ValueListEditor2->Values("GW:"), "10.0.1.1");
    EXPECT_EQ(registry.LastFailure(), "");
}
