#pragma once
// A change handed to an elevated run of the program: what it names, written as the run's
// command line and read back from it strictly, and the run's result as its exit code.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "adapters/configure.h"

struct ElevatedChange {
    enum class Kind { ApplyProfile, ApplyDetails, Autostart, Restore };
    Kind kind = Kind::ApplyProfile;
    int32_t adapter = 0;                 // ApplyProfile, ApplyDetails, Restore: the adapter configuration's WMI Index
    std::string settingId;               // ApplyProfile, Restore: whose stored gateway list is emptied first
    ProfileSettings profile;             // ApplyProfile
    AdapterConfiguration configuration;  // Restore: what Undo brings back
    DetailSettings details;              // ApplyDetails
    bool autostart = false;              // Autostart: write the entry (true) or delete it
};

// The first argument of every elevated run; a start without it is the tray program.
inline constexpr char kElevatedChangeSwitch[] = "--elevated-change";

// The parameters of the elevated run, the switch first. Values travel percent-encoded, so no
// argument holds a space or a quote.
std::string ElevatedParameters(const ElevatedChange& change);
// The change the arguments (after the program's name) describe; none unless every argument is
// understood: the switch, a known change, each of its keys once, every value well formed.
std::optional<ElevatedChange> ParseElevatedArguments(const std::vector<std::string>& arguments);

// Exit codes of the elevated run. A result carries a mark in its high bits, so that no
// result is mistaken for a failure or for another kind's result.
inline constexpr uint32_t kElevatedMalformed = 1;  // arguments not understood; nothing touched
inline constexpr uint32_t kElevatedFailed = 2;     // the change raised (no WMI, adapter gone)
uint32_t PackRefusal(const ConfigurationRefusal& refusal);
uint32_t PackDetailResults(const DetailResults& results);
uint32_t PackAutostartResult(bool done);

// What an elevated run made of its change, as the same change made in the program reports it:
// the field of the change's kind is the one filled.
struct ElevatedResult {
    ConfigurationRefusal refusal;  // ApplyProfile, Restore
    DetailResults details;         // ApplyDetails
    bool autostart = false;        // Autostart: the entry was written or deleted
};
// The result that `exitCode` carries for a change of `kind`. None for any other exit code: the
// run did not understand the change or failed (the codes above), crashed, or was ended.
std::optional<ElevatedResult> ReadElevatedResult(ElevatedChange::Kind kind, uint32_t exitCode);
