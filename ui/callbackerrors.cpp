#include "ui/callbackerrors.h"

#include <commctrl.h>

namespace {
// The notifications a control sends each time it draws: custom draw and the texts it asks for.
bool RepeatedNotification(const NMHDR* header) noexcept
{
    if (header == nullptr) return false;
    switch (header->code) {
    case NM_CUSTOMDRAW:
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW:
    case TTN_GETDISPINFOA:
    case TTN_GETDISPINFOW:
    case TVN_GETDISPINFOA:
    case TVN_GETDISPINFOW: return true;
    default: return false;
    }
}
}  // namespace

ErrorShown ErrorShownFor(UINT message, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_PRINT:
    case WM_PRINTCLIENT:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_TIMER:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: return ErrorShown::Later;
    case WM_NOTIFY:
        return RepeatedNotification(reinterpret_cast<const NMHDR*>(lParam)) ? ErrorShown::Later : ErrorShown::Now;
    default: return ErrorShown::Now;
    }
}
