// The About tab: the picture, the version, the maker's notice and the contact links.
#include "app/mainformunit.h"

#include "app/makerinfo.h"
#include "resources/resource.h"
#include "ui/fonts.h"
#include "ui/shell.h"
#include "velmora_version.h"

namespace {
LabelArgs TextAt(TWinControl* parent, int left, int top, const std::string& caption)
{
    LabelArgs args;
    args.parent = parent;
    args.bounds = {left, top, 0, 0};
    args.caption = caption;
    return args;
}
}  // namespace

void TForm1::BuildAboutTab()
{
    TWinControl* page = &PageControl1->Page(kAboutTab);

    Panel1 = std::make_unique<TPanel>(PanelArgs{page, {4, 4, 177, 290}, TPanelBevel::bvLowered});
    Shape2 =
        std::make_unique<TShape>(ShapeArgs{Panel1.get(), {1, 1, 175, 288}, RGB(255, 255, 255), RGB(255, 255, 255)});
    Image2 = std::make_unique<TPicture>(
        PictureArgs{Panel1.get(), {1, 41, 175, 208}, IDB_ABOUT, RGB(255, 255, 255), IDB_ABOUT_150, IDB_ABOUT_200});
    Shape2->SendToBack();

    Panel2 = std::make_unique<TPanel>(PanelArgs{page, {184, 4, 302, 79}});
    LabelArgs title = TextAt(Panel2.get(), 8, 4, "Velmora");
    title.font = GetFont({"Arial", 21, true});
    title.textColor = RGB(0, 128, 128);
    Label4 = std::make_unique<TLabel>(title);
    Bevel2 = std::make_unique<TBevel>(BevelArgs{Panel2.get(), {8, 30, 286, 4}, TBevelShape::bsBottomLine});
    Label3 = std::make_unique<TLabel>(
        TextAt(Panel2.get(), 8, 40, "Version: " VELMORA_VERSION_TEXT " (" VELMORA_RELEASE_DATE ")"));
    Label13 = std::make_unique<TLabel>(TextAt(Panel2.get(), 8, 58, VELMORA_MAKER_NOTICE));

    GroupBox7 = std::make_unique<TGroupBox>(GroupBoxArgs{page, {184, 88, 302, 105}, "Contact Information"});
    Label5 = std::make_unique<TLabel>(TextAt(GroupBox7.get(), 16, 28, "Web-Site:"));
    Label7 = std::make_unique<TLinkLabel>(TextAt(GroupBox7.get(), 80, 28, VELMORA_MAKER_WEB_ADDRESS));
    Label7->onClick = [this] { Label7Click(); };
    Label6 = std::make_unique<TLabel>(TextAt(GroupBox7.get(), 16, 56, "Support:"));
    Label8 = std::make_unique<TLinkLabel>(TextAt(GroupBox7.get(), 80, 56, VELMORA_MAKER_SUPPORT_ADDRESS));
    Label8->onClick = [this] { Label8Click(); };
}

void TForm1::Label7Click()
{
    TBrowseURL action(VELMORA_MAKER_WEB_ADDRESS);
    action.Execute();
}

void TForm1::Label8Click()
{
    TBrowseURL action("mailto:" VELMORA_MAKER_SUPPORT_ADDRESS);
    action.Execute();
}
