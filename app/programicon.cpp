#include "app/programicon.h"

#include <map>

#include "core/check.h"
#include "core/handles.h"
#include "resources/resource.h"
#include "ui/monitordpi.h"

HICON ProgramIcon(int size)
{
    // Not LR_SHARED: a shared load answers every later size with the first one loaded
    // ("LoadImage function", LR_SHARED).
    static std::map<int, HICON> icons;
    const auto found = icons.find(size);
    if (found != icons.end()) return found->second;
    HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_VELMORA), IMAGE_ICON, size, size, 0);
    CheckWin32(icon != nullptr, "LoadImageA");
    icons.emplace(size, static_cast<HICON>(icon));
    return static_cast<HICON>(icon);
}

int NotificationIconSize()
{
    // "NOTIFYICONDATA structure", hIcon: an icon of the small-icon size for the current
    // scale, which the notification area would otherwise stretch.
    return SystemMetricForDpi(SM_CXSMICON, PrimaryMonitorDpi());
}

int IconSize(HICON icon)
{
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    // GetIconInfo makes copies of the icon's bitmaps for the caller.
    const UniqueHbitmap color(info.hbmColor);
    const UniqueHbitmap mask(info.hbmMask);
    GetObjectA(color ? color.get() : mask.get(), sizeof bitmap, &bitmap);
    return bitmap.bmWidth;
}
