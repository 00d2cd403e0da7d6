#pragma once
// Sending a profile's configuration to an adapter: the calls in the order the adapter needs
// them, stopping at the first it refuses. The main window and the elevated run of a change
// share it, so both make the same calls and report the same refusal.
#include <cstdint>
#include <string>
#include <vector>

#include "core/variant.h"

// What a profile holds for the adapter, as the calls take it.
struct ProfileSettings {
    bool dhcp = false;
    std::string ip, mask, gw, dns1, dns2;
};

// The first call the adapter refused; `step` is 0 when it took them all.
struct ConfigurationRefusal {
    int step = 0;  // 1 address and mask (or DHCP), 2 gateway, 3 DNS servers
    int32_t code = 0;
    explicit operator bool() const { return step != 0; }
};

// The whole change an activation makes: the adapter's stored gateway list (found by its
// SettingID in the registry adapter list, which the caller has built) is emptied, the
// settings are sent (DHCP alone, or EnableStatic, SetGateWays and setDNSServerSearchOrder,
// stopping at the first refused call; `settings.dns1` must be filled when dns2 is), and a
// refused change puts the stored list back as it was.
ConfigurationRefusal ApplyProfileSettings(const Variant& adapter, const std::string& settingId,
                                          const ProfileSettings& settings);

// The refused call, named for the user.
std::string RefusedCallName(const ProfileSettings& settings, const ConfigurationRefusal& refusal);

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
