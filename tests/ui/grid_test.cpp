// The key/value grid and the list view: the two views the tabs fill with details and profiles.
#include "ui/toolkit.h"

#include <commctrl.h>

#include <set>
#include <string>
#include <utility>

#include "ui/button.h"
#include "ui/listview.h"
#include "ui/valuelist.h"

namespace {
ValueListArgs GridArgs(HWND parent)
{
    ValueListArgs args;
    args.parent = parent;
    args.bounds = {8, 8, 321, 241};
    args.keyColumnWidth = 150;
    return args;
}

class NamedItem : public TListItem {
public:
    NamedItem(TListItems& owner, const std::string& caption) : TListItem(owner) { SetCaption(caption); }
};

std::string ListText(HWND list, int index)
{
    char text[64] = {};
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}
}  // namespace

TEST_F(ToolkitTest, GridValueColumnFillsWhatTheKeyColumnLeaves)
{
    TValueListEditor grid(GridArgs(host.Handle()));
    RECT client;
    GetClientRect(grid.Handle(), &client);
    EXPECT_EQ(grid.ValueColumnWidth(), client.right - 150);
    grid.SetKeyColumnWidth(200);
    EXPECT_EQ(grid.ValueColumnWidth(), client.right - 200);
}

TEST_F(ToolkitTest, GridEditsValuesInPlaceExceptReadOnlyRowsAndKeys)
{
    TValueListEditor grid(GridArgs(host.Handle()));
    host.Show();
    grid.AddRow(" ", " ");
    grid.AddRow("MACAddress", "00:11:22:33:44:55", true);
    const int ip = grid.AddRow("IP Address", "10.0.0.5 ");
    std::vector<int> changed;
    grid.onValueChange = [&](int row) { changed.push_back(row); };

    EXPECT_FALSE(grid.EditRow(1));
    // A click on a key opens nothing; a click on a value opens its editor.
    const int middle = ip * grid.RowHeight() + grid.RowHeight() / 2;
    SendMessageA(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, middle));
    EXPECT_FALSE(grid.Editing());
    SendMessageA(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, middle));
    ASSERT_TRUE(grid.Editing());
    EXPECT_EQ(grid.Editor()->Text(), "10.0.0.5 ");

    grid.Editor()->SetText("192.168.1.10");
    SendMessageA(grid.Editor()->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(grid.Editing());
    EXPECT_EQ(grid.Value(ip), "192.168.1.10");
    EXPECT_EQ(grid.Values("ip address"), "192.168.1.10");
    EXPECT_EQ(changed, std::vector<int>{ip});

    ASSERT_TRUE(grid.EditRow(ip));
    grid.Editor()->SetText("dropped");
    SendMessageA(grid.Editor()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(grid.Value(ip), "192.168.1.10");
}

TEST_F(ToolkitTest, GridWithEditingOffOrRefusedCellsOpensNoEditor)
{
    TValueListEditor grid(GridArgs(host.Handle()));
    grid.AddRow("IP:", "10.0.0.5");
    grid.SetEditingEnabled(false);
    EXPECT_FALSE(grid.EditRow(0));

    grid.SetEditingEnabled(true);
    grid.onSelectCell = [](int, int, bool& canSelect) { canSelect = false; };
    EXPECT_FALSE(grid.EditRow(0));
    EXPECT_FALSE(grid.Editing());
}

TEST_F(ToolkitTest, ListViewShowsItsItemsAndHandsBackTheUsersSelection)
{
    TListView list({host.Handle(), {8, 8, 321, 222}});
    list.Items().Append(std::make_unique<NamedItem>(list.Items(), "Office"));
    list.Items().Append(std::make_unique<NamedItem>(list.Items(), "Home"));
    ASSERT_EQ(SendMessageA(list.Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(ListText(list.Handle(), 1), "Home");

    list.Items().Item(0).SetCaption("10.0.0.5");
    EXPECT_EQ(ListText(list.Handle(), 0), "10.0.0.5");
    list.Items().Item(1).SetSelected(true);
    EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETITEMSTATE, 1, LVIS_SELECTED), LVIS_SELECTED);

    std::vector<std::string> reported;
    list.onSelectItem = [&](TListItem& item, bool selected) {
        reported.push_back(item.Caption() + (selected ? " on" : " off"));
    };
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageA(list.Handle(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    EXPECT_TRUE(list.Items().Item(0).Selected());
    EXPECT_EQ(reported, std::vector<std::string>{"10.0.0.5 on"});

    list.Items().Delete(0);
    EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(ListText(list.Handle(), 0), "Home");
    list.Items().Clear();
    EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ToolkitTest, ListViewUpdateLaysTheItemsOutOnceAtTheEndAndMayNest)
{
    TListView list({host.Handle(), {8, 8, 321, 222}});
    const auto style = [&] { return GetWindowLongPtrA(list.Handle(), GWL_STYLE); };
    const auto position = [&](int index) {
        POINT at{};
        SendMessageA(list.Handle(), LVM_GETITEMPOSITION, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&at));
        return std::make_pair(at.x, at.y);
    };
    list.BeginUpdate();
    list.BeginUpdate();
    EXPECT_EQ(style() & LVS_AUTOARRANGE, 0);
    for (int i = 0; i < 40; ++i)
        list.Items().Append(std::make_unique<NamedItem>(list.Items(), std::to_string(i)));
    list.Items().Item(3).SetCaption("Office");
    list.Items().Item(5).SetSelected(true);
    list.EndUpdate();
    EXPECT_EQ(style() & LVS_AUTOARRANGE, 0) << "the outer update still runs";
    list.EndUpdate();
    EXPECT_NE(style() & LVS_AUTOARRANGE, 0);
    list.EndUpdate();  // one too many changes nothing
    EXPECT_NE(style() & LVS_AUTOARRANGE, 0);

    ASSERT_EQ(SendMessageA(list.Handle(), LVM_GETITEMCOUNT, 0, 0), 40);
    EXPECT_EQ(ListText(list.Handle(), 3), "Office");
    EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETITEMSTATE, 5, LVIS_SELECTED), LVIS_SELECTED);
    // Arranged in rows, each item in its own place.
    std::set<std::pair<int, int>> places;
    for (int i = 0; i < 40; ++i)
        places.insert(position(i));
    EXPECT_EQ(places.size(), 40u);
    EXPECT_EQ(position(0).second, position(1).second);
    EXPECT_LT(position(0).first, position(1).first);

    // Outside an update a change shows at once.
    list.Items().Item(3).SetCaption("Home");
    EXPECT_EQ(ListText(list.Handle(), 3), "Home");
}

