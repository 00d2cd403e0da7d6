// The controls raise their events for what a user does, and for the program's own changes
// exactly where the program's design relies on it.
#include "ui/toolkit.h"

#include <commctrl.h>

#include <tuple>

#include "ui/button.h"
#include "ui/cursor.h"
#include "ui/edit.h"
#include "ui/graphic.h"
#include "ui/header.h"
#include "ui/label.h"
#include "ui/pagecontrol.h"
#include "support/input.h"

TEST_F(ToolkitTest, CheckBoxRaisesClickForEveryChangeOfState)
{
    TCheckBox box({host.Handle(), {8, 8, 120, 17}, "Load on StartUp"});
    int clicks = 0;
    box.onClick = [&] { ++clicks; };
    box.SetChecked(false);  // no change
    EXPECT_EQ(clicks, 0);
    box.SetChecked(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(SendMessageA(box.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(box.Handle(), BM_CLICK, 0, 0);  // the user unchecks it
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(box.Checked());
}

TEST_F(ToolkitTest, RadioButtonClickChecksItAndUnchecksItsSiblings)
{
    TRadioButton dhcp({host.Handle(), {8, 8, 200, 17}, "Obtain an IP address automatically"});
    TRadioButton fixed({host.Handle(), {8, 28, 200, 17}, "Use the following IP address", true});
    int clicks = 0;
    dhcp.onClick = [&] { ++clicks; };
    SendMessageA(dhcp.Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(dhcp.Checked());
    EXPECT_FALSE(fixed.Checked());
    EXPECT_EQ(clicks, 1);
}

TEST_F(ToolkitTest, EditRaisesChangeForTypedAndProgramText)
{
    TEdit edit({host.Handle(), {8, 8, 200, 21}, ""});
    std::vector<std::string> seen;
    edit.onChange = [&] { seen.push_back(edit.Text()); };
    edit.SetText("C:\\Tools\\profiles.ini");
    SendMessageA(edit.Handle(), WM_CHAR, 'x', 0);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "C:\\Tools\\profiles.ini");
}

TEST_F(ToolkitTest, ComboBoxKeepsOrderAndRaisesChangeOnlyForTheUser)
{
    TComboBox combo({host.Handle(), {8, 8, 200, 21}, 6});
    int changes = 0;
    combo.onChange = [&] { ++changes; };
    combo.AddItem("Zeta adapter");
    combo.AddItem("Alpha adapter");
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.Item(0), "Zeta adapter");
    EXPECT_EQ(changes, 0);
    // Windows reports a picked entry before it puts it into the field.
    combo.SetText("Zeta");
    SendMessageA(host.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo.Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo.Handle()));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(combo.ChosenText(), "Alpha adapter");
}

TEST_F(ToolkitTest, LabelFitsItsTextUnlessFixed)
{
    LabelArgs args{host.Handle(), {8, 8, 0, 0}, "Short"};
    TLabel label(args);
    const int shortWidth = label.GetBounds().width;
    label.SetCaption("A considerably longer caption");
    EXPECT_GT(label.GetBounds().width, shortWidth);

    LabelArgs fixed{host.Handle(), {8, 40, 113, 209}, "Fixed"};
    fixed.autoSize = false;
    fixed.wordWrap = true;
    TLabel fixedLabel(fixed);
    fixedLabel.SetCaption("A text long enough to wrap over several lines of the label");
    EXPECT_EQ(fixedLabel.GetBounds().width, 113);
    EXPECT_EQ(fixedLabel.GetBounds().height, 209);
}

TEST_F(ToolkitTest, LinkLabelIsBlueUnderlinedAndClickable)
{
    TLinkLabel link({host.Handle(), {8, 8, 0, 0}, "Profiles Tab"});
    int clicks = 0;
    link.onClick = [&] { ++clicks; };
    LOGFONTA font{};
    GetObjectA(link.Font(), sizeof font, &font);
    EXPECT_TRUE(font.lfUnderline);
    EXPECT_EQ(link.TextColor(), RGB(0, 0, 255));
    ClickOn(link);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ToolkitTest, PageControlShowsTheSelectedPageAndReportsOnlyTheUsersChoice)
{
    TPageControl pages({host.Handle(), {0, 0, 400, 300}});
    pages.AddPage("One", -1);
    pages.AddPage("Two", -1);
    int changes = 0;
    pages.onChange = [&] { ++changes; };
    pages.SetActivePageIndex(1);
    EXPECT_EQ(changes, 0);
    host.Show();
    EXPECT_TRUE(IsWindowVisible(pages.Page(1).Handle()));
    EXPECT_FALSE(IsWindowVisible(pages.Page(0).Handle()));

    SendMessageA(pages.Handle(), TCM_SETCURSEL, 0, 0);
    NMHDR header{pages.Handle(), static_cast<UINT_PTR>(GetDlgCtrlID(pages.Handle())), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(host.Handle(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(IsWindowVisible(pages.Page(0).Handle()));
    EXPECT_FALSE(IsWindowVisible(pages.Page(1).Handle()));
}

TEST_F(ToolkitTest, HeaderReportsTheSectionTheUserResized)
{
    THeaderControl header({.parent = host.Handle(), .bounds = {8, 8, 317, 20}, .borderWidth = 1});
    // The sections lie inside a border of one pixel in the face colour.
    host.Show();
    RECT client{};
    GetClientRect(header.Handle(), &client);
    EXPECT_EQ(client.right, 315);
    EXPECT_EQ(client.bottom, 18);
    RedrawWindow(header.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const WindowDc frame(header.Handle(), true);
    EXPECT_EQ(GetPixel(frame.get(), 0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetPixel(frame.get(), 316, 19), GetSysColor(COLOR_BTNFACE));

    header.AddSection("Property", 150);
    header.AddSection("Value", 10000);
    std::vector<int> resized;
    header.onSectionResize = [&](int section) { resized.push_back(section); };
    header.SetSectionWidth(1, 165);
    EXPECT_TRUE(resized.empty());

    // A drag of the first border ends in the control setting the section's width itself.
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = 200;
    SendMessageA(header.Handle(), HDM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(header.SectionWidth(0), 200);
    ASSERT_FALSE(resized.empty());
    EXPECT_EQ(resized.back(), 0);
}

TEST_F(ToolkitTest, BusyCursorShowsOverEveryWindowWhileItLasts)
{
    TButton button({host.Handle(), {8, 8, 75, 25}, "Apply"});
    {
        BusyCursor busy;
        EXPECT_EQ(ScreenCursor(), TCursor::crAppStart);
        EXPECT_EQ(SendMessageA(button.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(button.Handle()),
                               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
                  TRUE);
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_APPSTARTING));
    }
    EXPECT_EQ(ScreenCursor(), TCursor::crDefault);
}

TEST_F(ToolkitTest, ControlsWithoutAColourStandOnTheirParentsBackground)
{
    TPanel panel({&host, {0, 0, 200, 200}, TPanelBevel::bvNone, RGB(255, 255, 255)});
    TGroupBox group({&panel, {8, 8, 180, 100}, "Details", RGB(255, 255, 0)});
    TLabel onPanel({&panel, {8, 120, 0, 0}, "IP:"});
    TLabel onGroup({&group, {8, 16, 0, 0}, "GW:"});
    TCheckBox inGroup({&group, {8, 40, 120, 17}, "DHCP"});
    TLabel onForm({&host, {220, 8, 0, 0}, "Card:"});
    LabelArgs own{&panel, {8, 150, 0, 0}, "Refresh"};
    own.color = RGB(0, 128, 0);
    TLabel coloured(own);
    host.Show();

    // Windows are told the colour by their parent.
    const WindowDc screen(nullptr);
    UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    for (const auto& [parent, message, child] : {std::tuple{group.Handle(), WM_CTLCOLORBTN, inGroup.Handle()},
                                                 std::tuple{panel.Handle(), WM_CTLCOLORSTATIC, group.Handle()}}) {
        SetBkColor(dc.get(), RGB(1, 2, 3));
        EXPECT_NE(SendMessageA(parent, message, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(child)),
                  0);
        EXPECT_EQ(GetBkColor(dc.get()), RGB(255, 255, 0)) << GetDlgCtrlID(child);
    }

    // Texts are painted by their parent on its background, or on their own colour: the bottom
    // row of each text's place shows it.
    const auto background = [](const TLabel& label) {
        RedrawWindow(label.Parent()->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        const Bounds place = label.GetBounds();
        const WindowDc parent(label.Parent()->Handle());
        return GetPixel(parent.get(), place.left + 1, place.top + place.height - 1);
    };
    EXPECT_EQ(background(onPanel), RGB(255, 255, 255));
    EXPECT_EQ(background(onGroup), RGB(255, 255, 0));
    EXPECT_EQ(background(onForm), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(background(coloured), RGB(0, 128, 0));

    // A form of a colour of its own erases to it and lends it to its texts.
    host.SetColor(RGB(0, 0, 128));
    UniqueHbitmap bitmap(CreateCompatibleBitmap(screen.get(), 4, 4));
    SelectedObject canvas(dc.get(), bitmap.get());
    EXPECT_EQ(SendMessageA(host.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0), TRUE);
    EXPECT_EQ(GetPixel(dc.get(), 1, 1), RGB(0, 0, 128));
    EXPECT_EQ(background(onForm), RGB(0, 0, 128));
}
