#pragma once
// Where an adapter is: the values by which Windows' own network list and security suites tell
// one network from another, each read from the documented call that gives it. The Wi-Fi name
// comes from the WLAN API's current connection, the default gateway's MAC address from the
// neighbour table (IP Helper), the DHCP server and the DNS suffix from the adapter's
// configuration in WMI. Windows says when any of them may have changed through the IP Helper's
// interface and address notifications and the WLAN API's connection notifications.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "adapters/wmiworks.h"

struct NetworkPlace {
    std::string wifiName;           // the network's SSID; empty on a wired adapter or when not joined
    bool wifiNameWithheld = false;  // Windows keeps the name back until the user grants location
    std::string gatewayMac;         // "00-1B-21-AA-BB-01"; empty when the gateway is not in the table
    std::string dhcpServer;         // empty when the adapter has no lease
    std::string dnsSuffix;          // the connection's DNS suffix
    bool Empty() const { return wifiName.empty() && gatewayMac.empty() && dhcpServer.empty() && dnsSuffix.empty(); }
    bool operator==(const NetworkPlace&) const = default;
};

// The Wi-Fi side of a place.
struct WifiConnection {
    std::string name;       // empty when the interface is not a Wi-Fi one, or not joined
    bool withheld = false;  // the interface is joined but Windows withholds the name
};

// The calls a place is read through, and the notifications that say it may have changed. The
// program uses Windows' own; the simulated network puts its own in their place.
struct PlaceReaders {
    // The Wi-Fi network the interface with this SettingID ("{GUID}") is joined to.
    std::function<WifiConnection(const std::string& settingId)> wifi;
    // The MAC address the neighbour table holds for `gateway` on that interface; empty when none.
    std::function<std::string(const std::string& settingId, const std::string& gateway)> neighbourMac;
    // From now until the returned object is let go, `changed` is called, on a thread of
    // Windows', whenever an interface, an address or a Wi-Fi connection changes.
    std::function<std::shared_ptr<void>(std::function<void()> changed)> listen;
};

PlaceReaders WindowsPlaceReaders();
// The readers the program uses: Windows' unless another set was given.
void SetPlaceReaders(PlaceReaders readers);
const PlaceReaders& CurrentPlaceReaders();

// The place of the adapter with this WMI Index, read with services of the calling thread's own
// (a worker thread: a WMI query takes a moment). An adapter that is not there, or whose link is
// down, is at no place (all empty).
NetworkPlace ReadNetworkPlace(const ConnectServicesFunction& connect, int32_t adapterIndex);
// The same for an adapter configuration already queried (the integer 0 for none).
NetworkPlace ReadNetworkPlace(const Variant& adapter);

// What the user is told the place is: the Wi-Fi name, else the DNS suffix, else the gateway's or
// the DHCP server's address.
std::string PlaceName(const NetworkPlace& place);
