#include "profiles/location.h"

#include "core/policies.h"
#include "core/registry.h"

namespace {
// -1 when both report a value and they differ, 1 when they are alike, 0 when either is empty.
int Compare(const std::string& wanted, const std::string& seen)
{
    if (wanted.empty() || seen.empty()) return 0;
    return wanted == seen ? 1 : -1;
}

constexpr const char* kPlaceModeNames[] = {"nothing", "ask", "apply"};

std::optional<PlaceMode> PlaceModeNamed(const std::string& name)
{
    for (int mode = 0; mode < 3; ++mode)
        if (name == kPlaceModeNames[mode]) return static_cast<PlaceMode>(mode);
    return std::nullopt;
}
}  // namespace

std::optional<PlaceMode> PlaceModeByPolicy()
{
    const std::optional<std::string>& set = ProgramPolicies().whenNetworkChanges;
    return set ? PlaceModeNamed(*set) : std::nullopt;
}

PlaceMode ReadPlaceMode()
{
    if (const std::optional<PlaceMode> set = PlaceModeByPolicy()) return *set;
    // Ask until the user says otherwise: nothing changes behind the user's back by default.
    return PlaceModeNamed(ReadUserString(kUserSettingsKey, kPlaceModeValue)).value_or(PlaceMode::Ask);
}

bool WritePlaceMode(PlaceMode mode)
{
    return WriteUserString(kUserSettingsKey, kPlaceModeValue, kPlaceModeNames[static_cast<int>(mode)]);
}

ProfileLocation LocationOf(const NetworkPlace& place)
{
    return {place.wifiName, place.gatewayMac, place.dhcpServer, place.dnsSuffix};
}

int MatchingValues(const ProfileLocation& location, const NetworkPlace& place)
{
    const int compared[] = {Compare(location.wifiName, place.wifiName), Compare(location.gatewayMac, place.gatewayMac),
                            Compare(location.dhcpServer, place.dhcpServer),
                            Compare(location.dnsSuffix, place.dnsSuffix)};
    int alike = 0;
    for (const int result : compared) {
        if (result < 0) return -1;
        alike += result;
    }
    return alike > 0 ? alike : -1;
}

std::vector<uint64_t> ProfilesForPlace(const TListItems& list, const NetworkPlace& place)
{
    std::vector<uint64_t> best;
    int bestValues = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const Tprofile& profile = ProfileAt(list, i);
        if (!profile.confirmed || profile.location.Empty()) continue;
        const int values = MatchingValues(profile.location, place);
        if (values <= 0 || values < bestValues) continue;
        if (values > bestValues) best.clear();
        bestValues = values;
        best.push_back(profile.key);
    }
    return best;
}

bool SameNetwork(const NetworkPlace& a, const NetworkPlace& b)
{
    return Compare(a.wifiName, b.wifiName) >= 0 && Compare(a.gatewayMac, b.gatewayMac) >= 0 &&
           Compare(a.dhcpServer, b.dhcpServer) >= 0 && Compare(a.dnsSuffix, b.dnsSuffix) >= 0;
}

bool AdapterHolds(const AdapterConfiguration& adapter, const Tprofile& profile)
{
    if (profile.dhcp) return adapter.dhcp;
    if (adapter.dhcp || adapter.addresses.empty() || adapter.addresses.front() != profile.ip ||
        adapter.masks.front() != profile.mask)
        return false;
    return profile.gw.empty() || (!adapter.gateways.empty() && adapter.gateways.front() == profile.gw);
}
