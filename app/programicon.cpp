#include "app/programicon.h"

#include <map>

#include "core/check.h"
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
    const HBITMAP image = info.hbmColor != nullptr ? info.hbmColor : info.hbmMask;
    GetObjectA(image, sizeof bitmap, &bitmap);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}
