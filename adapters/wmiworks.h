#pragma once
// The program's only door to the live network configuration: WMI's
// Win32_NetworkAdapterConfiguration, reached late-bound through automation variants.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "adapters/addresstext.h"
#include "core/variant.h"

// Argument records of the configuration methods. Every array is built with lower bound 1:
// the operations read element 1 as the first element.
struct tIPSettings {
    Variant Addresses;  // texts
    Variant Masks;      // texts, one per address
};
struct tGWSettings {
    Variant Gateways;  // texts
    Variant Metrics;   // 32-bit integers, one per gateway
};
struct tDNSsettings {
    Variant Servers;  // texts, in search order
};

// The WMI services object for root\cimv2; raises with the platform's text on failure.
Variant ConnectWmiServices();

// Where the program finds its WMI services: the real WMI, the simulated network, or a test's
// own object. Raises when the connection fails. It may be called on any thread: a change makes
// its calls on a thread of its own, with services of that thread's.
using ConnectServicesFunction = std::function<Variant()>;

// The query text the program sends; the filtered one keeps exactly one space before "where".
std::wstring AdapterQueryText(bool ipEnabledOnly);
Variant QueryAdapterConfigurations(const Variant& services, bool ipEnabledOnly);

// Calls `visit` with each configuration of a query result, in the order it enumerates.
void ForEachConfiguration(const Variant& collection, const std::function<void(const Variant&)>& visit);

// The configuration whose Index equals `index` (the last one when several do), or the
// integer 0 when none does.
Variant FindAdapterConfiguration(const Variant& collection, int32_t index);

// The four configuration methods. They never raise: the method's own result code, or -1
// when the call could not be made.
int32_t AdapterEnableStatic(const Variant& adapter, const tIPSettings& settings);
int32_t AdapterSetGateways(const Variant& adapter, const tGWSettings& settings);
int32_t AdapterEnableDHCP(const Variant& adapter);
int32_t AdapterSetDnsServers(const Variant& adapter, const tDNSsettings& settings);

// Display form of a property value: array elements each followed by one space; Null empty.
std::string VariantToText(const Variant& value);
// One line per array element, one line for a scalar, no list for Null.
std::optional<std::vector<std::string>> VariantToStringList(const Variant& value);

// The configuration methods' result codes the program acts on (the pages of
// Win32_NetworkAdapterConfiguration's methods).
inline constexpr int32_t kMethodNotSupported = 64;  // SetGateWays on an adapter that is on DHCP
inline constexpr int32_t kAlreadyStatic = 81;       // EnableStatic on a static adapter: made all the same
inline constexpr int32_t kAccessDenied = 91;        // a standard user's process under UAC

// Short English text for a configuration method's result code, for telling the user why
// a change was refused.
std::string ConfigurationResultText(int32_t code);
