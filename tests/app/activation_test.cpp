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
        return form->ApplyNextProfile1->Caption();
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
    Choose(form->ApplyNextProfile1);
    EXPECT_EQ(AdapterCalls(), (std::vector<SeenCall>{
                                  {L"EnableStatic", {{L"10.0.0.5"}, {L"255.0.0.0"}}},
                                  {L"SetGateWays", {{L"10.0.0.1"}, {L"1"}}},
                                  {L"setDNSServerSearchOrder", {{L"10.0.0.2"}}},
                              }));
    EXPECT_EQ(Profile(0).dns1, "10.0.0.2");
    EXPECT_EQ(Profile(0).dns2, "");
    EXPECT_EQ(form->ActiveProfileIndex, 0);
    EXPECT_EQ(Marks(), std::vector<int>{1});
    EXPECT_EQ(queriesSeen, 1u) << "the details are refreshed afterwards";
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"10.0.0.5"});
    EXPECT_TRUE(boxes.empty());

    // The moved server reaches the file at the next save.
    Click(*form->Button3);
    EXPECT_EQ(ReadFileBytes(StorePath()).find("dns1=10.0.0.2\r\ndns2=\r\n") != std::string::npos, true);
}

TEST_F(ActivationTest, EmptyGatewayMakesNoCallAndEmptyDnsClearsTheServers)
{
    CreateWith({kLab});
    Choose(form->ApplyNextProfile1);
    EXPECT_EQ(AdapterCalls(), (std::vector<SeenCall>{
                                  {L"EnableStatic", {{L"172.16.0.9"}, {L"255.255.0.0"}}},
                                  {L"setDNSServerSearchOrder", {{L"~"}}},
                              }));
}

TEST_F(ActivationTest, DhcpProfileOnlyEnablesDhcpAfterEmptyingTheStoredGateways)
{
    CreateWith({kHome});
    Choose(form->ApplyNextProfile1);
    EXPECT_EQ(AdapterCalls(), (std::vector<SeenCall>{{L"EnableDHCP", {{L"~"}}}}));
    EXPECT_TRUE(network.Adapter(Wired)->dhcpEnabled);
    EXPECT_EQ(Marks(), std::vector<int>{1});
}

TEST_F(ActivationTest, ApplyNextStepsThroughTheProfilesAndTheMenuNamesTheNextOne)
{
    CreateWith({kOffice, kLab, kHome});
    std::vector<std::string> captions;
    std::vector<int32_t> applied;
    for (int click = 0; click < 4; ++click) {
        captions.push_back(NextCaption());
        Choose(form->ApplyNextProfile1);
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
    Choose(form->ApplyNextProfile1);
    EXPECT_TRUE(AdapterCalls().empty());

    CreateWith({kOffice});
    form->ApplyProfile(7);
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
        Choose(form->ApplyNextProfile1);
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
    Choose(form->ApplyNextProfile1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Invalid variant operation");
    EXPECT_EQ(boxes[0].caption, "Velmora");
    EXPECT_TRUE(AdapterCalls().empty());
    EXPECT_EQ(queriesSeen, 1u);
    EXPECT_EQ(Marks(), std::vector<int>{0});
}

// A refused activation leaves the adapter's stored gateway list as it found it: the emptying
// that comes before the calls is undone, or the adapter would lose its gateway at its next
// restart without having taken the profile.
TEST_F(ActivationTest, ARefusedActivationPutsTheStoredGatewayBack)
{
    CreateWith({kOffice, kHome});
    SimRegistryMirror registry(network);
    registry.Attach();
    const std::string key = TcpipInterfacesKey + AnsiFromWide(network.Adapter(Wired)->settingId);
    const auto storedGateway = [&] { return ReadRaw(key, "DefaultGateway").value_or(RegistryData{}).bytes; };
    const std::string before = storedGateway();
    ASSERT_EQ(before.substr(0, 11), "192.168.1.1");
    for (const auto& [number, method, code] :
         {std::tuple{0, L"EnableStatic", 70}, std::tuple{1, L"EnableDHCP", 91}}) {
        network.SetMethodResult(Wired, method, code);
        form->ApplyProfile(number);
        EXPECT_EQ(storedGateway(), before) << AnsiFromWide(method);
        EXPECT_EQ(form->ActiveProfileIndex, -1);
    }
}

// The profile being applied stays while its activation runs nested message loops: a tray
// "Delete" of it that arrives meanwhile is refused, and the activation marks it as applied.
TEST_F(ActivationTest, AProfileIsNotDeletedWhileItIsBeingApplied)
{
    CreateWith({kLab, kOffice});
    bool deleted = false;
    network.SetChangeListener([&](const SimAdapter&, StoredGateways) {
        if (deleted) return;
        deleted = true;
        form->RemoveProfile(1);  // what the tray's posted "Delete" does when its message comes
    });
    form->ApplyProfile(1);
    network.SetChangeListener(nullptr);
    ASSERT_EQ(ProfileList->Count(), 2);
    EXPECT_EQ(Profile(1).name, "Office");
    EXPECT_EQ(form->ActiveProfileIndex, 1);
    EXPECT_EQ(Marks(), (std::vector<int>{0, 1}));

    // Once applied, the same request deletes it.
    form->RemoveProfile(1);
    EXPECT_EQ(ProfileList->Count(), 1);
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
    const std::string key = TcpipInterfacesKey + AnsiFromWide(network.Adapter(LaptopWired)->settingId);
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
        Choose(form->ApplyNextProfile1);
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(shown(L"IPAddress"), step.addresses);
        EXPECT_EQ(shown(L"DefaultIPGateway"), step.gateways);
        EXPECT_EQ(stored("EnableDHCP"), step.enableDhcp);
        EXPECT_EQ(stored("IPAddress"), step.storedAddress);
        EXPECT_EQ(stored("DefaultGateway"), step.storedGateway);
        // On DHCP the tip and the current details show the lease, not the stored 0.0.0.0.
        EXPECT_EQ(ShownTip(), step.tip);
        EXPECT_EQ("VMR. IP:" + form->ValueListEditor2->Values("IP:"), step.tip);
    }
    EXPECT_EQ(form->ValueListEditor2->Values("Mask:"), "255.255.255.0");
    EXPECT_EQ(form->ValueListEditor2->Values("GW:"), "10.0.1.1");
    EXPECT_EQ(registry.LastFailure(), "");
}
