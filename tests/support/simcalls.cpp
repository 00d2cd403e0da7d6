#include "support/simcalls.h"

#include <gtest/gtest.h>

std::vector<SimCall> MethodCalls(const SimNetwork& network)
{
    std::vector<SimCall> calls;
    for (const SimCall& call : network.Calls()) {
        if (call.member != L"ExecQuery") calls.push_back(call);
    }
    return calls;
}

size_t CallCount(const SimNetwork& network, const std::wstring& member)
{
    size_t count = 0;
    for (const SimCall& call : network.CallsSoFar())
        count += call.member == member ? 1 : 0;
    return count;
}

size_t QueryCount(const SimNetwork& network) { return CallCount(network, L"ExecQuery"); }

void ExpectArrayByRef(const SimArg& arg, VARTYPE type)
{
    EXPECT_EQ(arg.kind, SimArg::Kind::ByRef);
    EXPECT_EQ(arg.type, VT_ARRAY | type);
    EXPECT_EQ(arg.lowerBound, 1);
}

void PrintTo(const SeenCall& call, std::ostream* os)
{
    *os << testing::PrintToString(call.member) << testing::PrintToString(call.args);
}

std::vector<SeenCall> SeenCalls(const SimNetwork& network)
{
    std::vector<SeenCall> seen;
    for (const SimCall& call : MethodCalls(network)) {
        SeenCall s{call.member, {}};
        for (const SimArg& arg : call.args) {
            if (arg.kind == SimArg::Kind::Omitted) {
                s.args.push_back({L"~"});
                continue;
            }
            ExpectArrayByRef(arg, arg.ints.empty() ? VT_BSTR : VT_I4);
            std::vector<std::wstring> texts = arg.texts;
            for (int32_t n : arg.ints)
                texts.push_back(std::to_wstring(n));
            s.args.push_back(texts);
        }
        seen.push_back(s);
    }
    return seen;
}

SimAdapter TestAdapter(int32_t index, bool dhcp)
{
    SimAdapter adapter;
    adapter.index = index;
    adapter.description = L"Test adapter " + std::to_wstring(index);
    adapter.settingId = L"{SETTING-" + std::to_wstring(index) + L"}";
    adapter.macAddress = L"02:00:00:00:00:" + std::to_wstring(10 + index);
    adapter.serviceName = L"testnic";
    adapter.dhcpEnabled = dhcp;
    const std::wstring net = L"192.168." + std::to_wstring(index) + L".";
    adapter.ipAddresses = {net + L"10"};
    adapter.subnets = {L"255.255.255.0"};
    adapter.gateways = {net + L"1"};
    adapter.gatewayMetrics = {1};
    adapter.dnsServers = {net + L"1"};
    adapter.staticDns = !dhcp;
    return adapter;
}
