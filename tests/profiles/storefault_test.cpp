// The store under faults the machine can really give: a full disk, a folder on a disk that
// takes no writes, and a program killed in the middle of a save. The previous file must
// survive byte for byte every time.
//
// The small disks are tmpfs mounts made for the test (root only). Wine runs a Unix program
// from CreateProcess but gives no handle to wait on: the script ends by renaming a marker
// file into the test's folder, and the test waits for that through a change notification.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/handles.h"
#include "profiles/iprofile.h"
#include "support/profiledata.h"
#include "support/tempfolder.h"

namespace {
std::string UnixPath(const std::string& windowsPath)
{
    // Wine's own export: the Unix name of a Windows path.
    using Convert = char*(__cdecl*)(const wchar_t*);
    const auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (convert == nullptr) throw std::runtime_error("not running under Wine");
    const std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* unix = convert(wide.c_str());
    if (unix == nullptr) throw std::runtime_error("no Unix name for " + windowsPath);
    std::string result(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

// Runs `script` in /bin/sh and gives what it printed, its status last ("rc=N").
std::string RunShell(const TempFolder& folder, const std::string& script)
{
    static int runs = 0;
    const std::string marker = "shell-" + std::to_string(++runs);
    const std::string unixFolder = UnixPath(folder.Path());
    const std::string part = "'" + unixFolder + marker + ".part'";
    // Wine splits the command line by Windows rules: the script goes in double quotes, and
    // inside it paths go in single quotes.
    const std::string command = "/bin/sh -c \"{ " + script + "; } >" + part + " 2>&1; echo rc=$? >>" + part + "; mv " +
                                part + " '" + unixFolder + marker + "'\"";
    const UniqueChangeNotification changes(
        FindFirstChangeNotificationA(folder.Path().c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME));
    if (!changes) throw std::runtime_error("no change notification");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        throw std::runtime_error("cannot start /bin/sh");
    }
    const UniqueHandle thread(process.hThread);
    const UniqueHandle shell(process.hProcess);
    const DWORD deadline = GetTickCount() + 20000;
    while (!FileExists(folder.File(marker))) {
        const DWORD now = GetTickCount();
        if (now >= deadline || WaitForSingleObject(changes.get(), deadline - now) != WAIT_OBJECT_0) break;
        FindNextChangeNotification(changes.get());
    }
    if (!FileExists(folder.File(marker))) throw std::runtime_error("the shell did not finish: " + script);
    std::string output = ReadFileBytes(folder.File(marker));
    DeleteFileA(folder.File(marker).c_str());
    return output;
}

// A tmpfs of `kilobytes` mounted on a new folder "disk" of the test's folder, unmounted at
// the end: the disk that fills up, or turns read-only, on the test's word.
class TinyDisk {
public:
    TinyDisk(const TempFolder& folder, int kilobytes) : m_folder(folder), m_path(folder.File("disk\\"))
    {
        CreateDirectoryA(m_path.c_str(), nullptr);
        m_unixPath = UnixPath(m_path);
        const std::string output =
            RunShell(m_folder, "mount -t tmpfs -o size=" + std::to_string(kilobytes) + "k tmpfs '" + m_unixPath + "'");
        if (output.find("rc=0") == std::string::npos) throw std::runtime_error("cannot mount a tmpfs: " + output);
    }
    ~TinyDisk()
    {
        try {
            RunShell(m_folder, "umount '" + m_unixPath + "'");
        } catch (const std::exception& error) {
            ADD_FAILURE() << error.what();
        }
    }
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;

    std::string File(const std::string& name) const { return m_path + name; }
    const std::string& Path() const { return m_path; }
    std::string MakeReadOnly() const { return RunShell(m_folder, "mount -o remount,ro '" + m_unixPath + "'"); }

    // Writes a file until the disk refuses more; gives the error of the refusal.
    DWORD Fill() const
    {
        const UniqueFile filler(CreateFileA(File("filler").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!filler) return GetLastError();
        const std::string block(1024, 'x');
        for (;;) {
            DWORD written = 0;
            if (!WriteFile(filler.get(), block.data(), static_cast<DWORD>(block.size()), &written, nullptr))
                return GetLastError();
            if (written < block.size()) return ERROR_DISK_FULL;
        }
    }

private:
    const TempFolder& m_folder;
    std::string m_path;
    std::string m_unixPath;
};

// Enough profiles that their store needs many blocks of a nearly full disk.
void FillManyProfiles(TListItems& list, int count)
{
    for (int i = 0; i < count; ++i) {
        AppendProfile(list, {"10.1." + std::to_string(i / 256) + "." + std::to_string(i % 256), "255.255.0.0",
                             "10.1.0.1", "10.1.0.2", "10.1.0.3", "Profile number " + std::to_string(i), i % 2 == 0});
    }
}
}  // namespace

// The suite that mounts disks needs root: ctest runs it apart, labelled so (tests/CMakeLists.txt).
TEST(StoreFaultsOnTinyDisks, AFullDiskLeavesTheOldStoreWholeAndTheNextSaveWorksOnceThereIsRoom)
{
    TempFolder folder;
    TinyDisk disk(folder, 64);
    const std::string target = disk.File("profiles.ini");
    WriteFileBytes(target, kTwoProfileStore);
    ASSERT_EQ(disk.Fill(), static_cast<DWORD>(ERROR_DISK_FULL));

    TListItems list;
    FillManyProfiles(list, 100);
    EXPECT_EQ(SaveError(list, target), "Unable to write to " + target);
    EXPECT_EQ(ReadFileBytes(target), kTwoProfileStore);
    EXPECT_EQ(FolderListing(disk.Path()), (std::vector<std::string>{"filler", "profiles.ini"}));

    DeleteFileA(disk.File("filler").c_str());
    EXPECT_EQ(SaveError(list, target), "(no error)");
    EXPECT_EQ(LoadedFrom(target), Contents(list));
}

// Wine keeps no read-only attribute on a folder (and Windows does not stop new files in a
// folder that has one), so the folder that really takes no writes is one on a read-only disk.
// Wine reports that disk's refusal as access denied.
TEST(StoreFaultsOnTinyDisks, AFolderOnAReadOnlyDiskLeavesTheOldStoreWhole)
{
    TempFolder folder;
    TinyDisk disk(folder, 64);
    const std::string target = disk.File("profiles.ini");
    WriteFileBytes(target, kTwoProfileStore);
    ASSERT_NE(disk.MakeReadOnly().find("rc=0"), std::string::npos);

    TListItems list;
    FillManyProfiles(list, 3);
    EXPECT_EQ(SaveError(list, target), "File access denied");
    EXPECT_EQ(ReadFileBytes(target), kTwoProfileStore);
    EXPECT_EQ(FolderListing(disk.Path()), std::vector<std::string>{"profiles.ini"});
}

TEST(StoreFaults, TheReadOnlyAttributeOfAFolderDoesNotStopASave)
{
    TempFolder folder;
    const std::string locked = folder.File("locked");
    CreateDirectoryA(locked.c_str(), nullptr);
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    TListItems list;
    FillManyProfiles(list, 2);
    EXPECT_EQ(SaveError(list, locked + "\\profiles.ini"), "(no error)");
    EXPECT_EQ(FolderListing(locked + "\\"), std::vector<std::string>{"profiles.ini"});
}
