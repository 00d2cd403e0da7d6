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
    CheckHr(CreateBindCtx(0, &context));
    ComPtr<IMoniker> moniker;
    ULONG eaten = 0;
    wchar_t name[] = L"winmgmts:\\\\.\\root\\cimv2";
    static auto* const parseDisplayName =
        SystemFunction<decltype(MkParseDisplayNameEx)>("urlmon.dll", "MkParseDisplayNameEx");
    // WMI that is not ready yet (an early logon) fails here: say so rather than give a code.
    constexpr char kConnecting[] = "Connecting to WMI (root\\cimv2)";
    CheckHr(parseDisplayName(context.Get(), name, &eaten, &moniker), kConnecting);
    ComPtr<IDispatch> services;
    CheckHr(moniker->BindToObject(context.Get(), nullptr, IID_IDispatch,
                                  reinterpret_cast<void**>(services.GetAddressOf())),
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

Variant FindAdapterConfiguration(const Variant& collection, int32_t index)
{
    Variant result = Variant::FromInt(0);
    Variant enumHolder = GetMember(collection, L"_NewEnum");
    IUnknown* unknown =
        (enumHolder.Type() == VT_UNKNOWN || enumHolder.Type() == VT_DISPATCH) ? enumHolder.get().punkVal : nullptr;
    if (unknown == nullptr) RaiseError("Invalid variant operation");
    ComPtr<IEnumVARIANT> items;
    CheckHr(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(items.GetAddressOf())));

    Variant item;
    ULONG fetched = 0;
    while (items->Next(1, item.put(), &fetched) == S_OK && fetched == 1) {
        // Every item is visited: a later match replaces an earlier one.
        try {
            if (VariantInt(GetMember(item, L"Index").get()) == index) result = item.Copy();
        } catch (const AppError&) {
            result = Variant::FromInt(0);
        }
    }
    return result;
}

namespace {
// The configuration methods report, never raise: any failure of the call itself is -1.
template <typename Call>
int32_t MethodResult(Call call) noexcept
{
    try {
        return VariantInt(call().get());
    } catch (const std::exception&) {
        return -1;
    }
}

std::string FirstElementText(const Variant& array) { return VariantText(ArrayElement(array.get(), 1).get()); }
}  // namespace

int32_t AdapterEnableStatic(const Variant& adapter, const tIPSettings& settings)
{
    return MethodResult([&] {
        Variant addresses = settings.Addresses.Copy();
        Variant masks = settings.Masks.Copy();
        return CallMethod(adapter, L"EnableStatic", {ArgByRef(addresses), ArgByRef(masks)});
    });
}

int32_t AdapterSetGateways(const Variant& adapter, const tGWSettings& settings)
{
    try {
        // An empty first gateway leaves the adapter's gateways as they are.
        if (FirstElementText(settings.Gateways).empty()) return 0;
    } catch (const std::exception&) {
        return -1;
    }
    return MethodResult([&] {
        Variant gateways = settings.Gateways.Copy();
        Variant metrics = settings.Metrics.Copy();
        return CallMethod(adapter, L"SetGateWays", {ArgByRef(gateways), ArgByRef(metrics)});
    });
}

int32_t AdapterEnableDHCP(const Variant& adapter)
{
    return MethodResult([&] { return CallMethod(adapter, L"EnableDHCP", {ArgOmitted()}); });
}

int32_t AdapterSetDnsServers(const Variant& adapter, const tDNSsettings& settings)
{
    return MethodResult([&] {
        // Unlike the gateways, an empty first server is sent on, as a call without a list.
        if (FirstElementText(settings.Servers).empty()) {
            return CallMethod(adapter, L"setDNSServerSearchOrder", {ArgOmitted()});
        }
        Variant servers = settings.Servers.Copy();
        return CallMethod(adapter, L"setDNSServerSearchOrder", {ArgByRef(servers)});
    });
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
        try {
            text += VariantText(ArrayElement(value.get(), i).get());
            text += ' ';
        } catch (const AppError&) {
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
    for (LONG i = 0; i <= upper; ++i) {
        try {
            lines.push_back(VariantText(ArrayElement(value.get(), i).get()));
        } catch (const AppError&) {
            // An element without a text form is left out.
        }
    }
    return lines;
}
