#include "profiles/profedit_groups.h"

#include <commctrl.h>

#include "core/check.h"
#include "core/errorbox.h"

namespace {
constexpr UINT_PTR kUnderlayId = 1;
}  // namespace

TGroupUnderlay::TGroupUnderlay(HWND groupBox) : m_group(groupBox)
{
    if (!SetWindowSubclass(groupBox, &TGroupUnderlay::SubclassProc, kUnderlayId, reinterpret_cast<DWORD_PTR>(this))) {
        RaiseError("SetWindowSubclass failed");
    }
}

TGroupUnderlay::~TGroupUnderlay()
{
    if (m_group != nullptr) RemoveWindowSubclass(m_group, &TGroupUnderlay::SubclassProc, kUnderlayId);
}

LRESULT CALLBACK TGroupUnderlay::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR data)
{
    auto* self = reinterpret_cast<TGroupUnderlay*>(data);
    switch (message) {
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, &TGroupUnderlay::SubclassProc, kUnderlayId);
        self->m_group = nullptr;
        break;
    case WM_ERASEBKGND: self->ExcludeSiblingsAbove(reinterpret_cast<HDC>(wParam)); break;
    case WM_PAINT:
        if (wParam == 0) {
            // The button paints into the device context it is given; this one leaves out the
            // siblings above (BeginPaint's own erase already went through WM_ERASEBKGND).
            return Guarded(
                [&] {
                    PAINTSTRUCT paint;
                    HDC dc = BeginPaint(window, &paint);
                    self->ExcludeSiblingsAbove(dc);
                    DefSubclassProc(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
                    EndPaint(window, &paint);
                    return LRESULT{0};
                },
                LRESULT{0});
        }
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void TGroupUnderlay::ExcludeSiblingsAbove(HDC dc) const
{
    for (HWND sibling = GetWindow(m_group, GW_HWNDPREV); sibling != nullptr;
         sibling = GetWindow(sibling, GW_HWNDPREV)) {
        if (!IsWindowVisible(sibling)) continue;
        RECT area;
        GetWindowRect(sibling, &area);
        MapWindowPoints(nullptr, m_group, reinterpret_cast<POINT*>(&area), 2);
        ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
    }
}
