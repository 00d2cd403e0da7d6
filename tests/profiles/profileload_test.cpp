#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/error.h"
#include "profiles/iprofile.h"
#include "support/profiledata.h"
#include "support/tempfolder.h"

namespace {
// Repeatable noise: the same bytes on every run.
std::string Noise(uint32_t seed, size_t size, const std::string& alphabet = "")
{
    std::string bytes;
    bytes.reserve(size);
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const uint32_t pick = seed >> 24;
        bytes += alphabet.empty() ? static_cast<char>(pick) : alphabet[pick % alphabet.size()];
    }
    return bytes;
}

// What any load must give, whatever the file held.
void ExpectWellFormed(const TListItems& list, const std::string& what)
{
    for (int i = 0; i < list.Count(); ++i) {
        const Tprofile& p = ProfileAt(list, i);
        EXPECT_EQ(p.id, i) << what;
        EXPECT_EQ(p.Caption(), std::to_string(i)) << what;
        for (const std::string* text : {&p.ip, &p.mask, &p.gw, &p.dns1, &p.dns2, &p.name}) {
            EXPECT_LE(text->size(), 2047u) << what;
            EXPECT_EQ(text->find('\0'), std::string::npos) << what;
        }
    }
}
}  // namespace

TEST(LoadProfiles, ReadsTheChosenPathWhenSomethingIsThereAndTheDefaultOtherwise)
{
    TempFolder folder;
    const StoreNamesRestorer restoreNames;
    ProfileIniName = "vmrtest-default-" + std::to_string(GetCurrentProcessId()) + ".ini";
    const std::string defaultStore = ProgramFolder() + ProfileIniName;
    const FileRestorer removeDefault(defaultStore);
    WriteFileBytes(defaultStore, "[0]\r\nip=default\r\n");
    WriteFileBytes(folder.File("chosen.ini"), "[0]\r\nip=chosen\r\n[1]\r\nip=chosen too\r\n");
    CreateDirectoryA(folder.File("folder").c_str(), nullptr);

    struct Case {
        std::string iniPath;
        std::vector<std::string> ips;
    };
    const Case cases[] = {
        {"", {"default"}},
        {folder.File("chosen.ini"), {"chosen", "chosen too"}},
        {folder.File("missing.ini"), {"default"}},
        {folder.File("folder"), {}},  // something is there, though nothing can be read from it
    };
    for (const Case& c : cases) {
        ProfileIniPath = c.iniPath;
        TListItems list;
        const CurrentProfileList current(&list);
        LoadProfiles();
        std::vector<std::string> ips;
        for (const ProfileData& p : Contents(list))
            ips.push_back(p.ip);
        EXPECT_EQ(ips, c.ips) << "ProfileIniPath=" << c.iniPath;
    }
    EXPECT_FALSE(FileExists(folder.File("missing.ini")));
}

TEST(LoadProfiles, ReadsARelativeChosenPathFromTheCurrentFolder)
{
    TempFolder folder;
    WriteFileBytes(folder.File("relative.ini"), "[0]\r\nip=relative\r\n");
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    TListItems list;
    LoadProfilesFrom(list, "relative.ini");
    SetCurrentDirectoryA(previous);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(ProfileAt(list, 0).ip, "relative");
}

TEST(LoadProfiles, NeedsTheProfileList)
{
    const CurrentProfileList none(nullptr);
    EXPECT_THROW(LoadProfiles(), AppError);
    EXPECT_THROW(SaveProfiles(), AppError);
}

TEST(ProgramFolder, IsTheFolderOfThisProgramWithItsBackslash)
{
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_TRUE(IsFolder(folder));
    EXPECT_TRUE(FileExists(folder + "test_profiles.exe"));
}

TEST(LoadProfiles, GivesAnEmptyListWithoutWritingWhenThereIsNoFileToRead)
{
    TempFolder folder;
    CreateDirectoryA(folder.File("profiles.ini").c_str(), nullptr);
    for (const std::string& path :
         {folder.File("missing.ini"), folder.File("profiles.ini"), folder.File("no\\such.ini")}) {
        TListItems list;
        LoadProfilesFrom(list, path);
        EXPECT_EQ(list.Count(), 0) << path;
    }
    EXPECT_EQ(FolderListing(folder.Path()), std::vector<std::string>{"profiles.ini"});
    EXPECT_TRUE(IsFolder(folder.File("profiles.ini")));
}

TEST(LoadProfiles, SurvivesGarbageWithoutWritingAndKeepsNumbersInOrder)
{
    static const char kIniLike[] = "[]=\r\n\r\n\n\0 ;0123456789ipdhcpmaskgwdnsname$x\xff\xfe";
    const std::string iniish(kIniLike, sizeof kIniLike - 1);
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> ips = {};  // what must be found, when anything must
    };
    const Case cases[] = {
        {"random bytes", Noise(1, 65536)},
        {"UTF-16 mark then random bytes", "\xff\xfe" + Noise(2, 65536)},
        {"UTF-8 mark then random bytes", "\xef\xbb\xbf" + Noise(3, 65536)},
        {"INI-like noise", Noise(4, 65536, iniish)},
        {"INI-like noise after a good section", "[0]\r\nip=10.0.0.1\r\n" + Noise(5, 65536, iniish)},
        {"a good section inside noise",
         Noise(6, 4096) + "\r\n[0]\r\nip=1.2.3.4\r\n[1]\r\nip=" + std::string(3000, 'v') + "\r\n" + Noise(7, 4096),
         {"1.2.3.4", std::string(2047, 'v')}},
    };
    TempFolder folder;
    const std::string path = folder.File("profiles.ini");
    for (const Case& c : cases) {
        WriteFileBytes(path, c.bytes);
        TListItems list;
        LoadProfilesFrom(list, path);
        ExpectWellFormed(list, c.what);
        if (!c.ips.empty()) {
            std::vector<std::string> ips;
            for (const ProfileData& p : Contents(list))
                ips.push_back(p.ip);
            EXPECT_EQ(ips, c.ips) << c.what;
        }
        EXPECT_EQ(ReadFileBytes(path), c.bytes) << c.what;
        EXPECT_EQ(FolderListing(folder.Path()), std::vector<std::string>{"profiles.ini"}) << c.what;
    }
}

TEST(LoadProfiles, ReadsAThousandSectionsInOrder)
{
    // Loading costs some 2 ms a section under Wine (eight reads each): a thousand keeps the
    // test quick while still far beyond any real store.
    const int count = 1000;
    std::string text;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        text += "[" + n + "]\r\nip=10.0." + std::to_string(i / 250) + "." + std::to_string(i % 250) +
                "\r\nmask=255.255.0.0\r\nname=Profile " + n + "\r\ndhcp=" + std::to_string(i % 2) + "\r\n";
    }
    TempFolder folder;
    WriteFileBytes(folder.File("profiles.ini"), text);
    TListItems list;
    LoadProfilesFrom(list, folder.File("profiles.ini"));
    ASSERT_EQ(list.Count(), count);
    ExpectWellFormed(list, "many sections");
    EXPECT_EQ(ProfileAt(list, count - 1).name, "Profile 999");
    EXPECT_EQ(ProfileAt(list, count - 1).ip, "10.0.3.249");
    EXPECT_TRUE(ProfileAt(list, count - 1).dhcp);
    EXPECT_FALSE(ProfileAt(list, count - 2).dhcp);
}
