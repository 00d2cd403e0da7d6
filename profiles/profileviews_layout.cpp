// The Profiles tab's controls: the toolbar band with its flat picture buttons, the white panel
// with the two detail grids and the refresh link, the profile list and its context menu; and the
// tray menu's first three entries, which stand for profiles and Undo. Places are the designed
// ones at 96 DPI, relative to the band, the panel or a group.
#include <windows.h>

#include <string>

#include "profiles/profilesview.h"
#include "profiles/iprofile.h"
#include "resources/resource.h"
#include "ui/linkfocus.h"
#include "ui/speedbutton.h"

namespace {
TGroupBox* MakeGroup(std::unique_ptr<TGroupBox>& group, TWinControl* parent, const Bounds& bounds, const char* caption)
{
    group = std::make_unique<TGroupBox>(GroupBoxArgs{parent, bounds, caption, RGB(255, 255, 255)});
    return group.get();
}

std::unique_ptr<TValueListEditor> MakeGrid(TWinControl* parent, const Bounds& bounds, int keyWidth,
                                           std::initializer_list<const char*> keys, bool rowSelect = false)
{
    ValueListArgs args;
    args.parent = parent;
    args.bounds = bounds;
    args.keyColumnWidth = keyWidth;
    args.rowSelect = rowSelect;
    // "DHCP:" and "Mask:" are wider than the designed columns in some fonts.
    args.keysFit = true;
    auto grid = std::make_unique<TValueListEditor>(args);
    for (const char* key : keys)
        grid->AddRow(key, "");
    return grid;
}
}  // namespace

void TProfilesView::BuildProfilesTab(TWinControl* page)
{
    ImageList1 = std::make_unique<TImageList>(
        ImageListArgs{64, 64, IDB_PROFILEICONS, RGB(255, 0, 255), IDB_PROFILEICONS_150, IDB_PROFILEICONS_200});
    ProfilesButtons = std::make_unique<TImageList>(
        ImageListArgs{24, 24, IDB_PROFILEBUTTONS, RGB(255, 0, 255), IDB_PROFILEBUTTONS_150, IDB_PROFILEBUTTONS_200});

    ProfilesToolbar = std::make_unique<TPanel>(PanelArgs{page, {0, 0, 489, 49}, TPanelBevel::bvRaised});
    TWinControl* band = ProfilesToolbar.get();
    auto button = [&](const Bounds& bounds, const char* caption, int image, const char* hint) {
        return std::make_unique<TSpeedButton>(ButtonArgs{band, bounds, caption}, *ProfilesButtons, image, hint);
    };
    SpeedButton1 = button({4, 1, 88, 40}, "A&pply", 0, "Apply settings from selected profile");
    SpeedButton1->onClick = [this] { SpeedButton1Click(); };
    SpeedButton5 = button({98, 1, 80, 40}, "Ne&w", 1, "Create new profile");
    SpeedButton5->onClick = [this] { SpeedButton5Click(); };
    SpeedButton2 = button({184, 1, 80, 40}, "&Edit", 2, "Edit selected profile");
    SpeedButton2->onClick = [this] { SpeedButton2Click(); };
    SpeedButton3 = button({270, 1, 79, 40}, "&Delete", 3, "Delete selected profile");
    SpeedButton3->onClick = [this] { SpeedButton3Click(); };
    SpeedButton4 = button({354, 1, 128, 40}, "Set &Custom Icon", 4, "");
    SpeedButton4->SetEnabled(false);
    ManagedNote = std::make_unique<TLabel>(
        LabelArgs{.parent = band, .bounds = {98, 8, 250, 28}, .caption = {}, .autoSize = false});
    ManagedNote->SetVisible(false);

    ProfilesPanel =
        std::make_unique<TPanel>(PanelArgs{page, {0, 49, 489, 251}, TPanelBevel::bvNone, RGB(255, 255, 255)});
    TWinControl* panel = ProfilesPanel.get();

    BuildCurrentNetworkDetails(panel, {5, 3, 129, 121});
    ValueListEditor2->onSelectCell = [this](int column, int row, bool& canSelect) {
        ValueListEditor2SelectCell(column, row, canSelect);
    };

    Label12 = std::make_unique<TLinkLabel>(LabelArgs{
        .parent = panel, .bounds = {8, 128, 0, 0}, .caption = "Refresh Network Details", .color = RGB(255, 255, 255)});
    Label12->onClick = [this] { Label12Click(); };

    TWinControl* selected = MakeGroup(GroupBox4, panel, {5, 144, 129, 105}, "Selected Profile Details");
    ValueListEditor1 = MakeGrid(selected, {3, 13, 123, 90}, 30, {"Title:", "IP:", "Mask:", "GW:", "DNS:"}, true);
    // Shows the selected profile; the keyboard passes it by.
    ValueListEditor1->SetStyle(0, WS_TABSTOP);

    TWinControl* group = MakeGroup(GroupBox8, panel, {144, 3, 337, 246}, "Pr&ofiles");
    ListViewArgs list;
    list.parent = group;
    list.bounds = {8, 16, 321, 222};
    list.largeImages = ImageList1.get();
    list.textColor = RGB(0, 0, 255);
    ListView1 = std::make_unique<TListView>(list);
    ListView1->SetItemCursor(TCursor::crHandPoint);
    ListView1->onSelectItem = [this](TListItem& item, bool selected) { ListView1SelectItem(item, selected); };
    ListView1->onContextPopup = [this](POINT point, bool& handled) { ListView1ContextPopup(point, handled); };
    ListView1->onKeyDown = [this](WORD key) { ListView1KeyDown(key); };
    // The keyboard reaches the link, below the current details, after the list beside them.
    Label12->FocusWindow().SendToBack();
    // The profile list is this list's items from the start; the store keeps it from being
    // saved until a load has filled it.
    ProfileList = &ListView1->Items();

    PopupMenuArgs menu;
    menu.owner = m_window.Handle();
    PopupMenu2 = std::make_unique<TPopupMenu>(menu);
    TMenuItem& items = PopupMenu2->Items();
    Activate1 = &items.Add("Activate");
    Activate1->SetDefault(true);
    Edit4 = &items.Add("Edit...");
    Delete1 = &items.Add("Delete");
    CreateShortcut1 = &items.Add("Create Shortcut");
    SelectAll1 = &items.Add("Select All");
    SelectAll1->onClick = [this](TMenuItem& sender) { SelectAll1Click(sender); };
    ListView1->SetPopupMenu(PopupMenu2.get());
}

