// The main window's frame: image lists, the white header band, the page control with its
// four tabs, and the bottom row of buttons. Places are the designed ones at 96 DPI.
#include "app/mainformunit.h"

#include "resources/resource.h"
#include "ui/fonts.h"
#include "velmora_version.h"

void TForm1::BuildImageLists()
{
    ImageList2 = std::make_unique<TImageList>(
        ImageListArgs{24, 24, IDB_TABIMAGES, RGB(255, 0, 255), IDB_TABIMAGES_150, IDB_TABIMAGES_200});
    ImageList3 = std::make_unique<TImageList>(
        ImageListArgs{16, 16, IDB_MENUIMAGES, RGB(255, 0, 255), IDB_MENUIMAGES_150, IDB_MENUIMAGES_200});
}

void TForm1::BuildFrame()
{
    RECT client;
    GetClientRect(Handle(), &client);
    const int width = client.right;

    Shape1 = std::make_unique<TShape>(ShapeArgs{this, {0, 0, width, 47}});
    Image3 = std::make_unique<TPicture>(
        PictureArgs{this, {width - 49 - 8, 4, 49, 39}, IDB_LOGO, RGB(255, 255, 255), IDB_LOGO_150, IDB_LOGO_200});

    LabelArgs title;
    title.parent = this;
    title.bounds = {8, 8, 0, 0};
    title.caption = "Velmora v" VELMORA_VERSION_TEXT;
    title.color = RGB(255, 255, 255);
    title.font = GetFont({"Arial", 16, true});
    Label14 = std::make_unique<TLabel>(title);

    Label15 = std::make_unique<TLabel>(LabelArgs{
        .parent = this, .bounds = {8, 28, 0, 0}, .caption = "The way to Ease your life", .color = RGB(255, 255, 255)});

    // The band is drawn under the texts and the logo that lie on it.
    Shape1->SendToBack();

    PageControlArgs pages;
    pages.parent = this;
    pages.bounds = {0, 48, 497, 337};
    pages.multiLine = true;
    pages.images = ImageList2.get();
    PageControl1 = std::make_unique<TPageControl>(pages);
    PageControl1->AddPage("Network Configuration", 0);
    PageControl1->AddPage("General", 1);
    PageControl1->AddPage("Profiles", 2);
    PageControl1->AddPage("About", 3);
    // The tab the window opens with the first time; later showings keep the last one.
    PageControl1->SetActivePageIndex(kProfilesTab);

    // The General tab's controls, on the page just made.
    BuildGeneralTab();
}

void TForm1::BuildBottomRow()
{
    Bevel1 = std::make_unique<TBevel>(BevelArgs{this, {8, 391, 233, 18}});

    ButtonArgs ok{this, {248, 388, 75, 25}, "Ok"};
    ok.isDefault = true;
    Button3 = std::make_unique<TButton>(ok);
    Button3->onClick = [this] { Button3Click(); };

    ButtonArgs cancel{this, {328, 388, 75, 25}, "Cancel"};
    cancel.cancel = true;
    Button2 = std::make_unique<TButton>(cancel);
    Button2->onClick = [this] { Button2Click(); };

    ButtonArgs apply{this, {408, 388, 81, 25}, "&Apply Changes"};
    Button1 = std::make_unique<TButton>(apply);
    Button1->onClick = [this] { Button1Click(); };
}
