// The program icon at every scale: the icon file holds each size Windows asks for, the
// notification area gets Windows' small-icon size, and a new scale or taskbar gets it again.
#include "app/mainwindow.h"
#include "app/programicon.h"
#include "resources/resource.h"
#include "tray/trayicon.h"
#include "ui/monitordpi.h"

namespace {
// The sizes of the images in the icon resource's directory (a width of 0 stands for 256).
std::vector<int> IconResourceSizes()
{
#pragma pack(push, 2)
    struct Entry {
        BYTE width, height, colours, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
    struct Directory {
        WORD reserved, type, count;
        Entry entries[1];
    };
#pragma pack(pop)
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDI_VELMORA), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    const auto* directory = static_cast<const Directory*>(LockResource(LoadResource(module, found)));
    std::vector<int> sizes;
    for (WORD i = 0; directory != nullptr && i < directory->count; ++i)
        sizes.push_back(directory->entries[i].width == 0 ? 256 : directory->entries[i].width);
    return sizes;
}
}  // namespace

TEST(ProgramIcon, HasAnImageOfEachSizeWindowsAsksFor)
{
    const std::vector<int> sizes = IconResourceSizes();
    for (int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
        EXPECT_NE(std::find(sizes.begin(), sizes.end(), size), sizes.end()) << size;
        EXPECT_EQ(IconSize(ProgramIcon(size)), size);
    }
    // Each size its own: a shared load would answer the first size asked for.
    EXPECT_NE(ProgramIcon(16), ProgramIcon(32));
    // Windows' small icon at 100% to 200% ("GetSystemMetricsForDpi function").
    const std::pair<UINT, int> smallIcons[] = {{96, 16}, {120, 20}, {144, 24}, {192, 32}};
    for (const auto& [dpi, size] : smallIcons)
        EXPECT_EQ(SystemMetricForDpi(SM_CXSMICON, dpi), size) << dpi;
}

using ProgramIconTest = MainWindowTest;

TEST_F(ProgramIconTest, TheTrayIconIsLoadedAgainAtTheNotificationAreasSizeWhenTheDisplayChanges)
{
    Create();
    EXPECT_EQ(IconSize(form->TrayIcon1->Icon()), NotificationIconSize());
    for (UINT message : {static_cast<UINT>(WM_DISPLAYCHANGE), RegisterWindowMessageA("TaskbarCreated")}) {
        // As if the scale had been another one when the icon was loaded.
        form->TrayIcon1->SetIcon(ProgramIcon(NotificationIconSize() * 2));
        SendMessageA(form->TrayIcon1->MessageWindow(), message, 0, 0);
        EXPECT_EQ(IconSize(form->TrayIcon1->Icon()), NotificationIconSize()) << message;
        EXPECT_EQ(form->TrayIcon1->Record().hIcon, form->TrayIcon1->Icon());
    }
}
