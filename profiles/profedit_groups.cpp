#include "profiles/profedit_groups.h"

#include "core/handles.h"

LRESULT TGroupUnderlay::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT && wParam == 0) {
        // The button paints into the device context it is given; this one leaves out the
        // siblings above (BeginPaint's own erase already went through WM_ERASEBKGND).
        PaintDc paint(Window());
        ExcludeSiblingsAbove(paint.get());
        DefaultMessage(WM_PAINT, reinterpret_cast<WPARAM>(paint.get()), 0);
        return 0;
    }
    return TSubclass::HandleMessage(message, wParam, lParam);
}

bool TGroupUnderlay::EraseBackground(HDC dc)
{
    ExcludeSiblingsAbove(dc);
    return false;
}

void TGroupUnderlay::ExcludeSiblingsAbove(HDC dc) const
{
    for (HWND sibling = GetWindow(Window(), GW_HWNDPREV); sibling != nullptr;
         sibling = GetWindow(sibling, GW_HWNDPREV)) {
        if (!IsWindowVisible(sibling)) continue;
        RECT area;
        GetWindowRect(sibling, &area);
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&area), 2);
        ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
    }
}
