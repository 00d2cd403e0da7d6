#pragma once
// Where the demo laptop is. The places its Wi-Fi adapter moves between, Windows' order of
// events on a move, and the readers through which the program learns where an adapter is: the
// simulated network's stand-ins for the WLAN API's current connection, IP Helper's neighbour
// table and their notifications (under Wine 8 the WLAN API lists no interface and IP Helper
// never calls back, see platform.md).
#include <windows.h>

#include <string>
#include <vector>

#include "adapters/networkplace.h"
#include "simnet/simnetwork.h"

// "home", "office", "cafe", "away", in the order they are listed to a user.
const std::vector<std::string>& SimPlaceNames();

// Free-threaded, like the rest of the network:
// - wifi(settingId): the adapter's SSID while it is a Wi-Fi adapter, joined and its link up;
//   while the network withholds Wi-Fi names (SimNetwork::WithholdWifiNames) an empty name
//   marked withheld instead;
// - neighbourMac(settingId, gateway): the neighbour table's entry for `gateway` while the link
//   is up;
// - listen(changed): a watcher on the network (SimNetwork::AddWatcher) until the returned
//   object goes.
PlaceReaders SimPlaceReaders(SimNetwork network);

// Takes the laptop's Wi-Fi adapter (the first wireless one) to `place`, in Windows' order and
// time, on the calling thread: it leaves the old network (link down, no Wi-Fi name, its routers
// and a DHCP lease gone), waits the network's move time, joins the new one (its name, its
// routers, its DHCP server or none) and, on DHCP, gets the lease after the lease time. A static
// adapter keeps its settings. "away" ends after leaving. Each step is one change of the adapter.
// False for an unknown place or a network without a Wi-Fi adapter.
bool MoveLaptop(SimNetwork& network, const std::string& place);

// The Wi-Fi link goes down and comes back `times` times, the steps spread evenly over
// `withinMs`, and ends up, each step one change; the adapter keeps its network and lease, as
// Windows finds the same lease again on a short drop. False, changing nothing, when the Wi-Fi
// adapter is not joined to a network or `times` is below 1.
bool FlapLink(SimNetwork& network, int times, DWORD withinMs);
