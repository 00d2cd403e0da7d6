// The four configuration methods: codes, changes, scripts and the call log.
#include <ostream>

#include <gtest/gtest.h>

#include "core/dispatch.h"
#include "simclient.h"
#include "simnet/configmethods.h"

namespace {
using Texts = std::vector<std::wstring>;

// How one argument is passed in a table case.
struct Arg {
    enum Form { RefTexts, ValueTexts, RefVariantTexts, RefInts, Omitted, ValueText } form;
    Texts texts;
    std::vector<int32_t> ints;
};
Arg Ref(Texts texts) { return {Arg::RefTexts, std::move(texts), {}}; }
Arg Ints(std::vector<int32_t> ints) { return {Arg::RefInts, {}, std::move(ints)}; }
Arg Omit() { return {Arg::Omitted, {}, {}}; }

// What WMI shows for the adapter after the call, read as a client reads it.
struct Shown {
    bool dhcp = false;
    Texts addresses, subnets, gateways, dns;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* os)
{
    *os << (shown.dhcp ? "DHCP " : "static ") << testing::PrintToString(shown.addresses)
        << testing::PrintToString(shown.subnets) << testing::PrintToString(shown.gateways)
        << testing::PrintToString(shown.dns);
}

Texts Listed(const Variant& item, const wchar_t* name)
{
    const Variant value = GetMember(item, name);
    return value.IsNull() ? Texts{} : ArrayTexts(value);
}

Shown ShownBy(const SimNetwork& network, int32_t index)
{
    const Variant item = QueryAdapter(network, index);
    const Variant dhcp = GetMember(item, L"DHCPEnabled");
    return {dhcp.get().boolVal != VARIANT_FALSE, Listed(item, L"IPAddress"), Listed(item, L"IPSubnet"),
            Listed(item, L"DefaultIPGateway"), Listed(item, L"DNSServerSearchOrder")};
}

struct MethodCase {
    const char* name;
    SimAdapter before;
    const wchar_t* method;
    std::vector<Arg> args;
    int32_t code;
    Shown after;  // empty addresses: as before the call
};

// Keeps the argument values alive for the call and passes them in the table's forms.
int32_t Call(const Variant& item, const MethodCase& c)
{
    std::vector<Variant> values;
    values.reserve(c.args.size());
    std::vector<VARIANT> args;
    for (const Arg& arg : c.args) {
        switch (arg.form) {
        case Arg::RefTexts:
            values.push_back(WideTexts(arg.texts));
            args.push_back(ArgByRef(values.back()));
            break;
        case Arg::ValueTexts:
            values.push_back(WideTexts(arg.texts, 0));
            args.push_back(ArgByValue(values.back()));
            break;
        case Arg::RefVariantTexts:
            values.push_back(VariantTexts(arg.texts, 5));
            args.push_back(ArgByRef(values.back()));
            break;
        case Arg::RefInts:
            values.push_back(IntArray(arg.ints));
            args.push_back(ArgByRef(values.back()));
            break;
        case Arg::ValueText:
            values.push_back(Variant::FromWide(arg.texts.at(0)));
            args.push_back(ArgByValue(values.back()));
            break;
        case Arg::Omitted: args.push_back(ArgOmitted()); break;
        }
    }
    return CallCode(item, c.method, args);
}

// Adapter 6 as Windows keeps a laptop's: IPv6 beside IPv4, static or on a DHCP lease.
SimAdapter Static6()
{
    SimAdapter adapter = TestAdapter(6);
    adapter.ipv6Addresses = {L"fe80::6"};
    adapter.ipv6Prefixes = {L"64"};
    adapter.ipv6Gateways = {L"fe80::1"};
    return adapter;
}
SimAdapter Dhcp6()
{
    SimAdapter adapter = Static6();
    PutOnDhcp(adapter);
    return adapter;
}
SimAdapter DhcpWithOwnDns6()
{
    SimAdapter adapter = Dhcp6();
    adapter.staticDns = true;
    adapter.dnsServers = {L"9.9.9.9"};
    return adapter;
}
SimAdapter Disconnected6()
{
    SimAdapter adapter = Dhcp6();
    adapter.mediaConnected = false;
    return adapter;
}

const Texts kV6{L"fe80::6"};
const Texts kLeaseAddress{L"10.0.6.100", L"fe80::6"};
const Texts kMask24{L"255.255.255.0", L"64"};
}  // namespace

