// The details refresh: what the selector, the property list, the Profiles tab's current
// details and the tray tip show after it, and how it chooses and falls back.
#include "app/netconfig_fixture.h"

#include <windows.h>

namespace {
const Rows kWiredRows = {
    {" ", " "},
    {"MACAddress", "00:1B:21:00:00:03"},
    {"DHCP", "Disabled"},
    {"IP Address", "192.168.1.10 "},
    {"IP Subnet Mask", "255.255.255.0 "},
    {"Default Gateways", "192.168.1.1 "},
    {"DNS Servers", "192.168.1.1 8.8.8.8 "},
};

const Rows kWiredDetails = {
    {"Card:", "rt640x64"},   {"IP:", "192.168.1.10 "},         {"Mask:", "255.255.255.0 "},
    {"GW:", "192.168.1.1 "}, {"DNS:", "192.168.1.1 8.8.8.8 "}, {"DHCP:", "Disabled"},
};
}  // namespace

TEST_F(NetconfigTest, FirstRefreshChoosesTheFirstAdapterAndShowsItEverywhere)
{
    Create();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(SelectorEntries(), (std::vector<std::string>{WiredName, WirelessName}));
    EXPECT_EQ(form->SelectedAdapterIndex, Wired);
    EXPECT_EQ(SelectedEntry(), 0);
    EXPECT_EQ(form->ComboBox1->Text(), WiredName);
    EXPECT_EQ(GridRows(*form->proplist), kWiredRows);
    EXPECT_EQ(GridRows(*form->Profiles->ValueListEditor2), kWiredDetails);
    // The address as the list shows it, its trailing space included.
    EXPECT_EQ(form->TrayIcon1->Hint(), "VMR. IP:192.168.1.10 ");
    EXPECT_EQ(ShownTip(), "VMR. IP:192.168.1.10 ");
}

TEST_F(NetconfigTest, ListBeginsWithTheSpacerUnderTheStripAndItsMacRowCannotBeEdited)
{
    Create();
    Choose(form->Configuration1);
    SelectTab(TForm1::kNetworkConfigurationTab);
    const TValueListEditor& grid = *form->proplist;

    // What lies over the middle of the first row is the header strip, not the grid.
    const Bounds at = grid.GetBounds();
    POINT middle{at.left + at.width / 2, at.top + grid.RowHeight() / 2};
    EXPECT_EQ(ChildWindowFromPointEx(form->GroupBox1->Handle(), middle, CWP_SKIPINVISIBLE),
              form->HeaderControl1->Handle());
    // The strip's sections lie inside its border of one pixel.
    RECT strip{};
    GetClientRect(form->HeaderControl1->Handle(), &strip);
    EXPECT_EQ(strip.right, 317 - 2);

    const int mac = grid.FindRow("MACAddress");
    ASSERT_EQ(mac, 1);
    EXPECT_TRUE(grid.ReadOnly(mac));
    ClickValue(mac);
    EXPECT_FALSE(grid.Editing());
    for (const char* key : {"DHCP", "IP Address", "IP Subnet Mask", "Default Gateways", "DNS Servers"}) {
        ClickValue(grid.FindRow(key));
        EXPECT_TRUE(grid.Editing()) << key;
        form->proplist->EndEdit(false);
    }
    // The keys stay as they are: a click on one opens nothing.
    SendMessageA(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 3 * grid.RowHeight() + 4));
    EXPECT_FALSE(grid.Editing());
}

// A configuration whose description or index cannot be read is listed as "Error"; the first
// one that reads becomes the chosen one.
TEST_F(NetconfigTest, UnreadableConfigurationIsListedAsError)
{
    Create();
    for (const wchar_t* property : {L"Description", L"Index"}) {
        SCOPED_TRACE(testing::Message() << "unreadable " << property);
        network.ClearScripts();
        network.FailProperty(Wired, property, E_FAIL, L"Generic failure");
        form->SelectedAdapterIndex = -1;  // as at the first refresh
        form->refreshdata();
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(SelectorEntries(), (std::vector<std::string>{"Error", WirelessName}));
        EXPECT_EQ(form->SelectedAdapterIndex, Wireless);
        EXPECT_EQ(SelectedEntry(), 1);
        EXPECT_EQ(form->proplist->Values("IP Address"), "10.0.7.100 10.0.7.101 ");
    }
}

