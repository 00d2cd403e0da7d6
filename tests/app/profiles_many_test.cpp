// A store with more profiles than the menus have command ids (10,000 profiles make 40,000 tray
// menu items; WM_COMMAND has 28,672 ids for them): the start says nothing, every profile has its
// entry in the tray with its commands, "New" adds one more, and the save writes them all.
#include "app/mainwindow.h"

#include <string>
#include <vector>

#include "profiles/iprofile.h"
#include "support/editordriver.h"
#include "support/profiledata.h"
#include "support/tempfolder.h"

namespace {
constexpr int kProfiles = 10000;
const std::vector<std::string> kCommands{"Activate", "Edit...", "Delete", "Create Shortcut", "Use here"};

std::string SiteName(int i) { return "Site " + std::to_string(i); }

std::string StoreOfSites(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        // Appended piece by piece: a literal joined to a string draws GCC's false -Wrestrict.
        text += "[";
        text += std::to_string(i);
        text += "]\r\nip=10.0.";
        text += std::to_string(i / 250) + "." + std::to_string(i % 250 + 1);
        text += "\r\nname=";
        text += SiteName(i);
        text += "\r\n";
    }
    return text;
}
}  // namespace

TEST_F(MainWindowTest, TenThousandProfilesAreAllInTheTrayAndAllSaved)
{
    StartOnProfilesTab(StoreOfSites(kProfiles));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});

    std::vector<std::string> sites;
    for (int i = 0; i < kProfiles; ++i)
        sites.push_back(SiteName(i));
    // Listed in parts of a thousand, each opening its part.
    const std::vector<MenuEntry> tray = TrayMenu();
    const MenuEntry* profiles = FindEntry(tray, "Profiles");
    ASSERT_NE(profiles, nullptr);
    ASSERT_EQ(profiles->items.size(), 10u);
    EXPECT_EQ(profiles->items[0].caption, "1 - 1000");
    EXPECT_EQ(profiles->items[9].caption, "9001 - 10000");
    const std::vector<MenuEntry> entries = TrayProfiles();
    EXPECT_EQ(Captions(entries), sites);
    ASSERT_EQ(entries.size(), sites.size());
    EXPECT_EQ(Captions(entries.back().items), kCommands);

    // The last entry's command reaches its profile.
    ChooseInTray(kProfiles - 1, "Delete");
    application.ProcessMessages();
    EXPECT_EQ(form->Profiles->ListView1->Items().Count(), kProfiles - 1);
    EXPECT_EQ(form->Profiles->prfs->Count(), kProfiles - 1);
    const std::vector<MenuEntry> trayAfter = TrayMenu();
    EXPECT_EQ(FindEntry(trayAfter, "Profiles")->items.back().caption, "9001 - 9999");

    EditorDriver editor{Form2};
    editor.Script({editor.Title("Lab"), editor.Ok()});
    Click(*form->Profiles->SpeedButton5);
    EXPECT_EQ(editor.Runs(), 1);
    const std::vector<MenuEntry> after = TrayProfiles();
    ASSERT_EQ(after.size(), static_cast<size_t>(kProfiles));
    EXPECT_EQ(after.back().caption, "Lab");
    EXPECT_EQ(Captions(after.back().items), kCommands);

    Choose(form->Exit1);
    const std::vector<ProfileData> saved = LoadedFrom(StorePath());
    ASSERT_EQ(saved.size(), static_cast<size_t>(kProfiles));
    EXPECT_EQ(saved[kProfiles - 2].name, SiteName(kProfiles - 2));
    EXPECT_EQ(saved.back().name, "Lab");
    EXPECT_TRUE(boxes.empty());
}
