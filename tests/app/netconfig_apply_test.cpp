// "Apply Changes": the calls it makes with the property list's rows, in order, and what it
// tells the user when the adapter refuses a setting.
#include "app/netconfig_fixture.h"
#include "support/simcalls.h"

namespace {
using Calls = std::vector<SeenCall>;

// The rows of the wired adapter as they came: one address per element, IPv4 only.
const Calls kWiredRowsSent = {
    {L"SetGateWays", {{L"192.168.1.1"}, {L"1"}}},
    {L"EnableStatic", {{L"192.168.1.10"}, {L"255.255.255.0"}}},
    {L"setDNSServerSearchOrder", {{L"192.168.1.1", L"8.8.8.8"}}},
};
}  // namespace

TEST_F(NetconfigTest, UnchangedRowsAreSentOneAddressPerElement)
{
    Create();
    network.ClearCalls();
    Click(*form->Button1);

    EXPECT_EQ(SeenCalls(network), kWiredRowsSent);
    for (const SimCall& call : MethodCalls(network))
        EXPECT_EQ(call.adapterIndex, Wired);

    // The adapter was static already, so EnableStatic answered 81, which is no refusal.
    EXPECT_TRUE(boxes.empty());
    // The adapter is found for the calls and read back after them; the details are refreshed.
    EXPECT_EQ(QueryCount(), 3u);
}

TEST_F(NetconfigTest, EditedRowsReachTheAdapter)
{
    network.MutableAdapter(Wired)->ipEnabled = false;  // the wireless adapter, on DHCP, comes first
    Create();
    ASSERT_EQ(form->SelectedAdapterIndex, Wireless);
    EditValue("IP Address", "10.0.7.50   10.0.7.51");
    EditValue("IP Subnet Mask", "255.255.0.0 255.255.255.0 ");
    EditValue("Default Gateways", "10.0.7.254 10.0.7.253");
    EditValue("DNS Servers", "9.9.9.9");
    network.ClearCalls();
    Click(*form->Button1);

    // SetGateways answers 64 while the adapter is on DHCP: it goes again once it is static.
    const SeenCall gateways{L"SetGateWays", {{L"10.0.7.254", L"10.0.7.253"}, {L"1", L"1"}}};
    EXPECT_EQ(SeenCalls(network),
              (Calls{gateways,
                     {L"EnableStatic", {{L"10.0.7.50", L"10.0.7.51"}, {L"255.255.0.0", L"255.255.255.0"}}},
                     gateways,
                     {L"setDNSServerSearchOrder", {{L"9.9.9.9"}}}}));
    EXPECT_TRUE(boxes.empty());

    const SimAdapter& live = *network.Adapter(Wireless);
    EXPECT_FALSE(live.dhcpEnabled);
    EXPECT_EQ(live.ipAddresses, (std::vector<std::wstring>{L"10.0.7.50", L"10.0.7.51"}));
    EXPECT_EQ(live.gateways, (std::vector<std::wstring>{L"10.0.7.254", L"10.0.7.253"}));
    EXPECT_EQ(live.dnsServers, std::vector<std::wstring>{L"9.9.9.9"});
    // The list shows what the adapter holds now.
    EXPECT_EQ(form->proplist->Values("IP Address"), "10.0.7.50 10.0.7.51 ");
    EXPECT_EQ(form->proplist->Values("DHCP"), "Disabled");
}

