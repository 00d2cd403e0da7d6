// The simulated Win32_NetworkAdapterConfiguration instance.
#include <mutex>
#include <string>
#include <utility>

#include "core/check.h"
#include "core/processrights.h"
#include "simnet/configmethods.h"
#include "simnet/dispatchobject.h"
#include "simnet/simargs.h"
#include "simnet/simobjects.h"
#include "simnet/simstate.h"

using Microsoft::WRL::ComPtr;

namespace {
enum AdapterMember : DISPID {
    IndexId = 1,
    DescriptionId,
    SettingIdId,
    MacAddressId,
    ServiceNameId,
    IpEnabledId,
    DhcpEnabledId,
    IpAddressId,
    IpSubnetId,
    DefaultIpGatewayId,
    DnsServerSearchOrderId,
    GatewayCostMetricId,
    DhcpServerId,
    DnsDomainId,
    EnableStaticId = 101,
    SetGateWaysId,
    EnableDhcpId,
    SetDnsServerSearchOrderId,
};

// The methods are spelled as the program calls them; WMI matches any letter case.
const DispatchMember kMembers[] = {
    {L"Index", IndexId},
    {L"Description", DescriptionId},
    {L"SettingID", SettingIdId},
    {L"MACAddress", MacAddressId},
    {L"ServiceName", ServiceNameId},
    {L"IPEnabled", IpEnabledId},
    {L"DHCPEnabled", DhcpEnabledId},
    {L"IPAddress", IpAddressId},
    {L"IPSubnet", IpSubnetId},
    {L"DefaultIPGateway", DefaultIpGatewayId},
    {L"DNSServerSearchOrder", DnsServerSearchOrderId},
    {L"GatewayCostMetric", GatewayCostMetricId},
    {L"DHCPServer", DhcpServerId},
    {L"DNSDomain", DnsDomainId},
    {L"EnableStatic", EnableStaticId},
    {L"SetGateWays", SetGateWaysId},
    {L"EnableDHCP", EnableDhcpId},
    {L"setDNSServerSearchOrder", SetDnsServerSearchOrderId},
};

bool IsMethodId(DISPID id) { return id >= EnableStaticId; }

ConfigMethod MethodOf(DISPID id)
{
    switch (id) {
    case EnableStaticId: return ConfigMethod::EnableStatic;
    case SetGateWaysId: return ConfigMethod::SetGateWays;
    case EnableDhcpId: return ConfigMethod::EnableDHCP;
    default: return ConfigMethod::SetDnsServerSearchOrder;
    }
}

// WMI gives array properties with lower bound 0, and Null where the list is empty.
Variant TextListValue(const std::vector<std::wstring>& items)
{
    if (items.empty()) return Variant::Null();
    SAFEARRAYBOUND bound{static_cast<ULONG>(items.size()), 0};
    UniqueSafeArray array(SafeArrayCreate(VT_BSTR, 1, &bound));
    if (!array) CheckHr(E_OUTOFMEMORY, "SafeArrayCreate");
    for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i) {
        UniqueBstr text = MakeBstr(items[static_cast<size_t>(i)]);
        CheckHr(SafeArrayPutElement(array.get(), &i, text.get()), "SafeArrayPutElement");  // copies the string
    }
    Variant value;
    value.put()->parray = array.release();
    value.get().vt = VT_ARRAY | VT_BSTR;
    return value;
}

Variant IntListValue(const std::vector<int32_t>& items)
{
    if (items.empty()) return Variant::Null();
    return IntArray(items, 0);
}

// Win32_NetworkAdapterConfiguration: IPAddress "can contain either IPv6 addresses or IPv4
// addresses" (and, with IPSubnet and DefaultIPGateway, lists the IPv4 entries first, the IPv6
// ones after them: a prefix length such as "64" for each IPv6 address). A disconnected adapter
// has no addresses to report.
std::vector<std::wstring> Joined(const SimAdapter& adapter, const std::vector<std::wstring>& ipv4,
                                 const std::vector<std::wstring>& ipv6)
{
    if (!adapter.mediaConnected) return {};
    std::vector<std::wstring> all = ipv4;
    all.insert(all.end(), ipv6.begin(), ipv6.end());
    return all;
}

Variant PropertyValue(const SimAdapter& adapter, DISPID id)
{
    switch (id) {
    case IndexId: return Variant::FromInt(adapter.index);
    case DescriptionId: return Variant::FromWide(adapter.description);
    case SettingIdId: return Variant::FromWide(adapter.settingId);
    case MacAddressId: return adapter.macAddress.empty() ? Variant::Null() : Variant::FromWide(adapter.macAddress);
    case ServiceNameId: return Variant::FromWide(adapter.serviceName);
    case IpEnabledId: return Variant::FromBool(ReportsIpEnabled(adapter));
    case DhcpEnabledId: return Variant::FromBool(adapter.dhcpEnabled);
    case IpAddressId: return TextListValue(Joined(adapter, adapter.ipAddresses, adapter.ipv6Addresses));
    case IpSubnetId: return TextListValue(Joined(adapter, adapter.subnets, adapter.ipv6Prefixes));
    case DefaultIpGatewayId: return TextListValue(Joined(adapter, adapter.gateways, adapter.ipv6Gateways));
    case DnsServerSearchOrderId: return TextListValue(Joined(adapter, adapter.dnsServers, {}));
    case GatewayCostMetricId:
        return IntListValue(adapter.mediaConnected ? adapter.gatewayMetrics : std::vector<int32_t>{});
    // DHCPServer: "IP address of the dynamic host configuration protocol (DHCP) server"; Null
    // where there is none to name, as on a static adapter or one without a lease.
    case DhcpServerId:
        return adapter.dhcpEnabled && adapter.mediaConnected && !adapter.dhcpServerAddress.empty()
                   ? Variant::FromWide(adapter.dhcpServerAddress)
                   : Variant::Null();
    case DnsDomainId: return adapter.dnsDomain.empty() ? Variant::Null() : Variant::FromWide(adapter.dnsDomain);
    default: return Variant();
    }
}

