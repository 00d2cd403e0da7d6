// The grid paints itself, so it draws the focus rectangle on the row that has the focus, as a
// list draws it on its focused item. (Wine keeps no keyboard-cue state: WM_QUERYUISTATE answers
// nothing hidden there, so the forms' clearing of the hidden-focus cue cannot be seen here.)
#include "ui/toolkit.h"

#include "core/handles.h"
#include "ui/valuelist.h"

TEST_F(ToolkitTest, TheGridDrawsTheFocusRectangleOnTheSelectedRow)
{
    host.Show();
    ValueListArgs args;
    args.parent = host.Handle();
    args.bounds = {8, 8, 321, 241};
    args.keyColumnWidth = 150;
    args.editing = false;
    TValueListEditor grid(args);
    grid.AddRow("IP:", "10.0.0.5");
    SendMessageA(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, grid.RowHeight() / 2));
    RedrawWindow(grid.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const WindowDc dc(grid.Handle());
    // Along the highlighted cell's top edge, where the dotted rectangle runs, and inside it.
    int dotted = 0;
    for (int x = 160; x < 200; ++x)
        dotted += GetPixel(dc.get(), x, 0) != GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_GT(dotted, 10);
    EXPECT_EQ(GetPixel(dc.get(), 300, 1), GetSysColor(COLOR_HIGHLIGHT));
}