// Each method's page of Win32_NetworkAdapterConfiguration: return codes, and what Windows
// shows afterwards (IPv4 entries before IPv6 ones, the lease and the stored static gateway).
TEST(SimConfigurationMethods, AnswerTheDocumentedCodesAndLeaveWhatWindowsShows)
{
    const MethodCase cases[] = {
        {"static on DHCP: the lease's gateway and DNS go",
         Dhcp6(),
         L"EnableStatic",
         {Ref({L"10.1.2.3", L"10.1.3.3"}), Ref({L"255.255.255.0", L"255.255.0.0"})},
         0,
         {false, {L"10.1.2.3", L"10.1.3.3", L"fe80::6"}, {L"255.255.255.0", L"255.255.0.0", L"64"}, {L"fe80::1"}, {}}},
        {"static on static answers 81 and changes",
         Static6(),
         L"EnableStatic",
         {Ref({L"10.1.2.3"}), Ref({L"255.255.255.255"})},
         81,
         {false,
          {L"10.1.2.3", L"fe80::6"},
          {L"255.255.255.255", L"64"},
          {L"192.168.6.1", L"fe80::1"},
          {L"192.168.6.1"}}},
        {"static with arrays by value from 0",
         Static6(),
         L"EnableStatic",
         {{Arg::ValueTexts, {L"10.1.2.3"}, {}}, {Arg::ValueTexts, {L"255.0.0.0"}, {}}},
         81,
         {false, {L"10.1.2.3", L"fe80::6"}, {L"255.0.0.0", L"64"}, {L"192.168.6.1", L"fe80::1"}, {L"192.168.6.1"}}},
        {"address out of range",
         Static6(),
         L"EnableStatic",
         {Ref({L"192.168.1.300"}), Ref({L"255.255.255.0"})},
         70,
         {}},
        {"IPv6 address", Static6(), L"EnableStatic", {Ref({L"fe80::9"}), Ref({L"64"})}, 70, {}},
        {"loopback address", Static6(), L"EnableStatic", {Ref({L"127.0.0.1"}), Ref({L"255.0.0.0"})}, 70, {}},
        {"mask with a hole", Static6(), L"EnableStatic", {Ref({L"10.0.0.2"}), Ref({L"255.0.255.0"})}, 66, {}},
        {"fewer masks than addresses",
         Static6(),
         L"EnableStatic",
         {Ref({L"10.0.0.2", L"10.0.1.2"}), Ref({L"255.255.255.0"})},
         66,
         {}},
        {"masks omitted", Static6(), L"EnableStatic", {Ref({L"10.0.0.2"}), Omit()}, 68, {}},
        {"addresses as integers", Static6(), L"EnableStatic", {Ints({10}), Ref({L"255.0.0.0"})}, 68, {}},
        {"address as plain text",
         Static6(),
         L"EnableStatic",
         {{Arg::ValueText, {L"10.0.0.2"}, {}}, Ref({L"255.0.0.0"})},
         68,
         {}},
        {"no addresses", Static6(), L"EnableStatic", {Ref({}), Ref({})}, 68, {}},
        {"not connected", Disconnected6(), L"EnableStatic", {Ref({L"10.1.2.3"}), Ref({L"255.0.0.0"})}, 84, {}},
        {"gateways with metrics",
         Static6(),
         L"SetGateWays",
         {Ref({L"192.168.6.254", L"192.168.6.253"}), Ints({5, 7})},
         0,
         {false,
          {L"192.168.6.10", L"fe80::6"},
          kMask24,
          {L"192.168.6.254", L"192.168.6.253", L"fe80::1"},
          {L"192.168.6.1"}}},
        {"gateways as variants from 5",
         Static6(),
         L"SetGateWays",
         {{Arg::RefVariantTexts, {L"192.168.6.9"}, {}}, Omit()},
         0,
         {false, {L"192.168.6.10", L"fe80::6"}, kMask24, {L"192.168.6.9", L"fe80::1"}, {L"192.168.6.1"}}},
        {"the adapter's own address clears the gateways",
         Static6(),
         L"SetGateWays",
         {Ref({L"192.168.6.10"}), Ints({1})},
         0,
         {false, {L"192.168.6.10", L"fe80::6"}, kMask24, {L"fe80::1"}, {L"192.168.6.1"}}},
        {"gateways on DHCP are not supported", Dhcp6(), L"SetGateWays", {Ref({L"10.0.6.254"}), Ints({1})}, 64, {}},
        {"six gateways",
         Static6(),
         L"SetGateWays",
         {Ref({L"10.0.0.1", L"10.0.0.2", L"10.0.0.3", L"10.0.0.4", L"10.0.0.5", L"10.0.0.6"}), Omit()},
         69,
         {}},
        {"bad gateway", Static6(), L"SetGateWays", {Ref({L"10.0.0"}), Ints({1})}, 71, {}},
        {"metric out of range", Static6(), L"SetGateWays", {Ref({L"10.0.0.1"}), Ints({0})}, 68, {}},
        {"metrics as texts", Static6(), L"SetGateWays", {Ref({L"10.0.0.1"}), Ref({L"1"})}, 68, {}},
        {"DHCP keeps the static gateway and the DNS set by hand",
         Static6(),
         L"EnableDHCP",
         {Omit()},
         0,
         {true, kLeaseAddress, kMask24, {L"10.0.6.1", L"192.168.6.1", L"fe80::1"}, {L"192.168.6.1"}}},
        {"DHCP on a disconnected adapter", Disconnected6(), L"EnableDHCP", {Omit()}, 84, {}},
        {"DNS servers",
         Static6(),
         L"setDNSServerSearchOrder",
         {Ref({L"1.1.1.1", L"8.8.4.4"})},
         0,
         {false, {L"192.168.6.10", L"fe80::6"}, kMask24, {L"192.168.6.1", L"fe80::1"}, {L"1.1.1.1", L"8.8.4.4"}}},
        {"DNS omitted clears a static list",
         Static6(),
         L"setDNSServerSearchOrder",
         {Omit()},
         0,
         {false, {L"192.168.6.10", L"fe80::6"}, kMask24, {L"192.168.6.1", L"fe80::1"}, {}}},
        {"DNS empty array falls back to the lease",
         DhcpWithOwnDns6(),
         L"setDNSServerSearchOrder",
         {Ref({})},
         0,
         {true, kLeaseAddress, kMask24, {L"10.0.6.1", L"fe80::1"}, {L"10.0.6.1"}}},
        {"bad DNS server", Static6(), L"setDNSServerSearchOrder", {Ref({L"8.8.8.8", L"0.1.2.3"})}, 70, {}},
        {"DNS as integers", Static6(), L"setDNSServerSearchOrder", {Ints({8})}, 68, {}},
    };
    for (const MethodCase& c : cases) {
        SCOPED_TRACE(c.name);
        SimNetwork network;
        network.AddAdapter(c.before);
        const Shown before = ShownBy(network, 6);
        EXPECT_EQ(Call(QueryAdapter(network, 6), c), c.code);
        EXPECT_EQ(ShownBy(network, 6), c.after.addresses.empty() ? before : c.after);
    }
}

