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
// Each file of the folder with its bytes.
std::map<std::string, std::string> FolderContents(const TempFolder& folder)
{
    std::map<std::string, std::string> contents;
    WIN32_FIND_DATAA found;
    UniqueFindFile search(FindFirstFileA(folder.File("*.*").c_str(), &found));
    do {
        if (found.cFileName[0] != '.') contents[found.cFileName] = ReadFileBytes(folder.File(found.cFileName));
    } while (FindNextFileA(search.get(), &found));
    return contents;
}
}  // namespace

TEST(History, EntriesAreAppendedInOrderWithTheirFields)
{
    HistoryFile history;
    AppendToHistory(ChangeEntry{
        "tray: Apply next", "Wi-Fi", {"DHCP"}, {"192.168.1.10 / 255.255.255.0", "gateway 192.168.1.1"}, "made", true});
    AppendToHistory(ErrorEntry{"Not saved.\r\n\r\nNothing changed.", "MoveFileExA", "core/x.cpp", 12});
    EXPECT_EQ(history.Read(), "T Change\r\n  Trigger:  tray: Apply next\r\n  Adapter:  Wi-Fi\r\n  Before:   DHCP\r\n"
                              "  After:    192.168.1.10 / 255.255.255.0\r\n            gateway 192.168.1.1\r\n"
                              "  Outcome:  made\r\n  Elevated: yes\r\n\r\n"
                              "T Error\r\n  Text:     Not saved.\r\n            Nothing changed.\r\n"
                              "  Call:     MoveFileExA\r\n  Place:    core/x.cpp:12\r\n\r\n");
}

TEST(History, TheBoundKeepsTheNewestWholeEntries)
{
    HistoryFile history;
    // Entries of seven sizes, each naming its number, until the file has been cut several times.
    const auto xs = [](int n) { return std::string(n % 7 * 150, 'x'); };
    const auto entry = [&](int n) {
        return "entry " + std::to_string(n) + (n % 7 ? std::string("\n").append(xs(n)) : "");
    };
    const int count = 1500;
    for (int n = 0; n < count; ++n) {
        AppendToHistory(ErrorEntry{entry(n)});
        ASSERT_LE(ReadFileBytes(history.Path()).size(), kHistoryLimit) << "after entry " << n;
    }
    const std::string text = history.Read();
    const int oldest = std::stoi(text.substr(text.find("entry ") + 6));
    std::string expected;
    for (int n = oldest; n < count; ++n)
        expected += "T Error\r\n  Text:     entry " + std::to_string(n) + "\r\n" +
                    (n % 7 ? std::string(12, ' ').append(xs(n)).append("\r\n") : "") + "\r\n";
    EXPECT_TRUE(text == expected) << "not entries " << oldest << " to " << count - 1 << ", whole";
    EXPECT_GT(text.size(), kHistoryLimit / 2) << "more was dropped than the bound asks";
}

TEST(History, APathThatTakesNoWritesChangesNothingAndRaisesNothing)
{
    TempFolder folder;
    const std::string file = folder.File(kHistoryFileName);
    // Nearly full, so an append would also rewrite it.
    const std::string full = "2026-01-01 00:00:00 Error\r\n" + std::string(kHistoryLimit - 40, 'x') + "\r\n\r\n";
    const std::function<std::string()> paths[] = {
        [] { return ""; },                                         // none set
        [&] { return folder.File("gone\\") + kHistoryFileName; },  // a folder that is not there
        [&] { return CreateDirectoryA(file.c_str(), nullptr), file; },
        [&] {
            RemoveDirectoryA(file.c_str());
            WriteFileBytes(file, full);
            return SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY), file;
        },
        [&] { return SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL), file; },  // held, below
    };
    for (size_t c = 0; c < std::size(paths); ++c) {
        SeamGuard<std::string> path(SetHistoryPath, paths[c]());
        const auto before = FolderContents(folder);
        UniqueFile held(c == 4 ? CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                               : INVALID_HANDLE_VALUE);
        AppendToHistory(ErrorEntry{"Access is denied", "RegSetValueExA", "core/registry.cpp", 40});
        AppendToHistory(ChangeEntry{"tray: Apply next", "Wi-Fi", {"DHCP"}, {"DHCP"}, "made", false});
        held.reset();
        EXPECT_TRUE(FolderContents(folder) == before) << "case " << c << " changed the folder";
    }
}
