#include "adapters/wmiworks.h"

#include <objbase.h>
#include <urlmon.h>
#include <wrl/client.h>

#include <exception>

#include "core/check.h"
#include "core/dispatch.h"
#include "core/systemdll.h"

using Microsoft::WRL::ComPtr;

Variant ConnectWmiServices()
{
    ComPtr<IBindCtx> context;
    CheckHr(CreateBindCtx(0, &context), "CreateBindCtx");
    ComPtr<IMoniker> moniker;
    ULONG eaten = 0;
    wchar_t name[] = L"winmgmts:\\\\.\\root\\cimv2";
    static auto* const parseDisplayName =
        SystemFunction<decltype(MkParseDisplayNameEx)>("urlmon.dll", "MkParseDisplayNameEx");
    // WMI that is not ready yet (an early logon) fails here: say so rather than give a code.
    constexpr char kConnecting[] = "Connecting to WMI (root\\cimv2)";
    CheckHrSaying(parseDisplayName(context.Get(), name, &eaten, &moniker), kConnecting);
    ComPtr<IDispatch> services;
    CheckHrSaying(
        moniker->BindToObject(context.Get(), nullptr, IID_IDispatch, reinterpret_cast<void**>(services.GetAddressOf())),
        kConnecting);
    return Variant::FromDispatch(services.Get());
}

std::wstring AdapterQueryText(bool ipEnabledOnly)
{
    std::wstring text = L"Select * from Win32_NetworkAdapterConfiguration ";
    if (ipEnabledOnly) text += L"where IPEnabled=TRUE";
    return text;
}

Variant QueryAdapterConfigurations(const Variant& services, bool ipEnabledOnly)
{
    Variant query = Variant::FromWide(AdapterQueryText(ipEnabledOnly));
    return CallMethod(services, L"ExecQuery", {ArgByValue(query)});
}

void ForEachConfiguration(const Variant& collection, const std::function<void(const Variant&)>& visit)
{
    const Variant holder = GetMember(collection, L"_NewEnum");
    IUnknown* unknown = (holder.Type() == VT_UNKNOWN || holder.Type() == VT_DISPATCH) ? holder.get().punkVal : nullptr;
    if (unknown == nullptr) RaiseError("Invalid variant operation");
    ComPtr<IEnumVARIANT> items;
    CheckHr(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(items.GetAddressOf())),
            "QueryInterface");
    Variant item;
    ULONG fetched = 0;
    while (items->Next(1, item.put(), &fetched) == S_OK && fetched == 1)
        visit(item);
}

Variant FindAdapterConfiguration(const Variant& collection, int32_t index)
{
    Variant result = Variant::FromInt(0);
    // Every item is visited: a later match replaces an earlier one, and an item whose Index
    // cannot be read drops what was found before it.
    ForEachConfiguration(collection, [&](const Variant& item) {
        const std::optional<Variant> number = NoneOnFailure([&] { return GetMember(item, L"Index"); });
        const std::optional<int32_t> value = number ? TryVariantInt(number->get()) : std::nullopt;
        if (!value) {
            result = Variant::FromInt(0);
        } else if (*value == index) {
            result = item.Copy();
        }
    });
    return result;
}

namespace {
// The configuration methods report, never raise: a call that cannot be made is -1.
int32_t MethodResult(const Variant& adapter, const wchar_t* method, const std::vector<VARIANT>& args)
{
    const std::optional<Variant> result = NoneOnFailure([&] { return CallMethod(adapter, method, args); });
    const std::optional<int32_t> code = result ? TryVariantInt(result->get()) : std::nullopt;
    return code.value_or(-1);
}

// The text of element 1 (the arrays the program builds start there); none when there is none.
std::optional<std::string> FirstElementText(const Variant& array) { return TryElementText(array.get(), 1); }
}  // namespace

int32_t AdapterEnableStatic(const Variant& adapter, const tIPSettings& settings)
{
    Variant addresses = settings.Addresses.Copy();
    Variant masks = settings.Masks.Copy();
    return MethodResult(adapter, L"EnableStatic", {ArgByRef(addresses), ArgByRef(masks)});
}

int32_t AdapterSetGateways(const Variant& adapter, const tGWSettings& settings)
{
    const std::optional<std::string> first = FirstElementText(settings.Gateways);
    if (!first) return -1;
    // An empty first gateway leaves the adapter's gateways as they are.
    if (first->empty()) return 0;
    Variant gateways = settings.Gateways.Copy();
    Variant metrics = settings.Metrics.Copy();
    return MethodResult(adapter, L"SetGateWays", {ArgByRef(gateways), ArgByRef(metrics)});
}

int32_t AdapterEnableDHCP(const Variant& adapter) { return MethodResult(adapter, L"EnableDHCP", {ArgOmitted()}); }

int32_t AdapterSetDnsServers(const Variant& adapter, const tDNSsettings& settings)
{
    const std::optional<std::string> first = FirstElementText(settings.Servers);
    if (!first) return -1;
    // Unlike the gateways, an empty first server is sent on, as a call without a list.
    if (first->empty()) return MethodResult(adapter, L"setDNSServerSearchOrder", {ArgOmitted()});
    Variant servers = settings.Servers.Copy();
    return MethodResult(adapter, L"setDNSServerSearchOrder", {ArgByRef(servers)});
}

std::string VariantToText(const Variant& value)
{
    if (!value.IsArray()) return VariantText(value.get());
    LONG lower = 0;
    LONG upper = -1;
    ArrayBounds(value.get(), lower, upper);
    std::string text;
    // From index 0, as WMI's arrays start there; an element that will not convert drops
    // what was gathered before it.
    for (LONG i = 0; i <= upper; ++i) {
        const std::optional<std::string> element = TryElementText(value.get(), i);
        if (element) {
            text += *element;
            text += ' ';
        } else {
            text.clear();
        }
    }
    return text;
}

std::optional<std::vector<std::string>> VariantToStringList(const Variant& value)
{
    if (value.IsNull()) return std::nullopt;
    std::vector<std::string> lines;
    if (!value.IsArray()) {
        lines.push_back(VariantText(value.get()));
        return lines;
    }
    LONG lower = 0;
    LONG upper = -1;
    ArrayBounds(value.get(), lower, upper);
    // An element without a text form is left out.
    for (LONG i = 0; i <= upper; ++i) {
        if (std::optional<std::string> element = TryElementText(value.get(), i)) lines.push_back(std::move(*element));
    }
    return lines;
}
