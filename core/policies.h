#pragma once
// What an organisation sets for the program through Group Policy: values under
// Software\Policies\Velmora, the machine's (HKLM) before the user's (HKCU), read once when the
// main window is made. policies/velmora.admx describes exactly these values to the Group
// Policy editor; a test holds the two together.
#include <windows.h>

#include <optional>
#include <string>

inline constexpr char kPolicyKey[] = "Software\\Policies\\Velmora";

// Each value the program reads, with the type it reads it as.
struct PolicyValue {
    const char* name;
    DWORD type;
};
inline constexpr PolicyValue kProfilesFilePolicy{"ProfilesFile", REG_EXPAND_SZ};  // REG_SZ is taken too
inline constexpr PolicyValue kLockProfilesPolicy{"LockProfiles", REG_DWORD};
inline constexpr PolicyValue kLoadOnStartupPolicy{"LoadOnStartup", REG_DWORD};
inline constexpr PolicyValue kWhenNetworkChangesPolicy{"WhenNetworkChanges", REG_SZ};  // "nothing", "ask", "apply"
inline constexpr PolicyValue kPolicyValues[] = {kProfilesFilePolicy, kLockProfilesPolicy, kLoadOnStartupPolicy,
                                                kWhenNetworkChangesPolicy};

// The values in force; each unset when neither hive sets it.
struct Policies {
    std::optional<std::string> profilesFile;  // environment variables expanded
    bool lockProfiles = false;
    std::optional<bool> loadOnStartup;
    std::optional<std::string> whenNetworkChanges;
    bool operator==(const Policies&) const = default;
};

// Reads both hives now. A value of another type than its own, or an empty text, is not set.
Policies ReadPolicies();

// The values the program goes by for the rest of its run: set when the main window is made
// (by ReadPolicies), none before.
const Policies& ProgramPolicies();
void SetProgramPolicies(Policies policies);

// What a control that a policy sets says beside it.
inline constexpr char kSetByOrganisationText[] = "Set by your organisation";
