// Display scaling: a form shown at its monitor's DPI, and again when Windows moves it to a
// monitor of another scale; the image lists' choice of the drawing nearest a DPI.
#include "ui/toolkit.h"

#include <memory>

#include "core/handles.h"
#include "resources/resource.h"
#include "support/scaling.h"
#include "ui/button.h"
#include "ui/fonts.h"
#include "ui/header.h"
#include "ui/label.h"
#include "ui/listview.h"
#include "ui/pagecontrol.h"
#include "ui/valuelist.h"

namespace {
FormArgs ScaledFormArgs()
{
    FormArgs args;
    args.name = "Scaled";
    args.caption = "Scaled";
    args.bounds = {20, 20, 400, 300};
    args.font = GetFont({"MS Sans Serif", 11});
    return args;
}

// A form laid out at 96 DPI as the program's forms are.
class ScaledForm : public TForm {
public:
    ScaledForm() : TForm(ScaledFormArgs())
    {
        group = std::make_unique<TGroupBox>(GroupBoxArgs{this, {8, 8, 200, 120}, "Group"});
        button = std::make_unique<TButton>(ButtonArgs{group.get(), {10, 20, 75, 25}, "Ok"});
        title = std::make_unique<TLabel>(LabelArgs{
            .parent = group.get(), .bounds = {8, 60, 0, 0}, .caption = "Title", .font = GetFont({"Arial", 16, true})});
        header = std::make_unique<THeaderControl>(HeaderArgs{.parent = this, .bounds = {8, 140, 300, 20}});
        header->AddSection("Property", 150);
        header->AddSection("Value", 150);
        grid = std::make_unique<TValueListEditor>(ValueListArgs{.parent = this, .bounds = {8, 160, 300, 100}});
        grid->AddRow("Key", "Value");
        DoCreate();
    }

    std::unique_ptr<TGroupBox> group;
    std::unique_ptr<TButton> button;
    std::unique_ptr<TLabel> title;
    std::unique_ptr<THeaderControl> header;
    std::unique_ptr<TValueListEditor> grid;
};

// The characters' height, without the leading above them.
int CharacterHeight(HFONT font)
{
    TEXTMETRICA metrics{};
    const WindowDc screen(nullptr);
    const SelectedObject selected(screen.get(), font);
    GetTextMetricsA(screen.get(), &metrics);
    return metrics.tmHeight - metrics.tmInternalLeading;
}

int ImageWidth(HIMAGELIST list)
{
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(list, &width, &height);
    return width;
}
}  // namespace

TEST_F(ToolkitTest, FormFollowsEachNewDpiFromItsDesignAndComesBackExactly)
{
    ScaledForm form;
    form.Show();
    const HFONT designFont = reinterpret_cast<HFONT>(SendMessageA(form.button->Handle(), WM_GETFONT, 0, 0));
    const int designRow = form.grid->RowHeight();
    struct Step {
        int dpi;
        Bounds group, button;
        POINT title;
        int font, titleFont, keyWidth;
    };
    // 96 DPI last: the design exactly, whatever scales came before.
    const Step steps[] = {
        {144, {12, 12, 300, 180}, {15, 30, 113, 38}, {12, 90}, 17, 24, 225},
        {192, {16, 16, 400, 240}, {20, 40, 150, 50}, {16, 120}, 22, 32, 300},
        {120, {10, 10, 250, 150}, {13, 25, 94, 31}, {10, 75}, 14, 20, 188},
        {96, {8, 8, 200, 120}, {10, 20, 75, 25}, {8, 60}, 11, 16, 150},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.dpi);
        const RECT suggested{30 + step.dpi, 40, 30 + step.dpi + 4 * step.dpi, 40 + 3 * step.dpi};
        SendDpiChanged(form.Handle(), step.dpi, suggested);
        EXPECT_EQ(PlaceOf(form.Handle()), (Bounds{suggested.left, suggested.top, 4 * step.dpi, 3 * step.dpi}));
        EXPECT_EQ(form.Dpi(), step.dpi);
        EXPECT_EQ(PlaceOf(form.group->Handle()), step.group);
        EXPECT_EQ(PlaceOf(form.button->Handle()), step.button);
        EXPECT_EQ(FontHeightOf(form.button->Handle()), step.font);
        EXPECT_EQ(form.title->GetBounds().left, step.title.x);
        EXPECT_EQ(form.title->GetBounds().top, step.title.y);
        EXPECT_EQ(FontHeight(form.title->Font()), step.titleFont);
        EXPECT_EQ(form.header->SectionWidth(0), step.keyWidth);
        EXPECT_EQ(form.grid->KeyColumnWidth(), step.keyWidth);
        // The design's rows scaled, as the header over them is; the characters fit.
        EXPECT_EQ(form.grid->RowHeight(), MulDiv(designRow, step.dpi, 96));
        EXPECT_GE(form.grid->RowHeight(), CharacterHeight(form.grid->Font()) + 2);
    }
    EXPECT_EQ(SendMessageA(form.button->Handle(), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(designFont));
    EXPECT_EQ(form.title->Font(), GetFont({"Arial", 16, true}));
    EXPECT_EQ(form.grid->RowHeight(), designRow);
}

