// A profile's desktop shortcut: a file name Windows takes for every title, and one of its own
// for each profile, never another profile's overwritten.
#include <gtest/gtest.h>

#include <string>

#include "profiles/shortcut.h"
#include "support/seams.h"
#include "support/tempfolder.h"

TEST(ShortcutFileName, EveryTitleGivesANameWindowsTakes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Office", "Office"},    {"A/B", "A_B"},     {"A:B", "A_B"},          {"Lab. ", "Lab"},
        {"", "Velmora profile"}, {"CON", "CON_"},    {"nul.txt", "nul_.txt"}, {"COM1", "COM1_"},
        {"LPT9 ", "LPT9_"},      {"COM10", "COM10"}, {"Console", "Console"},
    };
    for (const auto& [title, name] : cases)
        EXPECT_EQ(ShortcutFileName(title), name) << title;
}

TEST(ShortcutFileName, EachProfileGetsAShortcutOfItsOwn)
{
    TempFolder desktop;
    const SeamGuard<ShortcutFolderFunction> folder(SetShortcutFolder,
                                                   [&] { return desktop.Path().substr(0, desktop.Path().size() - 1); });
    EXPECT_EQ(CreateProfileShortcut("A/B"), desktop.File("A_B.lnk"));
    EXPECT_EQ(CreateProfileShortcut("A:B"), desktop.File("A_B (2).lnk"));
    EXPECT_EQ(CreateProfileShortcut("Office"), desktop.File("Office.lnk"));
    EXPECT_EQ(CreateProfileShortcut("office"), desktop.File("office (2).lnk"));
    // A profile's own shortcut is made again in its place.
    EXPECT_EQ(CreateProfileShortcut("A:B"), desktop.File("A_B (2).lnk"));
    EXPECT_EQ(CreateProfileShortcut("A/B"), desktop.File("A_B.lnk"));
}
