#include "profiles/iprofile.h"

#include <windows.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "core/check.h"
#include "core/error.h"
#include "core/handles.h"
#include "core/pathcheck.h"
#include "core/programfile.h"
#include "profiles/inifile.h"
#include "profiles/inirules.h"

TListItems* ProfileList = nullptr;
std::string ProfileIniPath;
std::string ProfileIniName = "profiles.ini";

namespace {
uint64_t g_lastKey = 0;
}  // namespace

Tprofile::Tprofile(TListItems& owner) : TListItem(owner), key(++g_lastKey) {}

Tprofile& AppendNewProfile(TListItems& list)
{
    auto created = std::make_unique<Tprofile>(list);
    created->id = list.Count();
    created->confirmed = false;
    return static_cast<Tprofile&>(list.Append(std::move(created)));
}

std::string CaptionOf(const Tprofile& profile) { return profile.name.empty() ? profile.ip : profile.name; }

namespace {
// The reader's default for a missing "ip": the list ends at the first section without one.
constexpr char kNoProfile[] = "error string";

// Values longer than this buffer holds are cut at 2,047 characters, as the store always read.
constexpr DWORD kValueBufferSize = 2048;

// The private-profile functions look for a name without a path in the Windows folder, so a
// relative path would read another file than the one whose existence was checked.
std::string FullPath(const std::string& path)
{
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::string full(needed, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    return full;
}

// The folder part of a full path, with its backslash ("C:\" stays the root, not the drive).
std::string FolderOf(const std::string& path)
{
    const size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string(".\\") : path.substr(0, cut + 1);
}

[[noreturn]] void RaiseIoError(DWORD code) { RaiseError(IoErrorText(code)); }

TListItems& CurrentList()
{
    if (ProfileList == nullptr) RaiseError("The profile list has not been set");
    return *ProfileList;
}

// The reason a store that is there could not be read, and what the program does about it.
[[noreturn]] void RaiseUnreadable(const std::string& path, DWORD code)
{
    RaiseError("Velmora could not read the profiles from \"" + path + "\": " + SystemMessageText(code) +
               ".\n\nThe file is kept as it is: nothing is saved over it until Velmora starts again.");
}

// The whole file, or nothing when there is no file to read: the platform reader then answers
// every lookup with its default, and so does an empty document. A file that is there but
// cannot be opened or read (in use, access denied, a disk error) raises: an unread store must
// never pass for an empty one, which the next save would write over it.
std::string FileBytes(const std::string& path)
{
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
        // A folder of that name holds no profiles, as the platform's reader finds; a save
        // refuses to replace it.
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return {};
        RaiseUnreadable(path, error);
    }
    LARGE_INTEGER size{};
    std::string bytes;
    // In one read when the size is known; a file that grows meanwhile is read on to its end.
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 && size.QuadPart < 0x40000000) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
            RaiseUnreadable(path, GetLastError());
        bytes.resize(read);
    }
    char chunk[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr)) RaiseUnreadable(path, GetLastError());
        if (read == 0) break;
        bytes.append(chunk, read);
    }
    return bytes;
}

// Reads the file once and answers each lookup from memory. A Unicode file (byte-order mark)
// is left to the platform's own reader, which decodes it.
class StoreReader {
public:
    explicit StoreReader(std::string path) : m_path(std::move(path))
    {
        std::string bytes = FileBytes(m_path);
        if (IniDocument::Readable(bytes)) m_document.emplace(std::move(bytes));
    }

    void ReadMany(const std::string& section, std::span<const IniDocument::Lookup> lookups,
                  std::span<std::string> values)
    {
        if (m_document) {
            m_document->ReadMany(section, lookups, values, kValueBufferSize);
            return;
        }
        std::array<char, kValueBufferSize> buffer{};
        for (size_t i = 0; i < lookups.size() && i < values.size(); ++i) {
            const std::string key(lookups[i].key);
            const std::string fallback(lookups[i].fallback);
            GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(), kValueBufferSize,
                                     m_path.c_str());
            values[i] = buffer.data();
        }
    }