TEST_F(ToolkitTest, FormScaledToADpiKeepsItsPlaceAndScalesItsClientArea)
{
    ScaledForm form;
    const Bounds before = PlaceOf(form.Handle());
    // Asked by Windows before a move to a monitor of another scale: at this one's, its size now.
    SIZE size{};
    EXPECT_TRUE(SendMessageA(form.Handle(), 0x02E4 /* WM_GETDPISCALEDSIZE */, 96, reinterpret_cast<LPARAM>(&size)));
    EXPECT_EQ(size.cx, before.width);
    EXPECT_EQ(size.cy, before.height);
    form.ScaleTo(144);
    // The frame is the one of the monitor it goes to; here its width is the same.
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(PlaceOf(form.Handle()).left, before.left);
    EXPECT_EQ(PlaceOf(form.Handle()).top, before.top);
    // Controls placed later stand at the form's scale, from their design places.
    TButton later(ButtonArgs{&form, {100, 100, 50, 20}, "Later"});
    form.Show();
    EXPECT_EQ(PlaceOf(later.Handle()), (Bounds{150, 150, 75, 30}));
    EXPECT_EQ(FontHeightOf(later.Handle()), 17);
    form.ScaleTo(96);
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
    EXPECT_EQ(PlaceOf(later.Handle()), (Bounds{100, 100, 50, 20}));
}

TEST_F(ToolkitTest, FontsScaleFromTheirDesignDescription)
{
    const HFONT design = GetFont({"Arial", 16, true});
    const HFONT at144 = ScaledFont(design, 144);
    EXPECT_EQ(FontHeight(at144), 24);
    EXPECT_EQ(ScaledFont(at144, 192), ScaledFont(design, 192));
    EXPECT_EQ(ScaledFont(at144, 96), design);
    EXPECT_EQ(DesignFont(at144), design);
    FontSpec spec;
    ASSERT_TRUE(FontSpecOf(at144, spec));
    EXPECT_EQ(spec.height, 16);
    EXPECT_TRUE(spec.bold);
    // A design font of the same height as a scaled one stays a font of its own.
    EXPECT_NE(GetFont({"Arial", 24, true}), at144);
    // A font made elsewhere is left as it is.
    const auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(ScaledFont(stock, 192), stock);
}

TEST(ImageScale, NearestDrawingThatExists)
{
    struct Case {
        int dpi;
        bool has150, has200;
        int scale;
    };
    const Case cases[] = {
        {96, true, true, 100},   {120, true, true, 150},  {144, true, true, 150},  {168, true, true, 200},
        {192, true, true, 200},  {288, true, true, 200},  {192, true, false, 150}, {192, false, false, 100},
        {144, false, true, 200}, {110, false, true, 100}, {72, true, true, 100},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NearestImageScale(c.dpi, c.has150, c.has200), c.scale)
            << c.dpi << " DPI, 150%: " << c.has150 << ", 200%: " << c.has200;
    }
}

TEST_F(ToolkitTest, ImageListGivesEachDpiItsNearestDrawingUnstretched)
{
    // The 24-pixel tab strip stands in for a 150% drawing of 16-pixel images.
    TImageList both(ImageListArgs{16, 16, IDB_MENUIMAGES, RGB(255, 0, 255), IDB_TABIMAGES});
    EXPECT_EQ(ImageWidth(both.Handle()), 16);
    EXPECT_EQ(ImageWidth(both.Handle(144)), 24);
    EXPECT_EQ(ImageWidth(both.Handle(192)), 24);
    EXPECT_EQ(both.Width(192), 24);
    EXPECT_EQ(ImageList_GetImageCount(both.Handle(144)), TImageList(ImageListArgs{24, 24, IDB_TABIMAGES}).Count());
    TImageList only100(ImageListArgs{16, 16, IDB_MENUIMAGES});
    EXPECT_EQ(ImageWidth(only100.Handle(192)), 16);
    EXPECT_EQ(only100.Height(192), 16);
}

TEST_F(ToolkitTest, TabAndListImagesFollowTheDpi)
{
    TImageList images(ImageListArgs{16, 16, IDB_MENUIMAGES, RGB(255, 0, 255), IDB_TABIMAGES});
    TPageControl pages(PageControlArgs{.parent = &host, .bounds = {0, 0, 300, 200}, .images = &images});
    pages.AddPage("One", 0);
    TListView list(ListViewArgs{.parent = &pages.Page(0), .bounds = {0, 0, 200, 100}, .largeImages = &images});
    host.Show();
    for (const int dpi : {144, 96}) {
        SCOPED_TRACE(dpi);
        host.ScaleBy(dpi, host.Dpi());
        EXPECT_EQ(SendMessageA(pages.Handle(), TCM_GETIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(images.Handle(dpi)));
        EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0),
                  reinterpret_cast<LRESULT>(images.Handle(dpi)));
        // The page lies below the tabs as they are at this scale.
        EXPECT_EQ(PlaceOf(pages.Page(0).Handle()), pages.PageBounds());
    }
}
