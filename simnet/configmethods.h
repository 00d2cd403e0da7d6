#pragma once
// What Win32_NetworkAdapterConfiguration's four configuration methods do to an adapter, and
// the codes they answer, as Windows does.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "simnet/simnetwork.h"

enum class ConfigMethod { EnableStatic, SetGateWays, EnableDHCP, SetDnsServerSearchOrder };

// The codes these methods answer (the return values listed on each method's page of
// Win32_NetworkAdapterConfiguration).
namespace config_result {
constexpr int32_t Success = 0;
// SetGateways: "Method not supported when the NIC is in DHCP mode."
constexpr int32_t NotSupported = 64;
constexpr int32_t InvalidSubnetMask = 66;
constexpr int32_t InvalidInput = 68;
constexpr int32_t TooManyGateways = 69;
constexpr int32_t InvalidAddress = 70;
constexpr int32_t InvalidGateway = 71;
// EnableStatic on an adapter that is static already: Windows answers this and still makes
// the change (the method's Remarks).
constexpr int32_t DhcpServiceUnavailable = 81;
constexpr int32_t IpNotEnabled = 84;
constexpr int32_t MaxGateways = 5;
}  // namespace config_result

// How many arguments the method takes; further arguments must be omitted ones.
size_t ParameterCount(ConfigMethod method);

struct MethodOutcome {
    int32_t code = config_result::Success;
    bool changed = false;
    StoredGateways gateways = StoredGateways::Untouched;
};

// Checks the arguments (missing ones count as omitted) and changes `adapter` as the method
// would on Windows; each rule names the documented behaviour it follows in configmethods.cpp.
// In short:
// - EnableStatic(Addresses, Masks): IPv4 unicast addresses (70), contiguous masks, one per
//   address (66); DHCP off, and with it the lease's gateway and DNS servers; the stored
//   static gateways route again; 81 when the adapter was static already.
// - SetGateWays(Gateways, Metrics): 64 on a DHCP adapter; up to five (69) unicast gateways
//   (71); metrics 1..9999, 1 where omitted or missing; the adapter's own address clears them.
//   The only method that writes the stored gateways.
// - EnableDHCP(): asks for a lease, due at `leaseDue` (see TakeDueLease), and meanwhile no
//   IPv4 address; an adapter on DHCP already keeps its lease. The stored static gateways stay,
//   and so does a DNS list set by hand.
// - setDNSServerSearchOrder(Servers): unicast servers (70); omitted or empty clears the list
//   set by hand (a DHCP adapter falls back to its lease's server).
// Every method answers 84 on an adapter that is not IP-enabled or not connected, and 68 for
// a missing required argument or one of the wrong type. IPv6 entries are never touched.
MethodOutcome RunConfigurationMethod(ConfigMethod method, SimAdapter& adapter, const std::vector<SimArg>& args,
                                     uint64_t leaseDue);

// Gives the adapter the lease its network's DHCP server offers (SimAdapter::dhcpOffer, by
// default 10.0.<index>.100/24 with gateway, DNS and server 10.0.<index>.1): address, mask and
// gateway first in the live lists, the stored static gateways after the lease's; the server and
// the DNS suffix too.
void GiveDhcpLease(SimAdapter& adapter);
// Takes away what a lease gave (and any lease awaited), as when the adapter leaves its network:
// no IPv4 address, the stored static gateways, a DNS list set by hand kept.
void DropDhcpLease(SimAdapter& adapter);
// The lease asked for, once `now` (GetTickCount64) has reached its time: given when the adapter
// is still on DHCP, connected, and a server answers on its network; otherwise the request
// lapses and no lease ever comes of it. True when the lease was given.
bool TakeDueLease(SimAdapter& adapter, uint64_t now);
// Makes the adapter one that has always been on DHCP: no static gateway or DNS servers kept,
// and a lease.
void PutOnDhcp(SimAdapter& adapter);
