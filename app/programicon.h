#pragma once
// The program icon at the size a place asks for: the icon file holds every size Windows asks
// for between 100% and 200% scaling, so no place shows a small image stretched.
#include <windows.h>

// The icon at `size` pixels square; each size is loaded once and kept while the program runs.
HICON ProgramIcon(int size);
// The size of the notification area's icons now (Windows' small icon at the primary
// monitor's scale).
int NotificationIconSize();
// The width of an icon's image in pixels.
int IconSize(HICON icon);
