#include "support/scaling.h"

void SendDpiChanged(HWND window, int dpi, const RECT& suggested)
{
    RECT rect = suggested;
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&rect));
}

Bounds PlaceOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    const bool child = (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) != 0;
    if (child) MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

int FontHeight(HFONT font)
{
    LOGFONTA logFont{};
    GetObjectA(font, sizeof logFont, &logFont);
    return logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight;
}

int FontHeightOf(HWND window) { return FontHeight(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0))); }
