#pragma once
// Which profiles belong where the adapter is, and whether two readings are of one network. The
// rules of switching by location, apart from the window and the notifications that use them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "adapters/adapterstate.h"
#include "adapters/networkplace.h"
#include "profiles/iprofile.h"

// What the user chose for "When the network changes", kept per user as "nothing", "ask" or
// "apply"; Ask when none is kept. A policy's value of the same names wins over the user's.
// The order is the General tab's list.
enum class PlaceMode { Nothing = 0, Ask = 1, Apply = 2 };
PlaceMode ReadPlaceMode();
// The mode a policy sets, when it sets one the program knows.
std::optional<PlaceMode> PlaceModeByPolicy();
bool WritePlaceMode(PlaceMode mode);
inline constexpr char kPlaceModeValue[] = "WhenNetworkChanges";

// A profile's location taken from where the adapter is now ("Use here").
ProfileLocation LocationOf(const NetworkPlace& place);

// How many of a location's values the place reports alike; -1 when a value the place reports
// differs from the location's (another Wi-Fi name, another gateway), or none is alike.
int MatchingValues(const ProfileLocation& location, const NetworkPlace& place);

// The confirmed profiles whose location matches the place on the most values, by their keys in
// list order: one, several for a tie (asked, never guessed), or none.
std::vector<uint64_t> ProfilesForPlace(const TListItems& list, const NetworkPlace& place);

// Whether two readings are of one network: every value both report is the same. A change the
// program makes itself (a lease that brings a DHCP server, a static gateway now in the table)
// adds or drops values but changes none of those both report.
bool SameNetwork(const NetworkPlace& a, const NetworkPlace& b);

// Whether the adapter holds the profile already: on DHCP for a DHCP profile; else the profile's
// address and mask, and its gateway when it has one.
bool AdapterHolds(const AdapterConfiguration& adapter, const Tprofile& profile);
