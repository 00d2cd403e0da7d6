// The four configuration methods: codes, changes, scripts and the call log.
#include <functional>

#include <gtest/gtest.h>

#include "core/dispatch.h"
#include "simclient.h"

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

struct MethodCase {
    const char* name;
    bool dhcpBefore;
    const wchar_t* method;
    std::vector<Arg> args;
    int32_t code;
    std::function<void(const SimAdapter&)> check;  // the live adapter afterwards
};

// Keeps the argument values alive for the call and passes them in the table's forms.
int32_t Call(const Variant& item, const MethodCase& c)
{
    std::vector<Variant> values;
    values.reserve(c.args.size());
    std::vector<VARIANT> args;
    for (const Arg& arg : c.args) {
        switch (arg.form) {
        case Arg::RefTexts: values.push_back(WideTexts(arg.texts)); args.push_back(ArgByRef(values.back())); break;
        case Arg::ValueTexts: values.push_back(WideTexts(arg.texts, 0)); args.push_back(ArgByValue(values.back())); break;
        case Arg::RefVariantTexts: values.push_back(VariantTexts(arg.texts, 5)); args.push_back(ArgByRef(values.back())); break;
        case Arg::RefInts: values.push_back(IntArray(arg.ints)); args.push_back(ArgByRef(values.back())); break;
        case Arg::ValueText: values.push_back(Variant::FromWide(arg.texts.at(0))); args.push_back(ArgByValue(values.back())); break;
        case Arg::Omitted: args.push_back(ArgOmitted()); break;
        }
    }
    return CallCode(item, c.method, args);
}

void Unchanged(const SimAdapter& adapter)
{
    const SimAdapter original = TestAdapter(adapter.index, adapter.dhcpEnabled);
    EXPECT_EQ(adapter.ipAddresses, original.ipAddresses);
    EXPECT_EQ(adapter.subnets, original.subnets);
    EXPECT_EQ(adapter.gateways, original.gateways);
    EXPECT_EQ(adapter.gatewayMetrics, original.gatewayMetrics);
    EXPECT_EQ(adapter.dnsServers, original.dnsServers);
}
}  // namespace