class AdapterObject final : public DispatchObject {
public:
    AdapterObject(std::shared_ptr<SimState> state, size_t slot)
        : m_state(std::move(state)), m_slot(slot), m_snapshot(m_state->adapters.at(slot))
    {
    }

protected:
    DISPID Lookup(std::wstring_view name) const override
    {
        const DISPID id = LookupMember(kMembers, name);
        if (id == DISPID_UNKNOWN) return id;
        // A member scripted as unknown is missing from this adapter, as in Wine's WMI.
        const std::lock_guard guard(m_state->lock);
        const SimFailure* failure = Failure(id);
        return (failure != nullptr && failure->hr == DISP_E_UNKNOWNNAME) ? DISPID_UNKNOWN : id;
    }

    DispatchAnswer Answer(DISPID id, WORD flags, const DispatchArgs& args) override
    {
        if (MemberName(kMembers, id).empty()) return DispatchAnswer::Failure(DISP_E_MEMBERNOTFOUND);
        return IsMethodId(id) ? CallMethod(id, flags, args) : ReadProperty(id, flags, args);
    }

private:
    ScriptKey Key(DISPID id) const { return MakeScriptKey(m_snapshot.index, MemberName(kMembers, id)); }

    // Under the lock.
    const SimFailure* Failure(DISPID id) const
    {
        const auto& failures = IsMethodId(id) ? m_state->methodFailures : m_state->propertyFailures;
        const auto found = failures.find(Key(id));
        return found != failures.end() ? &found->second : nullptr;
    }

    DispatchAnswer ReadProperty(DISPID id, WORD flags, const DispatchArgs& args) const
    {
        if (!IsPropertyRead(flags)) return DispatchAnswer::Failure(DISP_E_MEMBERNOTFOUND);
        if (!args.empty()) return DispatchAnswer::Failure(DISP_E_BADPARAMCOUNT);
        // A property is read from the object's own snapshot, in the client: no call to WMI.
        const std::lock_guard guard(m_state->lock);
        if (const SimFailure* failure = Failure(id)) return DispatchAnswer::Failure(failure->hr, failure->description);
        const auto overridden = m_state->propertyOverrides.find(Key(id));
        if (overridden != m_state->propertyOverrides.end()) return DispatchAnswer::Value(overridden->second.Copy());
        return DispatchAnswer::Value(PropertyValue(m_snapshot, id));
    }

    DispatchAnswer CallMethod(DISPID id, WORD flags, const DispatchArgs& args)
    {
        if (!IsMethodCall(flags)) return DispatchAnswer::Failure(DISP_E_MEMBERNOTFOUND);
        SimCall call{m_snapshot.index, MemberName(kMembers, id), {}};
        for (const VARIANT* arg : args)
            call.args.push_back(DecodeArg(*arg));
        m_state->Receive(call);
        const auto answering = m_state->Answering();

        if (const SimFailure* failure = Failure(id)) return DispatchAnswer::Failure(failure->hr, failure->description);
        const auto scripted = m_state->methodResults.find(Key(id));
        if (scripted != m_state->methodResults.end()) return DispatchAnswer::Value(Variant::FromInt(scripted->second));

        // The four methods' pages list 91, "Access denied": changing the configuration takes
        // administrator rights, which a standard user's process does not have under UAC.
        if (m_state->refuseUnelevated && !ProcessElevated()) return DispatchAnswer::Value(Variant::FromInt(91));
        const ConfigMethod method = MethodOf(id);
        for (size_t i = ParameterCount(method); i < call.args.size(); ++i) {
            if (call.args[i].kind != SimArg::Kind::Omitted) return DispatchAnswer::Failure(DISP_E_BADPARAMCOUNT);
        }
        // Methods act on the live adapter; this object keeps the values of its query.
        SimAdapter& live = m_state->adapters.at(m_slot);
        if (m_state->storedSettingsReader) m_state->storedSettingsReader(live);
        const MethodOutcome outcome = RunConfigurationMethod(method, live, call.args, m_state->LeaseDue());
        // A lease that takes no time is there when EnableDHCP answers, told as one change.
        TakeDueLease(live, GetTickCount64());
        if (outcome.changed) m_state->NotifyChanged(live, outcome.gateways);
        return DispatchAnswer::Value(Variant::FromInt(outcome.code));
    }

    std::shared_ptr<SimState> m_state;
    size_t m_slot;
    SimAdapter m_snapshot;
};
}  // namespace

ComPtr<IDispatch> MakeAdapterObject(std::shared_ptr<SimState> state, size_t slot)
{
    return MakeDispatchObject<AdapterObject>(std::move(state), slot);
}
