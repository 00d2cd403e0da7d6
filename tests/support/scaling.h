#pragma once
// Display scaling as Windows brings it: WM_DPICHANGED with the new DPI and the rectangle Windows
// suggests, and what a window shows afterwards read back from it.
#include <windows.h>

#include <ostream>

#include "ui/basecontrol.h"

// Sends WM_DPICHANGED for `dpi` with a suggested window rectangle.
void SendDpiChanged(HWND window, int dpi, const RECT& suggested);
// A window's place in its parent's client area (a top-level window's on the screen).
Bounds PlaceOf(HWND window);
// The character height (a positive pixel count) of the font a window was given.
int FontHeightOf(HWND window);
int FontHeight(HFONT font);

// Places compared and printed by the tests.
inline bool operator==(const Bounds& a, const Bounds& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}
inline void PrintTo(const Bounds& b, std::ostream* out)
{
    *out << b.left << ',' << b.top << ' ' << b.width << 'x' << b.height;
}