private:
    std::string m_path;
    std::optional<IniDocument> m_document;
};

// A new store is written beside the old one under a name no other file has: it starts
// empty (a stale file could otherwise lend the writer its sections), two running copies never
// share it, and creating it proves early that the folder takes new files. It is removed
// unless it has replaced the target.
class TemporaryStore {
public:
    explicit TemporaryStore(const std::string& folder)
    {
        // Created here and written through the same handle: one open of the file, not three.
        static unsigned counter = 0;
        // Names differ by time and by process; a name taken meanwhile is skipped.
        const unsigned base = GetTickCount() + GetCurrentProcessId() * 7919u;
        DWORD error = ERROR_FILE_EXISTS;
        for (int attempt = 0; attempt < 100 && error == ERROR_FILE_EXISTS; ++attempt) {
            char name[16];
            std::snprintf(name, sizeof name, "vmr%04X.tmp", (base + counter++) & 0xFFFF);
            const std::string path = folder + name;
            m_file.reset(
                CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (m_file) {
                m_path = path;
                return;
            }
            error = GetLastError();
        }
        RaiseIoError(error);
    }
    ~TemporaryStore()
    {
        m_file.reset();
        if (!m_path.empty()) DeleteFileA(m_path.c_str());
    }
    TemporaryStore(const TemporaryStore&) = delete;
    TemporaryStore& operator=(const TemporaryStore&) = delete;

    const std::string& Path() const { return m_path; }

    // Writes the whole store in one go and gets it onto the disk, then swaps the file in for
    // the target in one step.
    void Replace(const std::string& target, const std::string& bytes)
    {
        DWORD written = 0;
        if (!WriteFile(m_file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size()) {
            RaiseError("Unable to write to " + target);
        }
        if (!FlushFileBuffers(m_file.get())) RaiseIoError(GetLastError());
        m_file.reset();
        if (!MoveFileExA(m_path.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            RaiseIoError(GetLastError());
        }
        m_path.clear();
    }

private:
    UniqueFile m_file;
    std::string m_path;
};
}  // namespace

std::string IoErrorText(uint32_t win32Error)
{
    switch (win32Error) {
    case ERROR_FILE_NOT_FOUND: return "File not found";
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY: return "Path not found";  // a folder name that names a file
    case ERROR_TOO_MANY_OPEN_FILES: return "Too many open files";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return "File access denied";
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return "Disk full";
    case ERROR_INVALID_NAME: return "Invalid filename";
    default: return "I/O error " + std::to_string(win32Error);
    }
}

Tprofile& ProfileAt(const TListItems& list, int position)
{
    auto* profile = dynamic_cast<Tprofile*>(&list.Item(position));
    if (profile == nullptr) RaiseError("List item " + std::to_string(position) + " is not a profile");
    return *profile;
}

Tprofile* FindProfileIn(const TListItems& list, int32_t number)
{
    for (int i = 0; i < list.Count(); ++i) {
        Tprofile& profile = ProfileAt(list, i);
        if (profile.id == number) return &profile;
    }
    return nullptr;
}

Tprofile* NextProfileIn(const TListItems& list, int32_t current)
{
    // Stepping current+1, current+2, ... until a number is held or reaches the count comes to
    // the smallest held number in (current, count), or else to 0. Found in one walk, without
    // stepping through every number from a far-off current.
    const int count = list.Count();
    bool found = false;
    int32_t next = 0;
    for (int i = 0; i < count; ++i) {
        const int32_t id = ProfileAt(list, i).id;
        if (id > current && id < count && (!found || id < next)) {
            next = id;
            found = true;
        }
    }
    return FindProfileIn(list, found ? next : 0);
}

Tprofile* FindProfile(int32_t number) { return ProfileList ? FindProfileIn(*ProfileList, number) : nullptr; }

Tprofile* FindProfileByKey(uint64_t key)
{
    for (int i = 0; ProfileList != nullptr && i < ProfileList->Count(); ++i)
        if (ProfileAt(*ProfileList, i).key == key) return &ProfileAt(*ProfileList, i);
    return nullptr;
}

Tprofile* ProfileNamedIn(const TListItems& list, const std::string& name)
{
    // A title wins over a number: a profile titled "#1" is that profile.
    for (int i = 0; i < list.Count(); ++i)
        if (ProfileAt(list, i).Caption() == name) return &ProfileAt(list, i);
    const std::string digits = name.size() > 1 && name[0] == '#' ? name.substr(1) : std::string();
    if (!digits.empty() && digits.size() <= 9 && digits.find_first_not_of("0123456789") == std::string::npos) {
        const int number = std::stoi(digits);
        return number >= 1 && number <= list.Count() ? &ProfileAt(list, number - 1) : nullptr;
    }
    // Letter case aside, when only one title matches.
    Tprofile* found = nullptr;
    for (int i = 0; i < list.Count(); ++i) {
        Tprofile& profile = ProfileAt(list, i);
        if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, profile.Caption().c_str(), -1, name.c_str(), -1) !=
            CSTR_EQUAL)
            continue;
        if (found != nullptr) return nullptr;
        found = &profile;
    }
    return found;
}

