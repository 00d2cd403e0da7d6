// Popup menus: the native menu built from the item tree, and commands finding their items.
#include "ui/toolkit.h"

#include "support/menus.h"
#include "ui/imagelist.h"
#include "ui/menu.h"

namespace {
std::string CaptionAt(HMENU menu, int position)
{
    char text[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}
}  // namespace

TEST_F(ToolkitTest, NativeMenuShowsVisibleItemsWithDefaultAndSubmenus)
{
    TPopupMenu menu({host.Handle()});
    TMenuItem& first = menu.Items().Add("Apply Next Profile");
    first.SetDefault(true);
    TMenuItem& profiles = menu.Items().Add("Profiles");
    profiles.Add("Office").Add("Activate");
    menu.Items().Add("Select All").SetVisible(false);
    menu.Items().Add("Exit");

    UniqueHmenu native = menu.BuildMenu();
    ASSERT_EQ(GetMenuItemCount(native.get()), 3);
    EXPECT_EQ(CaptionAt(native.get(), 0), "Apply Next Profile");
    EXPECT_EQ(CaptionAt(native.get(), 2), "Exit");
    EXPECT_EQ(GetMenuDefaultItem(native.get(), TRUE, 0), 0u);
    HMENU submenu = GetSubMenu(native.get(), 1);
    ASSERT_NE(submenu, nullptr);
    EXPECT_EQ(CaptionAt(submenu, 0), "Office");
    ASSERT_NE(GetSubMenu(submenu, 0), nullptr);
    EXPECT_EQ(CaptionAt(GetSubMenu(submenu, 0), 0), "Activate");
}

TEST_F(ToolkitTest, CommandReachesItsItemWhichMayRemoveItsOwnParent)
{
    TPopupMenu menu({host.Handle()});
    TMenuItem& entry = menu.Items().Add("Office");
    entry.SetTag(7);
    TMenuItem& remove = entry.Add("Delete");
    int tagSeen = -1;
    remove.onClick = [&](TMenuItem& sender) {
        tagSeen = sender.Parent()->Tag();
        menu.Items().Remove(*sender.Parent());  // takes the clicked item with it
    };
    const UINT command = OpenTo(menu, remove, host.Handle());
    ASSERT_NE(command, 0u);
    SendMessageA(host.Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    EXPECT_EQ(tagSeen, 7);
    EXPECT_EQ(menu.Items().Count(), 0);
    // The command of a destroyed item reaches nothing.
    EXPECT_FALSE(TMenuItem::DispatchCommand(command));
}

TEST_F(ToolkitTest, DefaultItemClickTakesTheFirstVisibleDefault)
{
    TPopupMenu menu({host.Handle()});
    std::vector<std::string> clicked;
    for (const char* caption : {"Hidden", "First", "Second"}) {
        TMenuItem& item = menu.Items().Add(caption);
        item.SetDefault(true);
        item.onClick = [&clicked](TMenuItem& sender) { clicked.push_back(sender.Caption()); };
    }
    menu.Items().Item(0).SetVisible(false);
    EXPECT_TRUE(menu.ClickDefaultItem());
    EXPECT_EQ(clicked, std::vector<std::string>{"First"});

    TPopupMenu empty({host.Handle()});
    empty.Items().Add("Plain");
    EXPECT_FALSE(empty.ClickDefaultItem());
}

// Windows asks the owner for the size of each image, naming the entry by its id and its data.
TEST_F(ToolkitTest, MenuImagesAreSizedAndDrawnByTheOwner)
{
    TImageList images({16, 16});
    TPopupMenu menu({host.Handle(), &images});
    menu.Items().Add("About").SetImageIndex(3);
    TMenuItem& profiles = menu.Items().Add("Profiles");  // opens a submenu: has no command id
    profiles.SetImageIndex(0);
    profiles.Add("Office");
    for (int position : {0, 1}) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_BITMAP | MIIM_ID | MIIM_DATA;
        ASSERT_TRUE(GetMenuItemInfoA(menu.OpeningMenu(), static_cast<UINT>(position), TRUE, &info));
        EXPECT_EQ(info.hbmpItem, HBMMENU_CALLBACK);

        MEASUREITEMSTRUCT measure{};
        measure.CtlType = ODT_MENU;
        measure.itemID = info.wID;
        measure.itemData = info.dwItemData;
        EXPECT_EQ(SendMessageA(host.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), TRUE);
        EXPECT_EQ(measure.itemWidth, 16u) << position;
        EXPECT_EQ(measure.itemHeight, 16u) << position;
    }
}

namespace {
// A native menu written out: captions, states and submenus, to compare two menus by. With an
// owner, each submenu is opened first as Windows opens it, by WM_INITMENUPOPUP to the owner.
std::string Described(HMENU menu, HWND owner = nullptr)
{
    std::string text;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_SUBMENU | MIIM_BITMAP;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        text += CaptionAt(menu, i) + ((info.fState & MFS_DEFAULT) ? " default" : "") +
                ((info.fState & MFS_DISABLED) ? " disabled" : "") + (info.hbmpItem != nullptr ? " image" : "");
        if (owner != nullptr) OpenSubmenu(menu, i, owner);
        if (info.hSubMenu != nullptr) text += " [" + Described(info.hSubMenu, owner) + "]";
        text += "; ";
    }
    return text;
}
}  // namespace

TEST_F(ToolkitTest, OpeningMenuIsKeptAndBroughtUpToDateWhereItChanged)
{
    TImageList images({16, 16});
    TPopupMenu menu({host.Handle(), &images});
    TMenuItem& next = menu.Items().Add("Apply next: Office");
    next.SetDefault(true);
    TMenuItem& profiles = menu.Items().Add("Profiles");
    for (const char* name : {"Office", "Home", "Lab"}) {
        TMenuItem& entry = profiles.Add(name);
        entry.SetImageIndex(2);
        entry.Add("Activate");
        entry.Add("Delete");
    }
    menu.Items().Add("Exit");
    const auto expectSame = [&](const char* step) {
        EXPECT_EQ(Described(menu.OpeningMenu(), host.Handle()), Described(menu.BuildMenu().get())) << step;
    };
    // Submenus are filled when they open, not with the menu that lists them.
    const HMENU unopened = GetSubMenu(menu.OpeningMenu(), 1);
    ASSERT_NE(unopened, nullptr);
    EXPECT_EQ(GetMenuItemCount(unopened), 0);
    expectSame("first opening");
    const HMENU kept = menu.OpeningMenu();
    const HMENU keptProfiles = GetSubMenu(kept, 1);

    // Only the top changes: the profiles' menu is the same one, not built again.
    next.SetCaption("Apply next: Home");
    next.SetEnabled(false);
    expectSame("top changed");
    EXPECT_EQ(menu.OpeningMenu(), kept);
    EXPECT_EQ(GetSubMenu(kept, 1), keptProfiles);

    // Changes further down, each brought up to date in its own menu.
    profiles.Item(1).SetCaption("Home (new)");
    expectSame("caption of an entry");
    profiles.Item(0).Item(0).SetVisible(false);
    expectSame("hidden sub-item");
    profiles.Item(2).Clear();
    expectSame("entry without its submenu");
    profiles.Item(2).Add("Activate");
    expectSame("entry with a submenu again");
    profiles.Remove(profiles.Item(0));
    expectSame("entry removed");
    profiles.SetVisible(false);
    expectSame("submenu hidden");
    profiles.SetVisible(true);
    expectSame("submenu shown again");
    profiles.Clear();
    expectSame("submenu emptied");
    EXPECT_EQ(GetSubMenu(menu.OpeningMenu(), 1), nullptr);
}
