// "Get System Settings" against the simulated network and the registry it keeps: the stored
// settings first, WMI's live ones otherwise, with the rules for the DNS servers.
#include "adapters/reg.h"
#include "adapters/wmiworks.h"
#include "profiles/iprofile.h"
#include "simnet/configmethods.h"
#include "simnet/simnetwork.h"
#include "simnet/simregistry.h"
#include "support/boxes.h"
#include "support/editordriver.h"
#include "support/profiledata.h"

namespace {
constexpr int32_t kIndex = 7;

const ProfileData kOffice = {"192.168.1.10", "255.255.0.0", "192.168.1.1", "192.168.1.1", "8.8.4.4", "Office", false};

struct Shown {
    ProfileData fields;  // the five addresses as they read, the title, DHCP checked
    bool staticChecked = false;
    bool dnsBoxChecked = false;
    bool open = false;  // still open after the button's work
};

class SystemSettingsTest : public testing::Test {
protected:
    SystemSettingsTest()
    {
        SimAdapter adapter;
        adapter.index = kIndex;
        adapter.description = L"Simulated Ethernet";
        adapter.settingId = L"{5E77E57-0000-4000-8000-0000000000E7}";
        adapter.serviceName = L"simeth";
        adapter.ipAddresses = {L"10.1.1.5", L"fe80::5"};  // as Windows lists IPv4 and IPv6 together
        adapter.subnets = {L"255.255.255.0", L"64"};
        adapter.gateways = {L"10.1.1.1"};
        adapter.gatewayMetrics = {1};
        adapter.dnsServers = {L"10.1.1.1"};
        adapter.staticDns = true;
        network.AddAdapter(adapter);
        BuildAdapterList();  // as the last details refresh left it: nothing of ours
    }
    ~SystemSettingsTest() override { BuildAdapterList(); }

    void UseAdapter()
    {
        editor.EditorAdapter = FindAdapterConfiguration(QueryAdapterConfigurations(network.Services(), false), kIndex);
        ASSERT_TRUE(editor.EditorAdapter.HoldsObject());
    }
    void SetDnsServers(std::vector<std::wstring> servers)
    {
        network.MutableAdapter(kIndex)->dnsServers = std::move(servers);
        network.AdapterChanged(kIndex);
    }

    // Opens the dialog on the profile (with the DNS check box checked by the user), presses
    // "Get System Settings", reads the dialog and cancels.
    Shown PressGetSystemSettings()
    {
        Shown shown;
        driver.Open(&profile, {[&] { Click(editor.CheckBox1->Handle()); }, [&] { Click(editor.Button3->Handle()); },
                               [&] {
                                   shown.fields = {NormaliseAddressText(editor.ip->Text()),
                                                   NormaliseAddressText(editor.mask->Text()),
                                                   NormaliseAddressText(editor.gw->Text()),
                                                   NormaliseAddressText(editor.dns1->Text()),
                                                   NormaliseAddressText(editor.dns2->Text()),
                                                   editor.proftitle->Text(),
                                                   editor.RadioButton1->Checked()};
                                   shown.staticChecked = editor.RadioButton2->Checked();
                                   shown.dnsBoxChecked = editor.CheckBox1->Checked();
                                   shown.open = editor.ModalResult() == mrNone && IsWindowVisible(editor.Handle());
                               },
                               [&] { Click(editor.Button2->Handle()); }});
        return shown;
    }

    SimNetwork network;
    TListItems list;
    Tprofile& profile = AppendProfile(list, kOffice);
    TForm2 editor{nullptr};
    EditorDriver driver{editor};
    MessageBoxRecorder boxes;
};
}  // namespace

TEST_F(SystemSettingsTest, WmiGivesTheFirstAddressesAndOneDnsServerLeavesTheSecond)
{
    UseAdapter();
    const Shown shown = PressGetSystemSettings();
    EXPECT_EQ(shown.fields, (ProfileData{"10.1.1.5", "255.255.255.0", "10.1.1.1", "10.1.1.1", "8.8.4.4", "Office"}));
    // The title, the mode and the DNS check box are left as they were; the profile too.
    EXPECT_TRUE(shown.staticChecked);
    EXPECT_TRUE(shown.dnsBoxChecked);
    EXPECT_EQ(Contents(list), std::vector<ProfileData>{kOffice});
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SystemSettingsTest, WmiDnsServersReplaceOnlyWhatTheListHolds)
{
    const struct {
        std::vector<std::wstring> servers;
        const char* dns1;
        const char* dns2;
    } cases[] = {
        {{L"1.1.1.1", L"9.9.9.9"}, "1.1.1.1", "9.9.9.9"}, {{}, "192.168.1.1", "8.8.4.4"},  // Null: both keep their text
    };
    for (const auto& c : cases) {
        SetDnsServers(c.servers);
        UseAdapter();
        const Shown shown = PressGetSystemSettings();
        EXPECT_EQ(shown.fields.dns1, c.dns1);
        EXPECT_EQ(shown.fields.dns2, c.dns2);
        EXPECT_EQ(shown.fields.ip, "10.1.1.5");
    }
}

TEST_F(SystemSettingsTest, StoredSettingsComeFirstAndReplaceAllFive)
{
    SimRegistryMirror mirror(network);
    mirror.Attach();
    BuildAdapterList();
    // WMI says something else; the registry's word counts.
    network.OverrideProperty(kIndex, L"IPAddress", TextArray({"10.9.9.9"}, 0));
    UseAdapter();
    const Shown shown = PressGetSystemSettings();
    // One stored name server: the second DNS field is emptied, unlike through WMI.
    EXPECT_EQ(shown.fields, (ProfileData{"10.1.1.5", "255.255.255.0", "10.1.1.1", "10.1.1.1", "", "Office"}));
    EXPECT_EQ(Contents(list), std::vector<ProfileData>{kOffice});
}

// Windows stores 0.0.0.0 as a DHCP adapter's address and keeps the lease apart: the fields get
// the lease.
TEST_F(SystemSettingsTest, AStoredDhcpAdapterGivesItsLeaseRatherThanTheStoredZeros)
{
    PutOnDhcp(*network.MutableAdapter(kIndex));
    SimRegistryMirror mirror(network);
    mirror.Attach();
    BuildAdapterList();
    UseAdapter();
    const Shown shown = PressGetSystemSettings();
    EXPECT_EQ(shown.fields, (ProfileData{"10.0.7.100", "255.255.255.0", "10.0.7.1", "", "", "Office"}));
}

TEST_F(SystemSettingsTest, WithoutAnAdapterNothingChanges)
{
    for (bool integerZero : {true, false}) {
        editor.EditorAdapter = integerZero ? Variant::FromInt(0) : Variant();
        const Shown shown = PressGetSystemSettings();
        EXPECT_EQ(shown.fields, kOffice);
        EXPECT_TRUE(shown.open);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SystemSettingsTest, AFailingReadEndsTheActionWhereItFailed)
{
    network.FailProperty(kIndex, L"DNSServerSearchOrder", E_FAIL, L"Generic failure");
    UseAdapter();
    const Shown shown = PressGetSystemSettings();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Reading \"DNSServerSearchOrder\" failed: Generic failure"});
    // The address came before the failure; the rest keep their text, and the dialog stays.
    EXPECT_EQ(shown.fields,
              (ProfileData{"10.1.1.5", "255.255.0.0", "192.168.1.1", "192.168.1.1", "8.8.4.4", "Office"}));
    EXPECT_TRUE(shown.open);
}
