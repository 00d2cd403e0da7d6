#pragma once
// One adapter's IPv4 configuration as Windows holds it, whole: what Undo brings back, and what
// a change is checked against once it is made.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "adapters/reg.h"
#include "core/variant.h"

struct AdapterConfiguration {
    bool dhcp = false;
    // IPv4 only, in WMI's order (it lists IPv6 entries after them): the addresses with their
    // masks, the gateways with their metrics.
    std::vector<std::string> addresses, masks, gateways;
    std::vector<int32_t> metrics;
    std::vector<std::string> dnsServers;
    // The servers were set by hand: they survive EnableDHCP, where a lease's go with it.
    bool dnsByHand = false;
    // The interface key's "DefaultGateway", which a static change routes through.
    StoredGateway storedGateway;

    bool operator==(const AdapterConfiguration&) const;
};

// Whether two configurations are the same to the user: DHCP or the same static addresses,
// masks and gateways, and the same servers set by hand. A lease that was renewed, metrics and the
// stored gateway list do not count.
bool SameSettings(const AdapterConfiguration& a, const AdapterConfiguration& b);

// What WMI reports of a Win32_NetworkAdapterConfiguration object. Whether the servers were set
// by hand and the stored gateway come from the registry (AddStoredSettings).
AdapterConfiguration ReadAdapterConfiguration(const Variant& adapter);
// Adds what the registry keeps: a non-empty "NameServer" means servers set by hand.
void AddStoredSettings(AdapterConfiguration& configuration, const tadapter* stored);

// The address a DHCP adapter was given: its first IPv4 address, unless it is none yet, 0.0.0.0,
// or an address Windows gives itself when no server answers (169.254.x.x, "Automatic Private
// IP Addressing").
std::optional<std::string> LeasedAddress(const AdapterConfiguration& configuration);

// For the user, in one line: "DHCP" or "DHCP, 10.0.1.100"; "10.0.0.5/255.0.0.0, gateway
// 10.0.0.1, DNS 10.0.0.2 10.0.0.3".
std::string DescribeConfiguration(const AdapterConfiguration& configuration);
// What Undo's entry names as the way back: "DHCP", or the first address.
std::string ShortDescription(const AdapterConfiguration& configuration);

// Written as key=value lines and read back strictly (none unless every line is understood), for
// the user's Undo record and the elevated run's arguments.
std::vector<std::string> ConfigurationLines(const AdapterConfiguration& configuration);
std::optional<AdapterConfiguration> ConfigurationFromLines(const std::vector<std::string>& lines);