// WMI lists IPv6 entries after the IPv4 ones; the IPv4 methods are sent the IPv4 ones only,
// so the unedited rows go back as they came.
TEST_F(NetconfigTest, UneditedRowsOfAnAdapterWithIpv6GoBackWithoutTheIpv6Entries)
{
    SimAdapter& wired = *network.MutableAdapter(Wired);
    wired.ipv6Addresses = {L"fe80::3"};
    wired.ipv6Prefixes = {L"64"};
    wired.ipv6Gateways = {L"fe80::1"};
    Create();
    ASSERT_EQ(form->proplist->Values("IP Subnet Mask"), "255.255.255.0 64 ");
    network.ClearCalls();
    Click(*form->Button1);
    EXPECT_EQ(SeenCalls(network), kWiredRowsSent);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(NetconfigTest, EmptyRowsSendNoGatewayAndNoServerList)
{
    Create();
    EditValue("Default Gateways", "");
    EditValue("DNS Servers", " ");
    EditValue("IP Address", "192.168.1.30");
    network.ClearCalls();
    Click(*form->Button1);

    EXPECT_EQ(SeenCalls(network), (Calls{{L"EnableStatic", {{L"192.168.1.30"}, {L"255.255.255.0"}}},
                                         {L"setDNSServerSearchOrder", {{L"~"}}}}));
    EXPECT_TRUE(boxes.empty());

    const SimAdapter& live = *network.Adapter(Wired);
    EXPECT_EQ(live.ipAddresses, std::vector<std::wstring>{L"192.168.1.30"});
    EXPECT_EQ(live.gateways, std::vector<std::wstring>{L"192.168.1.1"});
    EXPECT_TRUE(live.dnsServers.empty());
}

TEST_F(NetconfigTest, ValueStillBeingEditedIsSent)
{
    Create();
    ClickValue(form->proplist->FindRow("IP Address"));
    ASSERT_TRUE(form->proplist->Editing());
    SetWindowTextA(form->proplist->Editor()->Handle(), "192.168.1.44");
    network.ClearCalls();
    Click(*form->Button1);
    const Calls calls = SeenCalls(network);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1].args.at(0), std::vector<std::wstring>{L"192.168.1.44"});
}

// After all three calls, one box says which were made and which refused, with the code's text,
// as for a profile.
TEST_F(NetconfigTest, RefusedSettingsAreShownInOneBox)
{
    struct Case {
        const char* gateways;
        const char* address;
        const char* dns;
        std::vector<const char*> lines;  // what the box says, in order; none: no box
    };
    const Case cases[] = {
        {"192.168.1.1 ", "192.168.1.10 ", "8.8.8.8", {}},
        {"192.168.1.1 ",
         "300.1.1.1",
         "8.8.8.8",
         {"The settings were applied only in part.", "", "Default Gateways: made.",
          "IP Address and Subnet Mask: Invalid IP address (70).", "DNS Servers: made."}},
        {"1.2.3",
         "192.168.1.10",
         "8.8.8.8 255.255.255.255",
         {"The settings were applied only in part.", "", "Default Gateways: Invalid gateway IP address (71).",
          "IP Address and Subnet Mask: made.", "DNS Servers: Invalid IP address (70)."}},
    };
    Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        boxes.clear();
        EditValue("Default Gateways", c.gateways);
        EditValue("IP Address", c.address);
        EditValue("DNS Servers", c.dns);
        network.ClearCalls();
        Click(*form->Button1);
        EXPECT_EQ(MethodCalls(network).size(), 3u);  // a refusal stops none of the calls
        if (c.lines.empty()) {
            EXPECT_TRUE(boxes.empty());
            continue;
        }
        ASSERT_EQ(boxes.size(), 1u);
        std::string expected = c.lines.front();
        for (size_t i = 1; i < c.lines.size(); ++i) {
            expected += '\n';
            expected += c.lines[i];
        }
        EXPECT_EQ(boxes[0].text, expected);
        EXPECT_EQ(boxes[0].caption, "Velmora");
        EXPECT_EQ(boxes[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
        // The grid shows what the adapter holds, not the refused value that was typed.
        std::string held;
        for (const std::wstring& address : network.Adapter(Wired)->ipAddresses)
            held += std::string(address.begin(), address.end()) + ' ';
        EXPECT_EQ(form->proplist->Values("IP Address"), held);
    }
}

TEST_F(NetconfigTest, CallThatCannotBeMadeIsShownAsFailed)
{
    Create();
    network.FailMethod(Wired, L"SetGateWays", DISP_E_UNKNOWNNAME);
    network.SetMethodResult(Wired, L"EnableStatic", 91);
    Click(*form->Button1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The settings were applied only in part.\n"
                             "\nDefault Gateways: The call failed (-1)."
                             "\nIP Address and Subnet Mask: Access denied (91)."
                             "\nDNS Servers: made."
                             "\n\nChanging the adapter needs administrator rights, which Windows did not give.");
}
