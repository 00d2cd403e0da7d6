// The history on real files under Wine: entries in order with every field, the bound that keeps
// the newest whole entries, and paths that take no writes, which cost the program nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "core/handles.h"
#include "core/history.h"
#include "support/historyfile.h"

namespace {
// Each file of a folder with its bytes; a folder's name maps to "<folder>".
std::map<std::string, std::string> FolderContents(const std::string& folder)
{
    std::map<std::string, std::string> contents;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return contents;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        contents[name] = isFolder ? "<folder>" : ReadFileBytes(folder + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return contents;
}

std::string NumberedEntry(int number)
{
    return "entry " + std::to_string(number) + "\n" + std::string(number % 7 * 150, 'x');
}
}  // namespace

TEST(History, EntriesAreAppendedInOrderWithTheirFields)
{
    HistoryFile history;
    const std::string earliest = LocalTimeStamp();
    AppendToHistory(ChangeEntry{"tray: Apply next",
                                "Intel(R) PRO/1000 MT",
                                {"DHCP 10.0.2.15 / 255.255.255.0"},
                                {"static 192.168.1.10 / 255.255.255.0", "gateway 192.168.1.1", "DNS 192.168.1.1"},
                                "made",
                                true});
    AppendToHistory(ErrorEntry{"Could not save.\r\n\r\nThe file was not changed.", "MoveFileExA", "core/x.cpp", 12});
    AppendToHistory(ChangeEntry{"Profiles tab: Apply", "Wi-Fi", {}, {}, "refused at EnableStatic (91)", false});
    EXPECT_EQ(history.Read(earliest, LocalTimeStamp()), "T Change\r\n"
                                                        "  Trigger:  tray: Apply next\r\n"
                                                        "  Adapter:  Intel(R) PRO/1000 MT\r\n"
                                                        "  Before:   DHCP 10.0.2.15 / 255.255.255.0\r\n"
                                                        "  After:    static 192.168.1.10 / 255.255.255.0\r\n"
                                                        "            gateway 192.168.1.1\r\n"
                                                        "            DNS 192.168.1.1\r\n"
                                                        "  Outcome:  made\r\n"
                                                        "  Elevated: yes\r\n"
                                                        "\r\n"
                                                        "T Error\r\n"
                                                        "  Text:     Could not save.\r\n"
                                                        "            The file was not changed.\r\n"
                                                        "  Call:     MoveFileExA\r\n"
                                                        "  Place:    core/x.cpp:12\r\n"
                                                        "\r\n"
                                                        "T Change\r\n"
                                                        "  Trigger:  Profiles tab: Apply\r\n"
                                                        "  Adapter:  Wi-Fi\r\n"
                                                        "  Before:\r\n"
                                                        "  After:\r\n"
                                                        "  Outcome:  refused at EnableStatic (91)\r\n"
                                                        "  Elevated: no\r\n"
                                                        "\r\n");
}

TEST(History, TheBoundKeepsTheNewestWholeEntries)
{
    HistoryFile history;
    // Entries of seven sizes, each naming its number, until the file has been cut several times.
    const int count = 1500;
    for (int n = 0; n < count; ++n) {
        AppendToHistory(ErrorEntry{NumberedEntry(n)});
        WIN32_FILE_ATTRIBUTE_DATA file;
        ASSERT_TRUE(GetFileAttributesExA(history.Path().c_str(), GetFileExInfoStandard, &file));
        ASSERT_LE(file.nFileSizeLow, HistoryLimit) << "after entry " << n;
    }
    // The file must be the newest entries, whole, one after another.
    const std::string text = history.Read();
    const size_t first = text.find("entry ");
    ASSERT_NE(first, std::string::npos);
    const int oldest = std::stoi(text.substr(first + 6));
    EXPECT_GT(text.size(), HistoryLimit / 2) << "more was dropped than the bound asks";
    std::string expected;
    for (int n = oldest; n < count; ++n) {
        const std::string lines = n % 7 == 0 ? "" : "            " + std::string(n % 7 * 150, 'x') + "\r\n";
        expected += "T Error\r\n  Text:     entry " + std::to_string(n) + "\r\n" + lines + "\r\n";
    }
    EXPECT_TRUE(text == expected) << "the file holds something else than entries " << oldest << " to " << count - 1;
}

TEST(History, APathThatTakesNoWritesChangesNothingAndRaisesNothing)
{
    struct Case {
        const char* name;
        std::function<std::string(const TempFolder&)> prepare;  // gives the history's path
    };
    // Nearly full, so an append would also rewrite the file.
    const std::string full = "2026-01-01 00:00:00 Error\r\n" + std::string(HistoryLimit - 40, 'x') + "\r\n\r\n";
    const Case cases[] = {
        {"no path set", [](const TempFolder&) { return ""; }},
        {"a folder that is not there", [](const TempFolder& f) { return f.File("gone\\") + HistoryFileName; }},
        {"a folder in the file's place",
         [](const TempFolder& f) {
             CreateDirectoryA(f.File(HistoryFileName).c_str(), nullptr);
             return f.File(HistoryFileName);
         }},
        {"a read-only file",
         [&](const TempFolder& f) {
             WriteFileBytes(f.File(HistoryFileName), full);
             SetFileAttributesA(f.File(HistoryFileName).c_str(), FILE_ATTRIBUTE_READONLY);
             return f.File(HistoryFileName);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        SeamGuard<std::string> path(SetHistoryPath, c.prepare(folder));
        const auto before = FolderContents(folder.Path());
        AppendToHistory(ErrorEntry{"Access is denied", "RegSetValueExA", "core/registry.cpp", 40});
        AppendToHistory(ChangeEntry{"tray: Apply next", "Wi-Fi", {"DHCP"}, {"DHCP"}, "made", false});
        EXPECT_TRUE(FolderContents(folder.Path()) == before) << "the folder changed";
    }
    // A file another program holds open without sharing it.
    HistoryFile history;
    WriteFileBytes(history.Path(), full);
    UniqueFile held(CreateFileA(history.Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    AppendToHistory(ErrorEntry{"Access is denied"});
    held.reset();
    EXPECT_TRUE(FolderContents(history.Folder().Path()) ==
                (std::map<std::string, std::string>{{HistoryFileName, full}}))
        << "the folder changed";
}