void TProfilesView::SetLocked(bool locked)
{
    m_locked = locked;
    for (TButton* button : {SpeedButton5.get(), SpeedButton2.get(), SpeedButton3.get()})
        button->SetVisible(!locked);
    ManagedNote->SetCaption(locked ? kProfilesManagedText : "");
    ManagedNote->SetWordWrap(true);
    ManagedNote->SetVisible(locked);
}

void TProfilesView::BuildTrayEntries(TPopupMenu& trayMenu)
{
    TMenuItem& items = trayMenu.Items();
    // Two profiles that tie for a place are both offered; a third is rare enough to go unoffered.
    for (size_t i = 0; i < 2; ++i) {
        TMenuItem& offer = items.Add("Apply");
        offer.SetImageIndex(8);
        offer.SetVisible(false);
        offer.onClick = [this, i](TMenuItem&) { ApplyOffered(i); };
        PlaceOffers.push_back(&offer);
    }
    ApplyNextProfile1 = &items.Add("Apply Next Profile");
    ApplyNextProfile1->SetImageIndex(5);
    ApplyNextProfile1->SetDefault(true);
    ApplyNextProfile1->onClick = [this](TMenuItem& sender) { ApplyNextProfile1Click(sender); };
    Undo1 = &items.Add("Undo");
    Undo1->SetImageIndex(5);
    Undo1->SetVisible(false);
    Undo1->onClick = [this](TMenuItem& sender) { Undo1Click(sender); };
    prfs = &items.Add("Profiles");
    prfs->SetImageIndex(0);
}

void TProfilesView::BuildCurrentNetworkDetails(TWinControl* parent, const Bounds& bounds)
{
    TWinControl* group = MakeGroup(GroupBox3, parent, bounds, "C&urrent Network Details");
    ValueListEditor2 = MakeGrid(group, {3, 13, bounds.width - 6, bounds.height - 14}, 35,
                                {"Card:", "IP:", "Mask:", "GW:", "DNS:", "DHCP:"});
}

void TProfilesView::SwitchOffGridEditors()
{
    ValueListEditor1->SetEditingEnabled(false);
    ValueListEditor2->SetEditingEnabled(false);
}
