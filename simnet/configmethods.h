#pragma once
// What Win32_NetworkAdapterConfiguration's four configuration methods do to an adapter, and
// the codes they answer, as Windows does.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "simnet/simnetwork.h"

enum class ConfigMethod { EnableStatic, SetGateWays, EnableDHCP, SetDnsServerSearchOrder };

// The codes these methods answer (the documented return values of the class's methods).
namespace config_result {
constexpr int32_t Success = 0;
constexpr int32_t InvalidSubnetMask = 66;
constexpr int32_t InvalidInput = 68;
constexpr int32_t TooManyGateways = 69;
constexpr int32_t InvalidAddress = 70;
constexpr int32_t InvalidGateway = 71;
// EnableStatic on an adapter that is static already: Windows answers this and still makes
// the change.
constexpr int32_t DhcpServiceUnavailable = 81;
constexpr int32_t IpNotEnabled = 84;
constexpr int32_t MaxGateways = 5;
}  // namespace config_result

// How many arguments the method takes; further arguments must be omitted ones.
size_t ParameterCount(ConfigMethod method);

struct MethodOutcome {
    int32_t code = config_result::Success;
    bool changed = false;
};

// Checks the arguments (missing ones count as omitted) and changes `adapter` as the method
// would on Windows:
// - EnableStatic(Addresses, Masks): text arrays of unicast addresses (70) and contiguous
//   masks, one per address (66); DHCP off; gateways and DNS kept; 81 when already static.
// - SetGateWays(Gateways, Metrics): up to five (69) unicast gateways (71); metrics 1..9999,
//   1 where omitted or missing.
// - EnableDHCP(): a lease of 10.0.<index>.100/24, gateway and DNS 10.0.<index>.1 (a DNS list
//   set by hand is kept).
// - setDNSServerSearchOrder(Servers): unicast servers (70); omitted or empty clears the list
//   set by hand (a DHCP adapter falls back to its lease's server).
// Every method answers 84 on an adapter that is not IP-enabled, and 68 for a missing
// required argument or one of the wrong type.
MethodOutcome RunConfigurationMethod(ConfigMethod method, SimAdapter& adapter, const std::vector<SimArg>& args);

// The addresses a DHCP server gives the simulated adapter.
void GiveDhcpLease(SimAdapter& adapter);
