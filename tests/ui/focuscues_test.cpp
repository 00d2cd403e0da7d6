// The grid paints itself, so it draws the focus rectangle on the row that has the focus, as a
// list draws it on its focused item; a painted label underlines its access key only while its
// window shows the keyboard cues. (Wine keeps no keyboard-cue state: WM_QUERYUISTATE answers
// nothing hidden there, so a window here answers it itself.)
#include "ui/toolkit.h"

#include <vector>

#include "core/handles.h"
#include "ui/label.h"
#include "ui/subclass.h"
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

namespace {
// A window whose keyboard cues are what the test says.
class CueState : public TSubclass {
public:
    explicit CueState(HWND window) : TSubclass(window) {}
    LRESULT state = 0;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_QUERYUISTATE) return state;
        return TSubclass::HandleMessage(message, wParam, lParam);
    }
};
}  // namespace

TEST_F(ToolkitTest, ALabelUnderlinesItsAccessKeyOnlyWhileItsWindowShowsTheCues)
{
    host.Show();
    TLabel marked({&host, {8, 8, 0, 0}, "&Profile Title"});
    TLabel plain({&host, {8, 40, 0, 0}, "Profile Title"});
    CueState cues(host.Handle());
    const auto pixels = [&](const TLabel& label) {
        const WindowDc dc(host.Handle());
        const Bounds place = label.GetBounds();
        std::vector<COLORREF> seen;
        for (int y = 0; y < place.height; ++y)
            for (int x = 0; x < place.width; ++x)
                seen.push_back(GetPixel(dc.get(), place.left + x, place.top + y));
        return seen;
    };
    for (const LRESULT state : {LRESULT{UISF_HIDEACCEL}, LRESULT{0}}) {
        cues.state = state;
        RedrawWindow(host.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_EQ(pixels(marked) == pixels(plain), state == UISF_HIDEACCEL) << "cue state " << state;
    }
}
