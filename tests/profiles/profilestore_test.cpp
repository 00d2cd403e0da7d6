#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "profiles/iprofile.h"
#include "support/profiledata.h"
#include "support/tempfolder.h"

namespace {
std::string WithoutBlankLines(const std::string& text)
{
    std::string result;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        end = end == std::string::npos ? text.size() : end + 2;
        const std::string line = text.substr(at, end - at);
        if (line != "\r\n") result += line;
        at = end;
    }
    return result;
}
}  // namespace

TEST(ProfileStore, LoadsTheTwoProfileStoreAndWritesItBackKeyForKey)
{
    TempFolder folder;
    const std::string original = folder.File("profiles.ini");
    WriteFileBytes(original, kTwoProfileStore);

    TListItems list;
    LoadProfilesFrom(list, original);
    ASSERT_EQ(Contents(list), kTwoProfiles);
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(ProfileAt(list, i).id, i);
        EXPECT_EQ(ProfileAt(list, i).Caption(), std::to_string(i));
    }

    const std::string saved = folder.File("saved.ini");
    SaveProfilesTo(list, saved);
    EXPECT_EQ(WithoutBlankLines(ReadFileBytes(saved)), kTwoProfileStore);
    EXPECT_EQ(SectionNames(saved), (std::vector<std::string>{"0", "1"}));

    // Byte for byte what the platform's writer makes of the same keys in the same order.
    const std::string direct = folder.File("direct.ini");
    const char* keys[] = {"ip", "mask", "gw", "dns1", "dns2", "name", "dhcp"};
    for (const std::string section : {"0", "1"}) {
        for (const char* key : keys) {
            const std::string value = ReadKey(original, section, key);
            WritePrivateProfileStringA(section.c_str(), key, value.c_str(), direct.c_str());
        }
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, direct.c_str());
    EXPECT_EQ(ReadFileBytes(saved), ReadFileBytes(direct));
}

TEST(ProfileStore, EndsTheListAtTheFirstSectionWithoutAnIp)
{
    struct Case {
        const char* what;
        const char* text;
        std::vector<std::string> ips;
    };
    const Case cases[] = {
        {"empty file", "", {}},
        {"sections 0, 1 and 3", "[0]\r\nip=a\r\n[1]\r\nip=b\r\n[3]\r\nip=d\r\n", {"a", "b"}},
        {"section 0 without ip", "[0]\r\nmask=m\r\nname=n\r\n[1]\r\nip=b\r\nmask=m\r\n", {}},
        {"empty ip", "[0]\r\nip=\r\n", {""}},
        {"ip exactly error string", "[0]\r\nip=a\r\n[1]\r\nip=error string\r\n[2]\r\nip=c\r\n", {"a"}},
        {"ip error string in capitals", "[0]\r\nip=Error String\r\n", {"Error String"}},
        {"names in any case", "[0]\r\nIP=a\r\n[1]\r\nIp=b\r\n", {"a", "b"}},
        {"sections out of order", "[1]\r\nip=b\r\n[0]\r\nip=a\r\n", {"a", "b"}},
        {"a leading zero is another section", "[00]\r\nip=a\r\n", {}},
        {"LF-only line ends", "[0]\nip=a\nname=x\n[1]\nip=b\n", {"a", "b"}},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        const std::string path = folder.File("store.ini");
        WriteFileBytes(path, c.text);
        std::vector<std::string> ips;
        for (const ProfileData& p : LoadedFrom(path))
            ips.push_back(p.ip);
        EXPECT_EQ(ips, c.ips) << c.what;
        EXPECT_EQ(ReadFileBytes(path), c.text) << c.what << ": loading must not write";
    }
}

TEST(ProfileStore, ReadsDhcpAsAnIntegerThatIsTrueWhenNotZero)
{
    TempFolder folder;
    const std::string path = folder.File("store.ini");
    WriteFileBytes(path, "[0]\r\nip=\r\ndhcp=1\r\n[1]\r\nip=\r\ndhcp=2\r\n[2]\r\nip=\r\ndhcp=0x1\r\n"
                         "[3]\r\nip=\r\ndhcp=$1\r\n[4]\r\nip=\r\ndhcp=0\r\n[5]\r\nip=\r\ndhcp=yes\r\n"
                         "[6]\r\nip=\r\n[7]\r\nip=\r\ndhcp=\r\n");
    std::vector<bool> dhcp;
    for (const ProfileData& p : LoadedFrom(path))
        dhcp.push_back(p.dhcp);
    EXPECT_EQ(dhcp, (std::vector<bool>{true, true, true, true, false, false, false, false}));
}