TEST_F(ToolkitTest, ListViewShowsItsTextsToAParentThatAsksForUnicode)
{
    // A group box, a system class of Unicode windows, has the list send Unicode requests.
    TGroupBox group({host.Handle(), {8, 8, 340, 240}, "Profiles"});
    TListView list({group.Handle(), {8, 16, 321, 222}});
    list.Items().Append(std::make_unique<NamedItem>(list.Items(), "Office"));
    list.Items().Append(std::make_unique<NamedItem>(list.Items(), "Café"));
    EXPECT_EQ(ListText(list.Handle(), 0), "Office");
    EXPECT_EQ(ListText(list.Handle(), 1), "Café");
}

// A selected row shows in the highlight colour while the grid has the focus: the whole row in
// a grid that selects rows, which a click on its key selects too; in any other grid the key
// column is fixed and only the value shows it.
TEST_F(ToolkitTest, GridShowsTheWholeSelectedRowOnlyWhenItSelectsRows)
{
    host.Show();
    for (const bool rowSelect : {false, true}) {
        SCOPED_TRACE(rowSelect);
        ValueListArgs args = GridArgs(host.Handle());
        args.editing = false;
        args.rowSelect = rowSelect;
        TValueListEditor grid(args);
        grid.AddRow("IP:", "10.0.0.5");
        const LPARAM onKey = MAKELPARAM(10, grid.RowHeight() / 2);
        const LPARAM onValue = MAKELPARAM(200, grid.RowHeight() / 2);
        SendMessageA(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, rowSelect ? onKey : onValue);
        UpdateWindow(grid.Handle());
        const WindowDc dc(grid.Handle());
        EXPECT_EQ(GetPixel(dc.get(), 300, 1), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(GetPixel(dc.get(), 1, 1) == GetSysColor(COLOR_HIGHLIGHT), rowSelect);
    }
}
