#pragma once
// The profile record, the in-memory profile list and the profile file (profiles.ini).
#include <cstdint>
#include <string>

#include "ui/listitems.h"

// Where a profile belongs: the values of the network it is for, each empty when not set. A
// profile with none never switches by itself.
struct ProfileLocation {
    std::string wifiName;
    std::string gatewayMac;
    std::string dhcpServer;
    std::string dnsSuffix;
    bool Empty() const { return wifiName.empty() && gatewayMac.empty() && dhcpServer.empty() && dnsSuffix.empty(); }
    bool operator==(const ProfileLocation&) const = default;
};

// One profile, and at the same time an item of the Profiles list view.
class Tprofile : public TListItem {
public:
    // Empty texts, dhcp false, id 0, empty caption, image 0; not inserted.
    explicit Tprofile(TListItems& owner);

    int32_t id = 0;  // the profile number; never stored in the file
    // Names this profile and no other for the program's life, whatever is deleted before it:
    // a request that waits its turn finds its profile by it. Never stored in the file.
    const uint64_t key;
    std::string ip;
    std::string mask;
    std::string gw;
    std::string dns1;
    std::string dns2;
    std::string name;
    bool dhcp = false;
    // A system-wide shortcut key that applies the profile ("Ctrl+Alt+O"; profiles/hotkey.h);
    // empty when it has none. Stored only when set, as a key earlier versions ignore.
    std::string hotkey;
    // Stored only when set, under keys of their own that earlier versions ignore.
    ProfileLocation location;
    // False while a profile made by "New" or the first start waits for the editor's Ok: such
    // a profile is neither saved nor applied.
    bool confirmed = true;
};

// What views show for a profile: its title, or its IP address when the title is empty.
std::string CaptionOf(const Tprofile& profile);

extern TListItems* ProfileList;     // the Profiles list view's items; set before the first load
extern std::string ProfileIniPath;  // a file to load from instead of the default; empty at start
extern std::string ProfileIniName;  // "profiles.ini": the default store's name in ProgramFolder()

// A new, empty profile at the end of the list, numbered by its position and not yet
// confirmed: it is the user's only once the editor's Ok says so.
Tprofile& AppendNewProfile(TListItems& list);

// The first profile in list order whose id is the number; nullptr when none has it.
Tprofile* FindProfile(int32_t number);
// The profile with this key; nullptr when it has gone.
Tprofile* FindProfileByKey(uint64_t key);
// The profile a command or a shortcut names: the first whose caption is `name` exactly; else,
// for "#N" (digits only), the one numbered N in --list (from 1); else the only one whose caption
// is `name` but for letter case. nullptr when none is, or several are but for letter case.
Tprofile* ProfileNamedIn(const TListItems& list, const std::string& name);
// How many profiles have exactly this caption.
int ProfilesCaptioned(const TListItems& list, const std::string& caption);
// The profile "Apply Next Profile" takes after the one numbered current (-1: none applied yet):
// the smallest number above current held by a profile and below the count, otherwise number 0.
Tprofile* NextProfile(int32_t current);
// The folder of the running program's file, ending in a backslash.
std::string ProgramFolder();
// How long a load waits at most for ProfileIniPath to answer whether it is there.
inline constexpr uint32_t kProfileFilePatience = 3000;
// Appends the store's profiles to *ProfileList, numbered 0 to n-1; does not clear the list.
// Reads ProfileIniPath when a file or folder exists there (and says so within
// kProfileFilePatience), else ProgramFolder() + ProfileIniName.
// A file that is there but cannot be read raises, naming the file and the reason.
void LoadProfiles();
// Whether the last LoadProfiles read the whole store: only then may *ProfileList go over it.
bool ProfilesLoaded();
// The file the last LoadProfiles read: ProfileIniPath, or the program folder's own store when
// nothing was there (a share that could not be reached).
const std::string& ProfilesReadFrom();
// Replaces ProgramFolder() + "profiles.ini" by the confirmed profiles of *ProfileList, all at
// once, and returns true; a file that holds them already is left as it is. Returns false and
// writes nothing when the list was not loaded from the store. On failure the previous file
// stays as it was and AppError is raised, naming the file.
bool SaveProfiles();
// What a close or Ok says when SaveProfiles kept the file because the list was never loaded.
std::string StoreKeptText();

// The same work on an explicit list and file.
Tprofile& ProfileAt(const TListItems& list, int position);
Tprofile* FindProfileIn(const TListItems& list, int32_t number);
Tprofile* NextProfileIn(const TListItems& list, int32_t current);
// Raises when a file is there but cannot be read; a missing file reads as no profile.
void LoadProfilesFrom(TListItems& list, const std::string& path);
// Writes the confirmed profiles, numbered by their order.
void SaveProfilesTo(const TListItems& list, const std::string& path);
// What that writes.
std::string StoreText(const TListItems& list);

// The run-time library's text for a failed file operation's Win32 error code, e.g. 5
// "File access denied", 112 "Disk full", otherwise "I/O error <code>".
std::string IoErrorText(uint32_t win32Error);
