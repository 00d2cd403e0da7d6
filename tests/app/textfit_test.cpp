// Every text of every window fits its place and overlaps nothing, measured in its own font.
#include "app/mainwindow.h"

#include <cstdlib>
#include <vector>

#include "core/handles.h"
#include "profiles/iprofile.h"
#include "profiles/profedit.h"
#include "profiles/starttip.h"
#include "support/textfit.h"
#include "ui/fonts.h"
#include "ui/label.h"
#include "ui/menutext.h"

namespace {
std::string Listed(const std::vector<std::string>& problems)
{
    std::string text;
    for (const std::string& problem : problems)
        text += "\n  " + problem;
    return text;
}
}  // namespace

using TextFitTest = MainWindowTest;

TEST_F(TextFitTest, EveryTextOfEveryWindowFitsItsPlaceAtEveryScale)
{
    Create();
    TForm4 welcome;
    const std::pair<const char*, TForm*> windows[] = {
        {"main window", form}, {"profile editor", Form2}, {"welcome dialog", &welcome}};
    // On a screen of another DPI (scripts/look.sh) only that scale: the fonts are the screen's.
    std::vector<int> dpis{96, 120, 144, 192};
    if (const char* screen = std::getenv("VELMORA_SCREEN_DPI")) dpis = {std::atoi(screen)};
    for (int dpi : dpis) {
        for (const auto& [name, window] : windows) {
            ASSERT_NE(window, nullptr) << name;
            window->ScaleTo(dpi);
            const std::vector<std::string> problems = TextsThatDoNotFit(*window, dpi);
            EXPECT_TRUE(problems.empty()) << name << " at " << dpi << " DPI:" << Listed(problems);
        }
    }
    for (const auto& [name, window] : windows)
        window->ScaleTo(96);
}

namespace {
// The text drawn as a label draws it, black on white, in a bitmap of `width` x `height`.
struct DrawnText {
    DrawnText(HFONT font, const std::string& text, int width, int height, UINT format)
        : bitmap(CreateBitmap(width, height, 1, 32, nullptr)), memory(CreateCompatibleDC(nullptr)), dc(memory.get())
    {
        SelectObject(dc, bitmap.get());
        SelectObject(dc, font);
        RECT all{0, 0, width, height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, text.c_str(), -1, &all, format);
    }
    // The device context goes before the bitmap selected into it.
    UniqueHbitmap bitmap;
    UniqueMemoryDc memory;
    HDC dc;
};
}  // namespace

TEST_F(TextFitTest, TheProfilesTabLinkLiesOverItsOwnWordsInEveryFont)
{
    Create();
    const FontSpec fonts[] = {
        {"MS Sans Serif", 11}, {"Arial", 13}, {"Tahoma", 12}, {"Courier New", 13}, {"Times New Roman", 17}};
    for (const FontSpec& spec : fonts) {
        SCOPED_TRACE(spec.face);
        form->Label16->SetFont(GetFont(spec));
        form->Label22->SetFont(UnderlinedFont(GetFont(spec)));
        // The place is worked out again wherever the font may have changed: at a new scale.
        RECT window;
        GetWindowRect(form->Handle(), &window);
        SendMessageA(form->Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&window));

        const Bounds text = form->Label16->GetBounds();
        const Bounds link = form->Label22->GetBounds();
        // As tall as the words need: only the font grew here, not the place, as at a new scale.
        DrawnText description(GetFont(spec), form->Label16->Text(), text.width, 1000,
                              DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK);
        DrawnText words(GetFont(spec), "Profiles Tab", link.width, link.height, DT_LEFT | DT_SINGLELINE);
        int differing = 0;
        int inked = 0;
        for (int y = 0; y < link.height - 2; ++y) {  // the underline is the link's own
            for (int x = 0; x < link.width; ++x) {
                const COLORREF wanted = GetPixel(words.dc, x, y);
                inked += wanted != RGB(255, 255, 255);
                differing += GetPixel(description.dc, link.left - text.left + x, link.top - text.top + y) != wanted;
            }
        }
        EXPECT_GT(inked, 50);
        EXPECT_EQ(differing, 0) << "the link at " << link.left << ", " << link.top;
    }
}

TEST_F(TextFitTest, ALongTitleIsShortenedInTheTrayMenuOnlyAndKeepsTheMenuOnTheScreen)
{
    const std::string title(300, 'W');
    StartOnProfilesTab("[0]\r\nip=10.0.0.1\r\nname=" + title + "\r\n[1]\r\nip=10.0.0.2\r\nname=Home\r\n");
    EXPECT_TRUE(PressTrayIcon(WM_RBUTTONDOWN));
    // The entries that name the long title: "Apply next: ..." and its place in "Profiles".
    for (const TMenuItem* entry : {form->Profiles->ApplyNextProfile1, &form->Profiles->prfs->Item(0)}) {
        const std::string& caption = entry->Caption();
        SCOPED_TRACE(caption);
        EXPECT_EQ(caption.substr(caption.size() - 3), "...");
        EXPECT_NE(caption.find("WWWW"), std::string::npos);
        EXPECT_LE(MenuTextWidth(caption), MenuTextWidthLimit());
    }
    EXPECT_EQ(form->Profiles->prfs->Item(1).Caption(), "Home");
    EXPECT_EQ(ProfileAt(*ProfileList, 0).name, title);  // whole in the list, the editor and the store
}