TEST_F(NetconfigTest, ShowOnlyIpEnabledMovesTheChoiceToTheFirstListedAdapter)
{
    Create();
    form->CheckBox1->SetChecked(false);  // "Show only IP Enabled" off refreshes
    ASSERT_EQ(SelectorEntries(), (std::vector<std::string>{WiredName, WirelessName, BluetoothName}));
    PressDownInSelector();
    PressDownInSelector();
    ASSERT_EQ(form->SelectedAdapterIndex, Bluetooth);

    // Still listed: the choice stays.
    form->refreshdata();
    EXPECT_EQ(form->SelectedAdapterIndex, Bluetooth);
    EXPECT_EQ(SelectedEntry(), 2);
    EXPECT_EQ(form->proplist->Values("MACAddress"), "00:1B:21:00:00:09");

    // Filtered out: the first listed adapter is chosen and selected.
    form->CheckBox1->SetChecked(true);
    EXPECT_EQ(SelectorEntries(), (std::vector<std::string>{WiredName, WirelessName}));
    EXPECT_EQ(form->SelectedAdapterIndex, Wired);
    EXPECT_EQ(SelectedEntry(), 0);
    EXPECT_EQ(GridRows(*form->proplist), kWiredRows);
    EXPECT_EQ(network.Calls().back().args.at(0).texts.at(0),
              L"Select * from Win32_NetworkAdapterConfiguration where IPEnabled=TRUE");
}

// WMI lists IPv6 entries after the IPv4 ones: the tip and the current details take the first
// IPv4 address, mask and gateway; the property list shows the lists whole.
TEST_F(NetconfigTest, OneAddressIsTheFirstIpv4OneAndListsStayWhole)
{
    SimAdapter& wired = *network.MutableAdapter(Wired);
    wired.ipv6Addresses = {L"2001:db8::3", L"fe80::3"};
    wired.ipv6Prefixes = {L"64", L"64"};
    wired.ipv6Gateways = {L"fe80::1"};
    Create();
    EXPECT_EQ(ShownTip(), "VMR. IP:192.168.1.10 ");
    EXPECT_EQ(GridRows(*form->Profiles->ValueListEditor2), kWiredDetails);
    EXPECT_EQ(form->proplist->Values("IP Address"), "192.168.1.10 2001:db8::3 fe80::3 ");
    EXPECT_EQ(form->proplist->Values("IP Subnet Mask"), "255.255.255.0 64 64 ");
    EXPECT_EQ(form->proplist->Values("Default Gateways"), "192.168.1.1 fe80::1 ");
}

TEST_F(NetconfigTest, QueryWithNothingLeavesTheDetailsAsTheyWere)
{
    Create();
    network.MutableAdapter(Wired)->ipEnabled = false;
    network.MutableAdapter(Wireless)->ipEnabled = false;
    form->refreshdata();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(SelectorEntries().empty());
    EXPECT_EQ(form->SelectedAdapterIndex, 0);
    EXPECT_EQ(GridRows(*form->proplist), kWiredRows);
    EXPECT_EQ(GridRows(*form->Profiles->ValueListEditor2), kWiredDetails);
    EXPECT_EQ(form->TrayIcon1->Hint(), "VMR. IP:192.168.1.10 ");
}

TEST_F(NetconfigTest, FailedReadEndsTheRefreshKeepingTheRowsBeforeIt)
{
    Create();
    network.MutableAdapter(Wired)->ipAddresses = {L"192.168.1.77"};
    network.FailProperty(Wired, L"IPSubnet", E_FAIL, L"Generic failure");
    Choose(form->Configuration1);  // the showing's refresh
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Reading \"IPSubnet\" failed: Generic failure");
    EXPECT_EQ(
        GridRows(*form->proplist),
        (Rows{{" ", " "}, {"MACAddress", "00:1B:21:00:00:03"}, {"DHCP", "Disabled"}, {"IP Address", "192.168.1.77 "}}));
    // The later steps did not run.
    EXPECT_EQ(form->Profiles->ValueListEditor2->Values("IP:"), "192.168.1.10 ");
    EXPECT_EQ(form->TrayIcon1->Hint(), "VMR. IP:192.168.1.10 ");
}

// Where the platform has no text for a code (Wine has none for a member its WMI lacks), the
// box still says what failed and what the code means.
TEST_F(NetconfigTest, AnUnknownMemberIsNamedWithTheCodesName)
{
    Create();
    network.FailProperty(Wired, L"ServiceName", DISP_E_UNKNOWNNAME);
    boxes.clear();
    Choose(form->Configuration1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Reading \"ServiceName\" failed: Unknown name (0x80020006)");
}
