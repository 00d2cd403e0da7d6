#pragma once
// Profiles for tests: their contents as plain values, lists built from them, the process-wide
// list and store names for one test, and looks into INI files and folders through the platform.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/handles.h"
#include "profiles/iprofile.h"
#include "support/errortext.h"
#include "support/seams.h"
#include "support/tempfolder.h"

struct ProfileData {
    std::string ip, mask, gw, dns1, dns2, name;
    bool dhcp = false;

    bool operator==(const ProfileData&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ProfileData& p)
{
    return out << "{ip=" << p.ip << " mask=" << p.mask << " gw=" << p.gw << " dns1=" << p.dns1 << " dns2=" << p.dns2
               << " name=" << p.name << " dhcp=" << p.dhcp << "}";
}

// As the store loads it: numbered by its position, captioned by the list later.
inline Tprofile& AppendProfile(TListItems& list, const ProfileData& data)
{
    auto profile = std::make_unique<Tprofile>(list);
    profile->ip = data.ip;
    profile->mask = data.mask;
    profile->gw = data.gw;
    profile->dns1 = data.dns1;
    profile->dns2 = data.dns2;
    profile->name = data.name;
    profile->dhcp = data.dhcp;
    profile->id = list.Count();
    return static_cast<Tprofile&>(list.Append(std::move(profile)));
}

// As the Profiles tab shows it: captioned by its title, or its address without one.
inline Tprofile& AppendCaptioned(TListItems& list, const ProfileData& data)
{
    Tprofile& profile = AppendProfile(list, data);
    profile.SetCaption(data.name.empty() ? data.ip : data.name);
    return profile;
}

inline ProfileData DataOf(const Tprofile& p) { return {p.ip, p.mask, p.gw, p.dns1, p.dns2, p.name, p.dhcp}; }

inline std::vector<ProfileData> Contents(const TListItems& list)
{
    std::vector<ProfileData> contents;
    for (int i = 0; i < list.Count(); ++i) {
        contents.push_back(DataOf(ProfileAt(list, i)));
    }
    return contents;
}

// What a load of the store at `path` gives.
inline std::vector<ProfileData> LoadedFrom(const std::string& path)
{
    TListItems list;
    LoadProfilesFrom(list, path);
    return Contents(list);
}

// What a save of `list` to `path` raises, or "(no error)".
inline std::string SaveError(const TListItems& list, const std::string& path)
{
    return ErrorText([&] { SaveProfilesTo(list, path); });
}

// The two-profile store as the save writes it, and what it holds.
inline const char* kTwoProfileStore =
    "[0]\r\nip=192.168.1.10\r\nmask=255.255.255.0\r\ngw=192.168.1.1\r\ndns1=192.168.1.1\r\ndns2=\r\n"
    "name=Office\r\ndhcp=0\r\n"
    "[1]\r\nip=\r\nmask=\r\ngw=\r\ndns1=\r\ndns2=\r\nname=Home\r\ndhcp=1\r\n";
inline const std::vector<ProfileData> kTwoProfiles = {
    {"192.168.1.10", "255.255.255.0", "192.168.1.1", "192.168.1.1", "", "Office", false},
    {"", "", "", "", "", "Home", true},
};

// Makes a list the process-wide ProfileList for one test and puts the old one back.
class CurrentProfileList : public ValueGuard<TListItems*> {
public:
    explicit CurrentProfileList(TListItems* list) : ValueGuard(ProfileList, list) {}
};

// Puts the store's path and name back as they were after a test changes them.
struct StoreNamesRestorer {
    ValueGuard<std::string> path{ProfileIniPath};
    ValueGuard<std::string> name{ProfileIniName};
};

// Keeps whatever a file held (or that it did not exist) and restores it afterwards.
class FileRestorer {
public:
    explicit FileRestorer(std::string path)
        : m_path(std::move(path)), m_existed(FileExists(m_path)), m_bytes(m_existed ? ReadFileBytes(m_path) : "")
    {
    }
    ~FileRestorer()
    {
        SetFileAttributesA(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (m_existed) {
            WriteFileBytes(m_path, m_bytes);
        } else {
            DeleteFileA(m_path.c_str());
        }
    }
    FileRestorer(const FileRestorer&) = delete;
    FileRestorer& operator=(const FileRestorer&) = delete;

private:
    std::string m_path;
    bool m_existed;
    std::string m_bytes;
};

// A key as the platform reads it, or "<missing>".
inline std::string ReadKey(const std::string& path, const std::string& section, const std::string& key)
{
    char value[4096];
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "<missing>", value, sizeof value, path.c_str());
    return value;
}

inline std::vector<std::string> SectionNames(const std::string& path)
{
    std::vector<char> buffer(65536);
    const DWORD length = GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
    std::vector<std::string> names;
    for (DWORD at = 0; at < length && buffer[at] != '\0';) {
        names.emplace_back(buffer.data() + at);
        at += static_cast<DWORD>(names.back().size()) + 1;
    }
    return names;
}

// The names in a folder, sorted, without "." and "..".
inline std::vector<std::string> FolderListing(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const UniqueFindFile search(FindFirstFileA((folder + "*").c_str(), &found));
    if (!search) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

inline bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