// The registry's "DefaultGateway" is what a static change routes through: EnableDHCP keeps it
// ("does not clear any static default gateways"), EnableStatic brings it back as the whole list.
TEST(SimConfigurationMethods, StaticGatewayComesBackWithTheNextStaticChange)
{
    SimNetwork network;
    network.AddAdapter(Static6());
    Variant addresses = WideTexts({L"192.168.6.20"});
    Variant masks = WideTexts({L"255.255.255.0"});
    EXPECT_EQ(CallCode(QueryAdapter(network, 6), L"EnableDHCP", {ArgOmitted()}), 0);
    EXPECT_EQ(CallCode(QueryAdapter(network, 6), L"EnableStatic", {ArgByRef(addresses), ArgByRef(masks)}), 0);
    EXPECT_EQ(ShownBy(network, 6).gateways, (Texts{L"192.168.6.1", L"fe80::1"}));

    // Emptied behind WMI's back, as the program does in the registry: nothing comes back.
    network.SetStoredSettingsReader([](SimAdapter& adapter) { adapter.storedGateways.clear(); });
    EXPECT_EQ(CallCode(QueryAdapter(network, 6), L"EnableDHCP", {ArgOmitted()}), 0);
    EXPECT_EQ(ShownBy(network, 6).gateways, (Texts{L"10.0.6.1", L"fe80::1"}));
    EXPECT_EQ(CallCode(QueryAdapter(network, 6), L"EnableStatic", {ArgByRef(addresses), ArgByRef(masks)}), 0);
    EXPECT_EQ(ShownBy(network, 6).gateways, Texts{L"fe80::1"});
}