TEST(SimConfigurationMethods, AnswerWindowsCodesAndChangeTheAdapter)
{
    const MethodCase cases[] = {
        {"static on a DHCP adapter", true, L"EnableStatic", {Ref({L"10.1.2.3", L"10.1.3.3"}), Ref({L"255.255.255.0", L"255.255.0.0"})}, 0,
         [](const SimAdapter& a) {
             EXPECT_FALSE(a.dhcpEnabled);
             EXPECT_EQ(a.ipAddresses, (Texts{L"10.1.2.3", L"10.1.3.3"}));
             EXPECT_EQ(a.subnets, (Texts{L"255.255.255.0", L"255.255.0.0"}));
             EXPECT_EQ(a.gateways, Texts{L"192.168.6.1"});  // kept
         }},
        {"static on a static adapter answers 81 and changes", false, L"EnableStatic", {Ref({L"10.1.2.3"}), Ref({L"255.255.255.255"})}, 81,
         [](const SimAdapter& a) { EXPECT_EQ(a.ipAddresses, Texts{L"10.1.2.3"}); }},
        {"static with arrays by value from 0", false, L"EnableStatic", {{Arg::ValueTexts, {L"10.1.2.3"}, {}}, {Arg::ValueTexts, {L"255.0.0.0"}, {}}}, 81,
         [](const SimAdapter& a) { EXPECT_EQ(a.subnets, Texts{L"255.0.0.0"}); }},
        {"address out of range", false, L"EnableStatic", {Ref({L"192.168.1.300"}), Ref({L"255.255.255.0"})}, 70, Unchanged},
        {"loopback address", false, L"EnableStatic", {Ref({L"127.0.0.1"}), Ref({L"255.0.0.0"})}, 70, Unchanged},
        {"mask with a hole", false, L"EnableStatic", {Ref({L"10.0.0.2"}), Ref({L"255.0.255.0"})}, 66, Unchanged},
        {"fewer masks than addresses", false, L"EnableStatic", {Ref({L"10.0.0.2", L"10.0.1.2"}), Ref({L"255.255.255.0"})}, 66, Unchanged},
        {"masks omitted", false, L"EnableStatic", {Ref({L"10.0.0.2"}), Omit()}, 68, Unchanged},
        {"addresses as integers", false, L"EnableStatic", {Ints({10}), Ref({L"255.0.0.0"})}, 68, Unchanged},
        {"address as plain text", false, L"EnableStatic", {{Arg::ValueText, {L"10.0.0.2"}, {}}, Ref({L"255.0.0.0"})}, 68, Unchanged},
        {"no addresses", false, L"EnableStatic", {Ref({}), Ref({})}, 68, Unchanged},
        {"gateways with metrics", false, L"SetGateWays", {Ref({L"192.168.6.254", L"192.168.6.253"}), Ints({5, 7})}, 0,
         [](const SimAdapter& a) {
             EXPECT_EQ(a.gateways, (Texts{L"192.168.6.254", L"192.168.6.253"}));
             EXPECT_EQ(a.gatewayMetrics, (std::vector<int32_t>{5, 7}));
         }},
        {"metrics omitted or short default to 1", false, L"SetGateWays", {Ref({L"192.168.6.254", L"192.168.6.253"}), Ints({3})}, 0,
         [](const SimAdapter& a) { EXPECT_EQ(a.gatewayMetrics, (std::vector<int32_t>{3, 1})); }},
        {"gateways as variants from 5", false, L"SetGateWays", {{Arg::RefVariantTexts, {L"192.168.6.9"}, {}}, Omit()}, 0,
         [](const SimAdapter& a) {
             EXPECT_EQ(a.gateways, Texts{L"192.168.6.9"});
             EXPECT_EQ(a.gatewayMetrics, std::vector<int32_t>{1});
         }},
        {"six gateways", false, L"SetGateWays", {Ref({L"10.0.0.1", L"10.0.0.2", L"10.0.0.3", L"10.0.0.4", L"10.0.0.5", L"10.0.0.6"}), Omit()}, 69, Unchanged},
        {"bad gateway", false, L"SetGateWays", {Ref({L"10.0.0"}), Ints({1})}, 71, Unchanged},
        {"metric out of range", false, L"SetGateWays", {Ref({L"10.0.0.1"}), Ints({0})}, 68, Unchanged},
        {"metrics as texts", false, L"SetGateWays", {Ref({L"10.0.0.1"}), Ref({L"1"})}, 68, Unchanged},
        {"DHCP with one omitted argument", false, L"EnableDHCP", {Omit()}, 0,
         [](const SimAdapter& a) {
             EXPECT_TRUE(a.dhcpEnabled);
             EXPECT_EQ(a.ipAddresses, Texts{L"10.0.6.100"});
             EXPECT_EQ(a.subnets, Texts{L"255.255.255.0"});
             EXPECT_EQ(a.gateways, Texts{L"10.0.6.1"});
             EXPECT_EQ(a.dnsServers, Texts{L"192.168.6.1"});  // set by hand, so kept
         }},
        {"DNS servers", false, L"setDNSServerSearchOrder", {Ref({L"1.1.1.1", L"8.8.4.4"})}, 0,
         [](const SimAdapter& a) {
             EXPECT_EQ(a.dnsServers, (Texts{L"1.1.1.1", L"8.8.4.4"}));
             EXPECT_TRUE(a.staticDns);
         }},
        {"DNS omitted clears a static list", false, L"setDNSServerSearchOrder", {Omit()}, 0,
         [](const SimAdapter& a) {
             EXPECT_TRUE(a.dnsServers.empty());
             EXPECT_FALSE(a.staticDns);
         }},
        {"DNS empty array falls back to the lease", true, L"setDNSServerSearchOrder", {Ref({})}, 0,
         [](const SimAdapter& a) { EXPECT_EQ(a.dnsServers, Texts{L"10.0.6.1"}); }},
        {"bad DNS server", false, L"setDNSServerSearchOrder", {Ref({L"8.8.8.8", L"0.1.2.3"})}, 70, Unchanged},
        {"DNS as integers", false, L"setDNSServerSearchOrder", {Ints({8})}, 68, Unchanged},
    };
    for (const MethodCase& c : cases) {
        SCOPED_TRACE(c.name);
        SimNetwork network;
        network.AddAdapter(TestAdapter(6, c.dhcpBefore));
        EXPECT_EQ(Call(QueryAdapter(network, 6), c), c.code);
        c.check(*network.Adapter(6));
    }
}

TEST(SimConfigurationMethods, ScriptedResultsAndFailuresChangeNothingButAreLogged)
{
    SimNetwork network;
    network.AddAdapter(TestAdapter(2, true));
    int changes = 0;
    network.SetChangeListener([&](const SimAdapter&) { ++changes; });
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
    network.SetChangeListener([&](const SimAdapter& a) { seen.push_back(a.dhcpEnabled ? L"dhcp" : a.ipAddresses.at(0)); });
    Variant item = QueryAdapter(network, 1);
    Variant addresses = WideTexts({L"10.9.9.9"});
    Variant badMasks = WideTexts({L"255.255.0.255"});
    Variant masks = WideTexts({L"255.0.0.0"});
    CallCode(item, L"EnableStatic", {ArgByRef(addresses), ArgByRef(badMasks)});
    CallCode(item, L"EnableStatic", {ArgByRef(addresses), ArgByRef(masks)});
    CallCode(item, L"EnableDHCP", {ArgOmitted()});
    network.AddAdapter(TestAdapter(2));
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"10.9.9.9", L"dhcp", L"192.168.2.10"}));

    network.SetChangeListener([](const SimAdapter&) { throw std::runtime_error("listener broke"); });
    InvokeOutcome outcome = InvokeMember(item, L"EnableDHCP", DISPATCH_METHOD, {ArgOmitted()});
    EXPECT_EQ(outcome.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(outcome.description, L"listener broke");
}
