// The main window's frame as designed: caption, border, size and place, font, tabs, header,
// bottom row, About tab and tray menu.
#include "app/mainwindow.h"

#include <commctrl.h>

#include "app/makerinfo.h"

namespace {
LOGFONTA FontOf(HFONT handle)
{
    LOGFONTA font{};
    GetObjectA(handle, sizeof font, &font);
    return font;
}

std::string TextOf(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}
}  // namespace

TEST_F(MainWindowTest, FrameIsAFixedCaptionWithCloseAndHelpOnly)
{
    Create();
    EXPECT_EQ(TextOf(form->Handle()), "Velmora");
    const LONG_PTR style = GetWindowLongPtrA(form->Handle(), GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(form->Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(exStyle & WS_EX_CONTEXTHELP);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 497);
    EXPECT_EQ(client.bottom, 421);
    RECT outer;
    GetWindowRect(form->Handle(), &outer);
    EXPECT_EQ(outer.left, 291);
    EXPECT_EQ(outer.top, 198);

    const LOGFONTA font = FontOf(form->Font());
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(font.lfHeight, -11);
}

TEST_F(MainWindowTest, FourTabsWithImagesAndProfilesSelected)
{
    Create();
    HWND tabs = form->PageControl1->Handle();
    EXPECT_TRUE(GetWindowLongPtrA(tabs, GWL_STYLE) & TCS_MULTILINE);
    ASSERT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 4);
    const char* captions[] = {"Network Configuration", "General", "Profiles", "About"};
    for (int i = 0; i < 4; ++i) {
        char text[64] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(text, captions[i]);
        EXPECT_EQ(item.iImage, i);
    }
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(tabs, TCM_GETIMAGELIST, 0, 0));
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    EXPECT_EQ(width, 24);
    EXPECT_EQ(height, 24);
    EXPECT_EQ(ImageList_GetImageCount(images), 4);
    EXPECT_EQ(SelectedTab(), TForm1::kProfilesTab);
}

TEST_F(MainWindowTest, HeaderBottomRowAndAboutShowTheirTexts)
{
    Create();
    // The About page is made when it is first shown.
    EXPECT_EQ(form->Label4, nullptr);
    Choose(form->About1);
    ASSERT_NE(form->Label4, nullptr);
    struct Expected {
        const TBaseControl* control;
        std::string text;
        Bounds bounds;  // width 0: only the place is checked
    };
    const Expected controls[] = {
        {form->Label14.get(), "Velmora v1.01", {8, 8, 0, 0}},
        {form->Label15.get(), "The way to Ease your life", {8, 28, 0, 0}},
        {form->Button3.get(), "Ok", {248, 388, 75, 25}},
        {form->Button2.get(), "Cancel", {328, 388, 75, 25}},
        {form->Button1.get(), "&Apply Changes", {408, 388, 81, 25}},
        {form->Label4.get(), "Velmora", {8, 4, 0, 0}},
        {form->Label3.get(), "Version: 1.01 (15.12.2005)", {8, 40, 0, 0}},
        {form->Label13.get(), VELMORA_MAKER_NOTICE, {8, 58, 0, 0}},
        {form->Label5.get(), "Web-Site:", {16, 28, 0, 0}},
        {form->Label7.get(), VELMORA_MAKER_WEB_ADDRESS, {80, 28, 0, 0}},
        {form->Label6.get(), "Support:", {16, 56, 0, 0}},
        {form->Label8.get(), VELMORA_MAKER_SUPPORT_ADDRESS, {80, 56, 0, 0}},
        {form->Label22.get(), "Profiles Tab", {8, 172, 0, 0}},
    };
    for (const auto& expected : controls) {
        SCOPED_TRACE(expected.text);
        EXPECT_EQ(expected.control->Text(), expected.text);
        const Bounds bounds = expected.control->GetBounds();
        EXPECT_EQ(bounds.left, expected.bounds.left);
        EXPECT_EQ(bounds.top, expected.bounds.top);
        if (expected.bounds.width != 0) {
            EXPECT_EQ(bounds.width, expected.bounds.width);
            EXPECT_EQ(bounds.height, expected.bounds.height);
        }
    }
    EXPECT_EQ(form->GroupBox7->Text(), "Contact Information");
    EXPECT_EQ(GetDlgCtrlID(form->Button2->Handle()), IDCANCEL);  // the Esc button

    const LOGFONTA title = FontOf(form->Label14->Font());
    EXPECT_STREQ(title.lfFaceName, "Arial");
    EXPECT_EQ(title.lfHeight, -16);
    EXPECT_GE(title.lfWeight, FW_BOLD);
    const LOGFONTA about = FontOf(form->Label4->Font());
    EXPECT_EQ(about.lfHeight, -21);
    EXPECT_EQ(form->Label4->TextColor(), RGB(0, 128, 128));
}

TEST_F(MainWindowTest, DescriptionTextAndShape)
{
    Create();
    EXPECT_TRUE(form->Label16->WordWrap());
    EXPECT_EQ(form->Label16->Text(),
              "Select The Network adapter you want to use by default.\n\r\n\r"
              "Please note: All profile settings will be applied to the selected Network Adapter.\n\r\n\r"
              "Tip: If proper Adapter already selected you can go directly to the Profiles Tab to manage your "
              "network settings and profiles.");
    const Bounds bounds = form->Label16->GetBounds();
    EXPECT_EQ(bounds.width, 113);
    EXPECT_EQ(bounds.height, 209);
}

TEST_F(MainWindowTest, TrayMenuHasItsFiveItemsWithImages)
{
    Create();
    const std::vector<MenuEntry> menu = TrayMenu();
    ASSERT_EQ(menu.size(), 5u);
    struct Entry {
        const TMenuItem* item;
        const char* caption;
        int image;
    };
    const Entry entries[] = {
        {form->Profiles->ApplyNextProfile1, "Apply Next Profile", 5},
        {form->Profiles->prfs, "Profiles", 0},
        {form->Configuration1, "Open Configurator", 1},
        {form->About1, "About", 3},
        {form->Exit1, "Exit", 4},
    };
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(menu[i].caption, entries[i].caption);
        EXPECT_EQ(menu[i].command, entries[i].item->Command());
        EXPECT_EQ(entries[i].item->ImageIndex(), entries[i].image);
        EXPECT_EQ((menu[i].state & MFS_DEFAULT) != 0, i == 0) << entries[i].caption;
    }
    EXPECT_EQ(form->PopupMenu1->Images(), form->ImageList3.get());
    EXPECT_EQ(form->ImageList3->Count(), 9);
}