int ProfilesCaptioned(const TListItems& list, const std::string& caption)
{
    int count = 0;
    for (int i = 0; i < list.Count(); ++i)
        count += ProfileAt(list, i).Caption() == caption ? 1 : 0;
    return count;
}

Tprofile* NextProfile(int32_t current) { return ProfileList ? NextProfileIn(*ProfileList, current) : nullptr; }

std::string ProgramFolder()
{
    const std::string path = ProgramFile();
    const size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

void LoadProfilesFrom(TListItems& list, const std::string& path)
{
    // The keys of a profile, read from its section in one go. A present "ip" reads the same
    // with either default, so this one read serves both the end test and the field.
    enum { Ip, Mask, Gw, Dns1, Dns2, Name, Dhcp, HotKey, Wifi, GatewayMac, DhcpServer, DnsSuffix, KeyCount };
    static constexpr IniDocument::Lookup kKeys[KeyCount] = {
        {"ip", kNoProfile}, {"mask", ""},   {"gw", ""},   {"dns1", ""},       {"dns2", ""},       {"name", ""},
        {"dhcp", ""},       {"hotkey", ""}, {"wifi", ""}, {"gatewaymac", ""}, {"dhcpserver", ""}, {"dnssuffix", ""}};
    StoreReader store(FullPath(path));
    std::string values[KeyCount];
    for (int32_t n = 0; n < INT32_MAX; ++n) {
        const std::string section = std::to_string(n);
        store.ReadMany(section, kKeys, values);
        if (values[Ip] == kNoProfile) break;
        auto profile = std::make_unique<Tprofile>(list);
        profile->SetCaption(section);
        profile->id = n;
        profile->ip = std::move(values[Ip]);
        profile->mask = std::move(values[Mask]);
        profile->gw = std::move(values[Gw]);
        profile->dns1 = std::move(values[Dns1]);
        profile->dns2 = std::move(values[Dns2]);
        profile->name = std::move(values[Name]);
        profile->dhcp = IniBoolean(values[Dhcp]);
        profile->hotkey = std::move(values[HotKey]);
        profile->location = {std::move(values[Wifi]), std::move(values[GatewayMac]), std::move(values[DhcpServer]),
                             std::move(values[DnsSuffix])};
        // Appended whole, so a view sees one insertion per profile.
        list.Append(std::move(profile));
    }
}

std::string StoreText(const TListItems& list)
{
    // About a hundred bytes per profile.
    IniWriter writer(static_cast<size_t>(list.Count()) * 128);
    int written = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const Tprofile& profile = ProfileAt(list, i);
        if (!profile.confirmed) continue;
        // Numbered in order: the gap a deleted profile left closes here.
        writer.Section(std::to_string(written++));
        // Every text as the user gave it: the reader would drop blanks and quotes around a title
        // typed with them, or around an address read from a field's blanks.
        writer.Key("ip", IniProtected(profile.ip));
        writer.Key("mask", IniProtected(profile.mask));
        writer.Key("gw", IniProtected(profile.gw));
        writer.Key("dns1", IniProtected(profile.dns1));
        writer.Key("dns2", IniProtected(profile.dns2));
        writer.Key("name", IniProtected(profile.name));
        writer.Key("dhcp", profile.dhcp ? "1" : "0");
        if (!profile.hotkey.empty()) writer.Key("hotkey", profile.hotkey);
        const ProfileLocation& location = profile.location;
        if (!location.wifiName.empty()) writer.Key("wifi", IniProtected(location.wifiName));
        if (!location.gatewayMac.empty()) writer.Key("gatewaymac", location.gatewayMac);
        if (!location.dhcpServer.empty()) writer.Key("dhcpserver", location.dhcpServer);
        if (!location.dnsSuffix.empty()) writer.Key("dnssuffix", IniProtected(location.dnsSuffix));
    }
    return writer.Take();
}

