#pragma once
// Sending a profile's configuration to an adapter: the calls in the order the adapter needs
// them, stopping at the first it refuses. The main window and the elevated run of a change
// share it, so both make the same calls and report the same refusal.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "adapters/adapterstate.h"
#include "adapters/reg.h"
#include "core/variant.h"

// What a profile holds for the adapter, as the calls take it.
struct ProfileSettings {
    bool dhcp = false;
    std::string ip, mask, gw, dns1, dns2;
};

// The steps of sending a profile, in their order. A DHCP profile has the first and the last.
enum ConfigurationStep : int {
    kAddressStep = 1,  // EnableStatic, or EnableDHCP for a DHCP profile
    kGatewayStep = 2,  // SetGateWays, sent only for a profile with a gateway
    kDnsStep = 3,      // setDNSServerSearchOrder
};

// The first call the adapter refused; `step` is 0 when it took them all. The steps before it
// were made, and none after it was sent.
struct ConfigurationRefusal {
    int step = 0;
    int32_t code = 0;
    explicit operator bool() const { return step != 0; }
};

// The whole change an activation makes: the adapter's stored gateway list (found by its
// SettingID in the registry adapter list, which the caller has built) is emptied, then the
// settings are sent (EnableDHCP with the DNS servers handed back, or EnableStatic, SetGateWays
// and setDNSServerSearchOrder), stopping at the first refused call. Only a change refused at its
// first call, which left the adapter as it was, gets the stored list back.
ConfigurationRefusal ApplyProfileSettings(const Variant& adapter, const std::string& settingId,
                                          const ProfileSettings& settings);

// Its parts, for a caller that makes the calls on another thread: the registry's, on the thread
// that owns the registry adapter list (it is rebuilt there), before and after the calls.
struct StoredGatewayChange {
    std::optional<tadapter> record;  // a copy: a refresh meanwhile rebuilds the list
    StoredGateway previous;
};
// Empties the adapter's stored gateway list, keeping what it was.
StoredGatewayChange EmptyStoredGateway(const std::string& settingId);
// Puts the list back as it was when the change was refused at its first call (or, with no
// refusal given, when no call was made at all).
void FinishStoredGateway(const StoredGatewayChange& change, const std::optional<ConfigurationRefusal>& refusal);
// The calls alone; what was sent before a refused call stays.
ConfigurationRefusal SendProfileSettings(const Variant& adapter, const ProfileSettings& settings);

// What Undo makes: the calls that bring back a whole configuration (DHCP, with servers set by
// hand when they were; or every address and mask, every gateway with its metric, and the
// servers), stopping at the first refused call, in the steps above. The stored gateway list is
// emptied first for a static one and written as it was kept afterwards, as for a profile.
ConfigurationRefusal RestoreAdapterConfiguration(const Variant& adapter, const std::string& settingId,
                                                 const AdapterConfiguration& configuration);
ConfigurationRefusal SendConfiguration(const Variant& adapter, const AdapterConfiguration& configuration);
// Writes the stored gateway list as the configuration kept it (nothing when it was not known).
void PutStoredGateway(const StoredGatewayChange& change, const AdapterConfiguration& configuration);

// The steps a profile, or a configuration brought back, sends, in order: what a refusal's text
// lists as made, refused or not sent.
std::vector<int> ConfigurationSteps(const ProfileSettings& settings);
std::vector<int> ConfigurationSteps(const AdapterConfiguration& configuration);
// A step, named for the user.
std::string ConfigurationStepName(bool dhcp, int step);
// Whether the DNS servers were sent: a static profile whose change reached that step.
bool DnsServersSent(const ProfileSettings& settings, const ConfigurationRefusal& refusal);
// A lone alternate DNS server is sent as the preferred one; the profile takes the same move
// once its servers have been sent.
void MoveLoneAlternateServerUp(std::string& dns1, std::string& dns2);

// The details edited on the Network Configuration tab, as "Apply Changes" sends them, and
// each call's result (-1 when the call could not be made).
struct DetailSettings {
    std::vector<std::string> addresses, masks, gateways, servers;
};
struct DetailResults {
    int32_t gateways = 0, address = 0, servers = 0;
};
DetailResults SendDetailSettings(const Variant& adapter, const DetailSettings& settings);

// Whether a configuration method's result means the change was made.
bool ConfigurationAccepted(int32_t code);
