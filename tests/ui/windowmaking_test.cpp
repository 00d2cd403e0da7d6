// Controls keep what the program gives them until their windows are made, when their form is
// first shown or a caller needs a handle; the windows then show exactly that, in the order the
// controls were made. Texts, pictures and shapes have no windows: their parent paints them.
#include "ui/toolkit.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "support/input.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/graphic.h"
#include "ui/header.h"
#include "ui/label.h"
#include "ui/linkfocus.h"
#include "ui/listview.h"
#include "ui/pagecontrol.h"

namespace {
class Item : public TListItem {
public:
    Item(TListItems& owner, const std::string& caption) : TListItem(owner) { SetCaption(caption); }
};

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}
}  // namespace

TEST_F(ToolkitTest, WhatIsSetBeforeTheFormIsShownIsWhatItsWindowsShow)
{
    TGroupBox group({&host, {8, 8, 220, 120}, "Options"});
    TCheckBox box({&group, {8, 16, 120, 17}, "Load on StartUp"});
    TEdit edit({&group, {8, 40, 200, 21}, ""});
    TComboBox combo({&group, {8, 70, 200, 21}});
    THeaderControl header({&host, {8, 140, 220, 20}});
    TListView list({&host, {240, 8, 150, 150}});
    TButton hidden({&host, {8, 170, 75, 25}, "Hidden"});
    int edits = 0;
    edit.onChange = [&] { ++edits; };

    box.SetChecked(true);
    box.SetEnabled(false);
    edit.SetText("C:\\profiles.ini");
    combo.AddItem("Wired");
    combo.AddItem("Wi-Fi");
    combo.SetItemIndex(1);
    header.AddSection("Property", 150);
    header.SetSectionWidth(0, 120);
    list.Items().Append(std::make_unique<Item>(list.Items(), "Office"));
    list.Items().Append(std::make_unique<Item>(list.Items(), "Home")).SetSelected(true);
    hidden.SetVisible(false);

    const std::vector<TWinControl*> controls = {&group, &box, &edit, &combo, &header, &list, &hidden};
    for (const TWinControl* control : controls)
        EXPECT_FALSE(control->HandleAllocated());
    EXPECT_EQ(edits, 1);  // a program's text is a change, window or not
    EXPECT_EQ(combo.Text(), "Wi-Fi");
    EXPECT_TRUE(box.Checked());

    host.Show();
    EXPECT_FALSE(hidden.HandleAllocated());
    EXPECT_EQ(Children(host.Handle()), (std::vector<HWND>{group.Handle(), header.Handle(), list.Handle()}));
    EXPECT_EQ(SendMessageA(box.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(box.Handle()));
    EXPECT_EQ(edit.Text(), "C:\\profiles.ini");
    EXPECT_EQ(edits, 1);  // making the window is no change
    EXPECT_EQ(SendMessageA(combo.Handle(), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(combo.Handle(), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(combo.Text(), "Wi-Fi");
    EXPECT_EQ(SendMessageA(header.Handle(), HDM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(header.SectionWidth(0), 120);
    EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETITEMSTATE, 1, LVIS_SELECTED), LVIS_SELECTED);

    // Shown later, a control gets its window then.
    hidden.SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(hidden.Handle()));
    EXPECT_EQ(Children(host.Handle()).back(), hidden.Handle());
}

TEST_F(ToolkitTest, AHandleAskedForEarlyKeepsTheOrderOfMaking)
{
    // The keyboard and the z-order follow the order the controls were made in, whichever
    // window was made first.
    TButton first({&host, {8, 8, 75, 25}, "First"});
    TButton second({&host, {8, 40, 75, 25}, "Second"});
    TButton third({&host, {8, 72, 75, 25}, "Third"});
    const HWND early = third.Handle();
    EXPECT_FALSE(first.HandleAllocated());
    host.Show();
    EXPECT_EQ(third.Handle(), early);
    EXPECT_EQ(Children(host.Handle()), (std::vector<HWND>{first.Handle(), second.Handle(), third.Handle()}));
}

TEST_F(ToolkitTest, OnlyTheSelectedPagesControlsGetWindowsUntilAnotherIsSelected)
{
    TPageControl pages({&host, {0, 0, 400, 300}});
    TButton onFirst({&pages.AddPage("One", -1), {8, 8, 75, 25}, "One"});
    TButton onSecond({&pages.AddPage("Two", -1), {8, 8, 75, 25}, "Two"});
    host.Show();
    EXPECT_TRUE(IsWindowVisible(onFirst.Handle()));
    EXPECT_FALSE(onSecond.HandleAllocated());
    pages.SetActivePageIndex(1);
    EXPECT_TRUE(IsWindowVisible(onSecond.Handle()));
    EXPECT_FALSE(IsWindowVisible(onFirst.Handle()));
}

TEST_F(ToolkitTest, PaintedControlsAreNoWindowsAndTakeTheMouseOnlyWhereTheyAct)
{
    TGroupBox group({&host, {8, 8, 300, 100}, "Contact Information"});
    TLabel caption({&group, {16, 28, 0, 0}, "Web-Site:"});
    TLinkLabel link({&group, {80, 28, 0, 0}, "www.example.org"});
    TShape band({&host, {0, 120, 300, 40}});
    LabelArgs hiddenArgs{&host, {8, 170, 0, 0}, "Hidden"};
    hiddenArgs.color = RGB(255, 0, 0);
    TLabel hidden(hiddenArgs);
    hidden.SetVisible(false);
    int clicks = 0;
    link.onClick = [&] { ++clicks; };
    host.Show();
    // The one window on the group is the link's, for the keyboard; it lets the mouse through.
    const HWND linkWindow = link.FocusWindow().Handle();
    EXPECT_EQ(Children(group.Handle()), std::vector<HWND>{linkWindow});
    EXPECT_EQ(Children(host.Handle()), std::vector<HWND>{group.Handle()});
    EXPECT_EQ(SendMessageA(linkWindow, WM_NCHITTEST, 0, 0), HTTRANSPARENT);

    // A group box lets the mouse through to the form, except over a link on it, which shows
    // the hand.
    const auto screenPoint = [&](const TBaseControl& control) {
        const Bounds place = control.GetBounds();
        POINT at{place.left + 2, place.top + 2};
        ClientToScreen(group.Handle(), &at);
        return at;
    };
    const auto hitTest = [&](const TBaseControl& control) {
        const POINT at = screenPoint(control);
        return SendMessageA(group.Handle(), WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
    };
    const auto cursorOver = [&](const TBaseControl& control) {
        EXPECT_TRUE(MovePointer(screenPoint(control)));
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        SendMessageA(group.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(group.Handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    EXPECT_EQ(hitTest(link), HTCLIENT);
    EXPECT_EQ(hitTest(caption), HTTRANSPARENT);
    EXPECT_EQ(cursorOver(link), LoadCursor(nullptr, IDC_HAND));
    EXPECT_NE(cursorOver(caption), LoadCursor(nullptr, IDC_HAND));
    ClickOn(caption);
    EXPECT_EQ(clicks, 0);
    ClickOn(link);
    EXPECT_EQ(clicks, 1);

    // A hidden text leaves its place to what lies below.
    RedrawWindow(host.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const WindowDc dc(host.Handle());
    EXPECT_EQ(GetPixel(dc.get(), 10, 172), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetPixel(dc.get(), 10, 130), RGB(255, 255, 255));  // the shape's fill
}