void SaveProfilesTo(const TListItems& list, const std::string& path)
{
    const std::string target = FullPath(path);
    // Creating the file anew would fail here, as would MoveFileExA on Windows; Wine's lets a
    // read-only file be replaced, so ask first rather than write over a file the user locked.
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        RaiseIoError(ERROR_ACCESS_DENIED);
    }
    TemporaryStore store(FolderOf(target));
    store.Replace(target, StoreText(list));
}

namespace {
// Set once LoadProfiles has read the whole store into the list; cleared when a load starts.
bool g_profilesLoaded = false;
std::string g_profilesReadFrom;
}  // namespace

void LoadProfiles()
{
    g_profilesLoaded = false;
    TListItems& list = CurrentList();
    const std::string own = ProgramFolder() + ProfileIniName;
    // A file elsewhere, on a share whose server is gone, would hold the start for tens of
    // seconds: what has not answered by then counts as not there. The program's own store
    // needs no asking: it is read whether it is there or not.
    const bool chosenExists = !ProfileIniPath.empty() && ProfileIniPath != own &&
                              PathThereWithin(ProfileIniPath, kProfileFilePatience).value_or(false);
    g_profilesReadFrom = chosenExists ? ProfileIniPath : own;
    LoadProfilesFrom(list, g_profilesReadFrom);
    g_profilesLoaded = true;
}

bool ProfilesLoaded() { return g_profilesLoaded; }

const std::string& ProfilesReadFrom() { return g_profilesReadFrom; }

bool SaveProfiles()
{
    TListItems& list = CurrentList();
    // A list that never came from the store (a failed start, an unreadable file) would write
    // an empty or partial store over the user's profiles.
    if (!g_profilesLoaded) return false;
    const std::string path = ProgramFolder() + "profiles.ini";
    // A store that holds these profiles already needs no save: a file the user may not write
    // (read-only, or in a folder such as Program Files) then costs nothing at a close or Exit.
    try {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        const bool file = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        if (file && FileBytes(path) == StoreText(list)) return true;
    } catch (const AppError&) {
        // Unreadable: the save below says why.
    }
    try {
        SaveProfilesTo(list, path);
    } catch (const AppError& error) {
        // The reason alone ("File access denied") names neither the file nor the outcome.
        RaiseError("The profiles could not be saved to \"" + path + "\": " + error.what() +
                   ".\n\nThe file was not changed; Velmora goes on with the profiles as they are.");
    }
    return true;
}

std::string StoreKeptText()
{
    return "The profiles were not loaded from the profile file when Velmora started, so they were not saved: "
           "the file is kept as it was.";
}
