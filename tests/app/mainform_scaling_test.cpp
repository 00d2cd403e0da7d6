// The main window at other scales: Windows' WM_DPICHANGED scales every control from the design,
// and the design comes back exactly at 96 DPI.
#include "app/mainwindow.h"

#include <commctrl.h>

#include <map>

#include "support/scaling.h"

namespace {
struct Shown {
    Bounds place;
    int fontHeight;
};

std::map<HWND, Shown> EveryControl(HWND form)
{
    std::map<HWND, Shown> shown;
    EnumChildWindows(
        form,
        [](HWND window, LPARAM list) {
            (*reinterpret_cast<std::map<HWND, Shown>*>(list))[window] = {PlaceOf(window), FontHeightOf(window)};
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
}

int IconWidth(HWND list)
{
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_NORMAL, 0)), &width,
                          &height);
    return width;
}
}  // namespace

TEST_F(MainWindowTest, EveryControlFollowsTheDpiAndComesBackToTheDesign)
{
    StartOnProfilesTab("[0]\r\nip=10.0.0.1\r\nname=Office\r\n");
    // Every tab once, so every page has made its controls.
    for (int tab = 0; tab < 4; ++tab)
        SelectTab(tab);
    const std::map<HWND, Shown> designed = EveryControl(form->Handle());
    RECT window{};
    GetWindowRect(form->Handle(), &window);

    struct Step {
        int dpi;
        Bounds ok;  // designed at 248, 388, 75 x 25
        int font, keyWidth, icon;
    };
    const Step steps[] = {{144, {372, 582, 113, 38}, 17, 225, 96}, {192, {496, 776, 150, 50}, 22, 300, 128}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.dpi);
        const RECT suggested{window.left, window.top, window.left + 5 * step.dpi, window.top + 4 * step.dpi};
        SendDpiChanged(form->Handle(), step.dpi, suggested);
        EXPECT_EQ(PlaceOf(form->Handle()), (Bounds{window.left, window.top, 5 * step.dpi, 4 * step.dpi}));
        EXPECT_EQ(PlaceOf(form->Button3->Handle()), step.ok);
        EXPECT_EQ(FontHeightOf(form->Button3->Handle()), step.font);
        EXPECT_EQ(form->proplist->KeyColumnWidth(), step.keyWidth);
        EXPECT_EQ(form->HeaderControl1->SectionWidth(0), step.keyWidth);
        // The profile icons drawn for the scale, not the 64-pixel ones stretched.
        EXPECT_EQ(IconWidth(form->Profiles->ListView1->Handle()), step.icon);
    }

    SendDpiChanged(form->Handle(), 96, window);
    const std::map<HWND, Shown> back = EveryControl(form->Handle());
    ASSERT_EQ(back.size(), designed.size());
    for (const auto& [control, shown] : designed) {
        char className[64] = {};
        GetClassNameA(control, className, sizeof className);
        SCOPED_TRACE(className);
        EXPECT_EQ(back.at(control).place, shown.place);
        EXPECT_EQ(back.at(control).fontHeight, shown.fontHeight);
    }
    EXPECT_EQ(IconWidth(form->Profiles->ListView1->Handle()), 64);
}