TEST(ProfileStore, CutsValuesAt2047Characters)
{
    TempFolder folder;
    const std::string path = folder.File("store.ini");
    const std::string longName(5000, 'n');
    const std::string exact(2047, 'e');
    WriteFileBytes(path, "[0]\r\nip=" + exact + "\r\nname=" + longName + "\r\ndns1=" + longName + "x\r\n");
    const std::vector<ProfileData> loaded = LoadedFrom(path);
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0].ip, exact);
    EXPECT_EQ(loaded[0].name, longName.substr(0, 2047));
    EXPECT_EQ(loaded[0].dns1, longName.substr(0, 2047));
}

TEST(ProfileStore, AppendsToTheListWithoutClearingIt)
{
    TempFolder folder;
    const std::string path = folder.File("profiles.ini");
    WriteFileBytes(path, kTwoProfileStore);
    TListItems list;
    AppendProfile(list, {"1.1.1.1", "", "", "", "", "kept", false}).id = 42;
    LoadProfilesFrom(list, path);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(ProfileAt(list, 0).name, "kept");
    EXPECT_EQ(ProfileAt(list, 0).id, 42);
    EXPECT_EQ(ProfileAt(list, 1).id, 0);
    EXPECT_EQ(ProfileAt(list, 2).id, 1);
    EXPECT_EQ(ProfileAt(list, 2).Caption(), "1");
}

TEST(ProfileStore, SavesByPositionAndDropsEverythingItDoesNotKnow)
{
    TempFolder folder;
    const std::string path = folder.File("profiles.ini");
    WriteFileBytes(path, "[top]\r\nforeign=1\r\n"
                         "[0]\r\nip=10.0.0.1\r\nname=first\r\ncomment=mine\r\n"
                         "[1]\r\nip=10.0.0.2\r\nname=second\r\ndhcp=1\r\n"
                         "[2]\r\nip=10.0.0.3\r\nname=third\r\n"
                         "[7]\r\nip=10.0.0.7\r\n");
    TListItems list;
    LoadProfilesFrom(list, path);
    ASSERT_EQ(list.Count(), 3);
    list.Delete(0);
    SaveProfilesTo(list, path);

    EXPECT_EQ(SectionNames(path), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(ReadKey(path, "0", "name"), "second");
    EXPECT_EQ(ReadKey(path, "0", "dhcp"), "1");
    EXPECT_EQ(ReadKey(path, "1", "name"), "third");
    EXPECT_EQ(ReadKey(path, "1", "comment"), "<missing>");
    EXPECT_EQ(ReadKey(path, "top", "foreign"), "<missing>");

    // The numbers the profiles carried in the run (1 and 2) are not what counts.
    TListItems reloaded;
    LoadProfilesFrom(reloaded, path);
    ASSERT_EQ(reloaded.Count(), 2);
    EXPECT_EQ(ProfileAt(reloaded, 0).id, 0);
    EXPECT_EQ(ProfileAt(reloaded, 1).ip, "10.0.0.3");
}

TEST(ProfileStore, KeepsTextsWithInnerPunctuationThroughASaveAndLoad)
{
    const std::vector<ProfileData> profiles = {
        {"10.0.0.1", "255.0.0.0", "", "", "", "Office = 2nd floor; east [A]", false},
        {"", "", "", "", "", "#1 a=b", true},
        {"", "", "", "", "", "", false},
    };
    TempFolder folder;
    TListItems list;
    for (const ProfileData& p : profiles)
        AppendProfile(list, p);
    SaveProfilesTo(list, folder.File("profiles.ini"));
    EXPECT_EQ(LoadedFrom(folder.File("profiles.ini")), profiles);
}

TEST(ProfileStore, SavingAnEmptyListLeavesAnEmptyFile)
{
    TempFolder folder;
    const std::string path = folder.File("profiles.ini");
    WriteFileBytes(path, kTwoProfileStore);
    const TListItems empty;
    SaveProfilesTo(empty, path);
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(ReadFileBytes(path), "");
    EXPECT_TRUE(LoadedFrom(path).empty());
}
