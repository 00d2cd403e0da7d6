#pragma once
// The one address, mask and gateway the program shows or copies for an adapter (the tray
// hint, the Profiles tab's current details, the first start's "Default", "Get System
// Settings"). The rule lives here only.
#include <string>

#include "adapters/reg.h"
#include "core/variant.h"

struct AdapterAddress {
    std::string address;
    std::string mask;
    std::string gateway;
};

// The first IPv4 element of a WMI list property (IPAddress, IPSubnet, DefaultIPGateway),
// passing over IPv6 entries; empty text for Null or a list without one.
std::string FirstIPv4Element(const Variant& list);

// Without stored settings, WMI's first IPv4 address, mask and gateway. With them, the stored
// ones; but a DHCP adapter stores "0.0.0.0" as its own address and keeps its lease apart, so
// for it the lease ("DhcpIPAddress", "DhcpSubnetMask", "DhcpDefaultGateway"), and WMI's where
// the registry holds no lease. WMI is read only when needed.
AdapterAddress ShownAddress(const tadapter* stored, const Variant& configuration);
