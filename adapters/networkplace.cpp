#include "adapters/networkplace.h"

#include <winsock2.h>
#include <ws2ipdef.h>
// winsock2 before windows.h, as the IP Helper headers want.
#include <windows.h>
#include <iphlpapi.h>
#include <netioapi.h>
#include <objbase.h>
#include <wlanapi.h>

#include <cstdio>
#include <mutex>
#include <optional>
#include <utility>

#include "adapters/addresstext.h"
#include "adapters/shownaddress.h"
#include "core/dispatch.h"
#include "core/systemdll.h"
#include "core/text.h"

namespace {
// Both DLLs are loaded only when a place is read or watched: most runs never need them.
constexpr char kWlanDll[] = "wlanapi.dll";
constexpr char kIpHelperDll[] = "iphlpapi.dll";

std::optional<GUID> InterfaceGuid(const std::string& settingId)
{
    GUID guid{};
    if (FAILED(CLSIDFromString(WideFromAnsi(settingId).c_str(), &guid))) return std::nullopt;
    return guid;
}

// An open WLAN client handle, closed when it goes.
struct WlanClient {
    HANDLE handle = nullptr;
    WlanClient()
    {
        const auto open = TrySystemFunction<decltype(WlanOpenHandle)>(kWlanDll, "WlanOpenHandle");
        DWORD version = 0;
        // Without the WLAN service (no Wi-Fi hardware, a server) there is no Wi-Fi side.
        if (open == nullptr || open(2, nullptr, &version, &handle) != ERROR_SUCCESS) handle = nullptr;
    }
    ~WlanClient()
    {
        if (handle != nullptr) SystemFunction<decltype(WlanCloseHandle)>(kWlanDll, "WlanCloseHandle")(handle, nullptr);
    }
    WlanClient(const WlanClient&) = delete;
    WlanClient& operator=(const WlanClient&) = delete;
};

WifiConnection WindowsWifi(const std::string& settingId)
{
    const std::optional<GUID> guid = InterfaceGuid(settingId);
    WlanClient client;
    if (!guid || client.handle == nullptr) return {};
    DWORD size = 0;
    void* data = nullptr;
    const DWORD status = SystemFunction<decltype(WlanQueryInterface)>(kWlanDll, "WlanQueryInterface")(
        client.handle, &*guid, wlan_intf_opcode_current_connection, nullptr, &size, &data, nullptr);
    // Windows 11 answers ERROR_ACCESS_DENIED for a joined interface while the user has not let
    // desktop apps use location ("Changes to API behavior for Wi-Fi access and location").
    if (status == ERROR_ACCESS_DENIED) return {"", true};
    // ERROR_INVALID_STATE: not joined; ERROR_NOT_FOUND: not a Wi-Fi interface.
    if (status != ERROR_SUCCESS || data == nullptr) return {};
    const auto* attributes = static_cast<const WLAN_CONNECTION_ATTRIBUTES*>(data);
    WifiConnection connection;
    if (attributes->isState == wlan_interface_state_connected) {
        const DOT11_SSID& ssid = attributes->wlanAssociationAttributes.dot11Ssid;
        const ULONG length = ssid.uSSIDLength < DOT11_SSID_MAX_LENGTH ? ssid.uSSIDLength : DOT11_SSID_MAX_LENGTH;
        connection.name.assign(reinterpret_cast<const char*>(ssid.ucSSID), length);
    }
    SystemFunction<decltype(WlanFreeMemory)>(kWlanDll, "WlanFreeMemory")(data);
    return connection;
}

std::string MacText(const UCHAR* bytes, ULONG length)
{
    std::string text;
    for (ULONG i = 0; i < length; ++i) {
        char part[4];
        std::snprintf(part, sizeof part, i == 0 ? "%02X" : "-%02X", bytes[i]);
        text += part;
    }
    return text;
}

std::string WindowsNeighbourMac(const std::string& settingId, const std::string& gateway)
{
    const std::optional<GUID> guid = InterfaceGuid(settingId);
    unsigned parts[4] = {};
    if (!guid || !IsIPv4Text(gateway) ||
        std::sscanf(gateway.c_str(), "%u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]) != 4)
        return {};
    MIB_IPNET_ROW2 row{};
    if (SystemFunction<decltype(ConvertInterfaceGuidToLuid)>(kIpHelperDll, "ConvertInterfaceGuidToLuid")(
            &*guid, &row.InterfaceLuid) != NO_ERROR)
        return {};
    row.Address.si_family = AF_INET;
    row.Address.Ipv4.sin_family = AF_INET;
    for (int i = 0; i < 4; ++i)
        reinterpret_cast<UCHAR*>(&row.Address.Ipv4.sin_addr)[i] = static_cast<UCHAR>(parts[i]);
    // The table's entry, or, when the gateway has not been spoken to yet, one resolved now (an
    // ARP request: this runs on a thread of its own).
    bool found = SystemFunction<decltype(GetIpNetEntry2)>(kIpHelperDll, "GetIpNetEntry2")(&row) == NO_ERROR &&
                 row.State != NlnsUnreachable && row.State != NlnsIncomplete;
    if (!found)
        found =
            SystemFunction<decltype(ResolveIpNetEntry2)>(kIpHelperDll, "ResolveIpNetEntry2")(&row, nullptr) == NO_ERROR;
    if (!found || row.PhysicalAddressLength == 0) return {};
    return MacText(row.PhysicalAddress, row.PhysicalAddressLength);
}

// What a registration hands Windows as its context: called from Windows' threads.
struct Listening {
    std::function<void()> changed;
    HANDLE interfaceNotice = nullptr;
    HANDLE addressNotice = nullptr;
    std::optional<WlanClient> wlan;
};

void WINAPI InterfaceChanged(void* context, MIB_IPINTERFACE_ROW*, MIB_NOTIFICATION_TYPE)
{
    static_cast<Listening*>(context)->changed();
}
void WINAPI AddressChanged(void* context, MIB_UNICASTIPADDRESS_ROW*, MIB_NOTIFICATION_TYPE)
{
    static_cast<Listening*>(context)->changed();
}
void WINAPI WlanNotified(WLAN_NOTIFICATION_DATA* data, void* context)
{
    if (data == nullptr || data->NotificationSource != WLAN_NOTIFICATION_SOURCE_ACM) return;
    if (data->NotificationCode == wlan_notification_acm_connection_complete ||
        data->NotificationCode == wlan_notification_acm_disconnected)
        static_cast<Listening*>(context)->changed();
}

std::shared_ptr<void> WindowsListen(std::function<void()> changed)
{
    auto listening = std::make_unique<Listening>();
    listening->changed = std::move(changed);
    // A source Windows does not offer (no WLAN service) is left out; the others still tell.
    if (const auto notify =
            TrySystemFunction<decltype(NotifyIpInterfaceChange)>(kIpHelperDll, "NotifyIpInterfaceChange"))
        if (notify(AF_INET, InterfaceChanged, listening.get(), FALSE, &listening->interfaceNotice) != NO_ERROR)
            listening->interfaceNotice = nullptr;
    if (const auto notify =
            TrySystemFunction<decltype(NotifyUnicastIpAddressChange)>(kIpHelperDll, "NotifyUnicastIpAddressChange"))
        if (notify(AF_INET, AddressChanged, listening.get(), FALSE, &listening->addressNotice) != NO_ERROR)
            listening->addressNotice = nullptr;
    listening->wlan.emplace();
    const auto registerWlan =
        TrySystemFunction<decltype(WlanRegisterNotification)>(kWlanDll, "WlanRegisterNotification");
    if (listening->wlan->handle == nullptr || registerWlan == nullptr ||
        registerWlan(listening->wlan->handle, WLAN_NOTIFICATION_SOURCE_ACM, TRUE, WlanNotified, listening.get(),
                     nullptr, nullptr) != ERROR_SUCCESS)
        listening->wlan.reset();
    return std::shared_ptr<void>(listening.release(), [](void* pointer) {
        auto* listening = static_cast<Listening*>(pointer);
        // Each cancel waits for a callback under way, so none runs once this has returned.
        const auto cancel = TrySystemFunction<decltype(CancelMibChangeNotify2)>(kIpHelperDll, "CancelMibChangeNotify2");
        if (cancel != nullptr && listening->interfaceNotice != nullptr) cancel(listening->interfaceNotice);
        if (cancel != nullptr && listening->addressNotice != nullptr) cancel(listening->addressNotice);
        listening->wlan.reset();  // closing the client handle ends its notifications
        delete listening;
    });
}

std::mutex g_readersLock;
std::optional<PlaceReaders> g_readers;

// A text property; empty for Null, and for a member this WMI does not have.
std::string TextOf(const Variant& adapter, const wchar_t* member)
{
    const std::optional<Variant> value = TryGetMember(adapter, member);
    return value ? TryVariantText(value->get()).value_or("") : std::string();
}

bool TrueOf(const Variant& adapter, const wchar_t* member)
{
    const std::optional<Variant> value = TryGetMember(adapter, member);
    if (!value) return false;
    if (value->Type() == VT_BOOL) return value->get().boolVal != VARIANT_FALSE;
    return VariantInt(value->get()) != 0;
}
}  // namespace

PlaceReaders WindowsPlaceReaders() { return {WindowsWifi, WindowsNeighbourMac, WindowsListen}; }

void SetPlaceReaders(PlaceReaders readers)
{
    const std::scoped_lock lock(g_readersLock);
    g_readers = std::move(readers);
}

const PlaceReaders& CurrentPlaceReaders()
{
    const std::scoped_lock lock(g_readersLock);
    if (!g_readers) g_readers = WindowsPlaceReaders();
    return *g_readers;
}

NetworkPlace ReadNetworkPlace(const ConnectServicesFunction& connect, int32_t adapterIndex)
{
    return ReadNetworkPlace(FindAdapterConfiguration(QueryAdapterConfigurations(connect(), false), adapterIndex));
}

NetworkPlace ReadNetworkPlace(const Variant& adapter)
{
    NetworkPlace place;
    // Gone, or its link down (WMI reports it as not IP-enabled): it is nowhere.
    if (!adapter.HoldsObject() || !TrueOf(adapter, L"IPEnabled")) return place;
    const std::string settingId = TextOf(adapter, L"SettingID");
    const PlaceReaders& readers = CurrentPlaceReaders();
    const WifiConnection wifi = readers.wifi(settingId);
    place.wifiName = wifi.name;
    place.wifiNameWithheld = wifi.withheld;
    const std::string gateway = FirstIPv4Element(GetMember(adapter, L"DefaultIPGateway"));
    if (!gateway.empty()) place.gatewayMac = readers.neighbourMac(settingId, gateway);
    if (TrueOf(adapter, L"DHCPEnabled")) place.dhcpServer = TextOf(adapter, L"DHCPServer");
    place.dnsSuffix = TextOf(adapter, L"DNSDomain");
    return place;
}

std::string PlaceName(const NetworkPlace& place)
{
    if (!place.wifiName.empty()) return place.wifiName;
    if (!place.dnsSuffix.empty()) return place.dnsSuffix;
    if (!place.gatewayMac.empty()) return "the network of gateway " + place.gatewayMac;
    if (!place.dhcpServer.empty()) return "the network of DHCP server " + place.dhcpServer;
    return "no network";
}