TEST(SimConfigurationMethods, ScriptedResultsAndFailuresChangeNothingButAreLogged)
{
    SimNetwork network;
    network.AddAdapter(TestAdapter(2, true));
    int changes = 0;
    network.SetChangeListener([&](const SimAdapter&, StoredGateways) { ++changes; });
    network.SetMethodResult(2, L"enabledhcp", 91);
    network.FailMethod(2, L"EnableStatic", static_cast<HRESULT>(0x80041001L), L"Generic failure");
    network.FailMethod(2, L"setDNSServerSearchOrder", DISP_E_UNKNOWNNAME);
    Variant item = QueryAdapter(network, 2);

    EXPECT_EQ(CallCode(item, L"EnableDHCP", {ArgOmitted()}), 91);
    Variant texts = WideTexts({L"10.0.0.2"});
    InvokeOutcome described = InvokeMember(item, L"EnableStatic", DISPATCH_METHOD, {ArgByRef(texts), ArgByRef(texts)});
    EXPECT_EQ(described.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(described.scode, static_cast<HRESULT>(0x80041001L));
    EXPECT_EQ(described.description, L"Generic failure");
    // Scripted as unknown: the name lookup fails, as on Wine's WMI, and no call is made.
    EXPECT_EQ(InvokeMember(item, L"setDNSServerSearchOrder", DISPATCH_METHOD, {ArgOmitted()}).hr, DISP_E_UNKNOWNNAME);
    // More arguments than the method takes must be omitted ones.
    EXPECT_EQ(InvokeMember(item, L"SetGateWays", DISPATCH_METHOD, {ArgByRef(texts), ArgOmitted(), ArgByRef(texts)}).hr,
              DISP_E_BADPARAMCOUNT);

    EXPECT_EQ(changes, 0);
    EXPECT_EQ(network.Adapter(2)->ipAddresses, std::vector<std::wstring>{L"192.168.2.10"});
    ASSERT_EQ(network.Calls().size(), 4u);  // the query and three calls
    EXPECT_EQ(network.Calls()[1].member, L"EnableDHCP");
    EXPECT_EQ(network.Calls()[2].member, L"EnableStatic");
    EXPECT_EQ(network.Calls()[3].member, L"SetGateWays");
}

TEST(SimConfigurationMethods, CallLogKeepsArgumentsAsReceived)
{
    SimNetwork network;
    network.AddAdapter(TestAdapter(8));
    Variant item = QueryAdapter(network, 8);
    network.ClearCalls();

    Variant gateways = VariantTexts({L"192.168.8.1", L"192.168.8.2"}, 0);
    Variant metrics = IntArray({4, 6}, 3);
    CallCode(item, L"SetGateWays", {ArgByValue(gateways), ArgByRef(metrics)});
    CallCode(item, L"setDNSServerSearchOrder", {ArgOmitted()});

    ASSERT_EQ(network.Calls().size(), 2u);
    const SimCall& setGateways = network.Calls()[0];
    EXPECT_EQ(setGateways.adapterIndex, 8);
    EXPECT_EQ(setGateways.member, L"SetGateWays");
    ASSERT_EQ(setGateways.args.size(), 2u);
    EXPECT_EQ(setGateways.args[0].kind, SimArg::Kind::ByValue);
    EXPECT_EQ(setGateways.args[0].type, VT_ARRAY | VT_VARIANT);
    EXPECT_EQ(setGateways.args[0].lowerBound, 0);
    EXPECT_EQ(setGateways.args[0].texts, (Texts{L"192.168.8.1", L"192.168.8.2"}));
    EXPECT_EQ(setGateways.args[1].kind, SimArg::Kind::ByRef);
    EXPECT_EQ(setGateways.args[1].type, VT_ARRAY | VT_I4);
    EXPECT_EQ(setGateways.args[1].lowerBound, 3);
    EXPECT_EQ(setGateways.args[1].ints, (std::vector<int32_t>{4, 6}));
    const SimCall& setDns = network.Calls()[1];
    EXPECT_EQ(setDns.member, L"setDNSServerSearchOrder");
    ASSERT_EQ(setDns.args.size(), 1u);
    EXPECT_EQ(setDns.args[0].kind, SimArg::Kind::Omitted);
}

TEST(SimConfigurationMethods, ListenerSeesEachChangeAndCannotBreakInvoke)
{
    SimNetwork network;
    network.AddAdapter(TestAdapter(1));
    std::vector<std::wstring> seen;
    network.SetChangeListener(
        [&](const SimAdapter& a, StoredGateways) { seen.push_back(a.dhcpEnabled ? L"dhcp" : a.ipAddresses.at(0)); });
    Variant item = QueryAdapter(network, 1);
    Variant addresses = WideTexts({L"10.9.9.9"});
    Variant badMasks = WideTexts({L"255.255.0.255"});
    Variant masks = WideTexts({L"255.0.0.0"});
    CallCode(item, L"EnableStatic", {ArgByRef(addresses), ArgByRef(badMasks)});
    CallCode(item, L"EnableStatic", {ArgByRef(addresses), ArgByRef(masks)});
    CallCode(item, L"EnableDHCP", {ArgOmitted()});
    network.AddAdapter(TestAdapter(2));
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"10.9.9.9", L"dhcp", L"192.168.2.10"}));

    network.SetChangeListener([](const SimAdapter&, StoredGateways) { throw std::runtime_error("listener broke"); });
    InvokeOutcome outcome = InvokeMember(item, L"EnableDHCP", DISPATCH_METHOD, {ArgOmitted()});
    EXPECT_EQ(outcome.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(outcome.description, L"listener broke");
}
