#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/handles.h"
#include "profiles/iprofile.h"
#include "support/profiledata.h"
#include "support/tempfolder.h"

namespace {
void FillTwoProfiles(TListItems& list)
{
    for (const ProfileData& p : kTwoProfiles)
        AppendProfile(list, p);
}
}  // namespace

TEST(SaveProfiles, CreatesTheStoreWhereNoneWasAndLeavesNothingElseBehind)
{
    TempFolder folder;
    TListItems list;
    FillTwoProfiles(list);
    SaveProfilesTo(list, folder.File("profiles.ini"));
    EXPECT_EQ(FolderListing(folder.Path()), std::vector<std::string>{"profiles.ini"});

    list.Delete(1);
    SaveProfilesTo(list, folder.File("profiles.ini"));
    EXPECT_EQ(FolderListing(folder.Path()), std::vector<std::string>{"profiles.ini"});
    EXPECT_EQ(SectionNames(folder.File("profiles.ini")), std::vector<std::string>{"0"});
}

TEST(SaveProfiles, AFailedSaveLeavesTheOldStoreWholeAndNoTemporaryFile)
{
    struct Case {
        const char* what;
        // Gives the target; may keep a file open in `held` for the time of the save.
        std::function<std::string(const TempFolder&, UniqueFile& held)> prepare;
        const char* message;
    };
    const Case cases[] = {
        {"read-only store",
         [](const TempFolder& folder, UniqueFile&) {
             const std::string target = folder.File("profiles.ini");
             SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
             return target;
         },
         "File access denied"},
        {"a folder where the store should be",
         [](const TempFolder& folder, UniqueFile&) {
             CreateDirectoryA(folder.File("store").c_str(), nullptr);
             return folder.File("store");
         },
         "File access denied"},
        {"store held open by another program",
         [](const TempFolder& folder, UniqueFile& held) {
             const std::string target = folder.File("profiles.ini");
             held.reset(CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
             return target;
         },
         "File access denied"},
        {"missing folder", [](const TempFolder& folder, UniqueFile&) { return folder.File("gone\\profiles.ini"); },
         "Path not found"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        WriteFileBytes(folder.File("profiles.ini"), kTwoProfileStore);
        UniqueFile held;
        const std::string target = c.prepare(folder, held);
        const std::vector<std::string> before = FolderListing(folder.Path());

        TListItems list;
        AppendProfile(list, {"10.9.9.9", "", "", "", "", "new", false});
        EXPECT_EQ(SaveError(list, target), c.message) << c.what;

        EXPECT_EQ(ReadFileBytes(folder.File("profiles.ini")), kTwoProfileStore) << c.what;
        EXPECT_EQ(FolderListing(folder.Path()), before) << c.what;
        if (IsFolder(folder.File("store"))) {
            EXPECT_TRUE(FolderListing(folder.File("store\\")).empty()) << c.what;
        }
        held.reset();
        SetFileAttributesA(folder.File("profiles.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(SaveProfiles, ReportsFileErrorsInTheRunTimeLibrarysWords)
{
    struct Case {
        uint32_t code;
        const char* text;
    };
    const Case cases[] = {
        {ERROR_FILE_NOT_FOUND, "File not found"},
        {ERROR_PATH_NOT_FOUND, "Path not found"},
        {ERROR_DIRECTORY, "Path not found"},
        {ERROR_TOO_MANY_OPEN_FILES, "Too many open files"},
        {ERROR_ACCESS_DENIED, "File access denied"},
        {ERROR_SHARING_VIOLATION, "File access denied"},
        {ERROR_HANDLE_DISK_FULL, "Disk full"},
        {ERROR_DISK_FULL, "Disk full"},
        {ERROR_INVALID_NAME, "Invalid filename"},
        {ERROR_LOCK_VIOLATION, "I/O error 33"},
        {1234, "I/O error 1234"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IoErrorText(c.code), c.text) << c.code;
}

TEST(SaveProfiles, WritesBesideTheProgramWhateverTheLoadPathSays)
{
    TempFolder folder;
    const std::string elsewhere = folder.File("elsewhere.ini");
    WriteFileBytes(elsewhere, kTwoProfileStore);
    const std::string besideProgram = ProgramFolder() + "profiles.ini";
    const FileRestorer restoreStore(besideProgram);

    const StoreNamesRestorer restoreNames;
    ProfileIniPath = elsewhere;
    ProfileIniName = "other.ini";
    TListItems list;
    const CurrentProfileList current(&list);
    LoadProfiles();
    ASSERT_EQ(Contents(list), kTwoProfiles);
    list.Delete(0);
    SaveProfiles();

    EXPECT_EQ(ReadFileBytes(elsewhere), kTwoProfileStore);
    EXPECT_FALSE(FileExists(ProgramFolder() + "other.ini"));
    EXPECT_EQ(ReadKey(besideProgram, "0", "name"), "Home");
    EXPECT_EQ(SectionNames(besideProgram), std::vector<std::string>{"0"});
}
