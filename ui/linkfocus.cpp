#include "ui/linkfocus.h"

#include <oleacc.h>

#include "ui/accessible.h"
#include "ui/label.h"
#include "ui/labelfor.h"

TLinkFocus::TLinkFocus(TLinkLabel& link, const ParentRef& parent, const Bounds& design) : m_link(link)
{
    InitPainted("VelmoraLink", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, parent, design);
    SetText(link.Text());
    SetBounds(link.GetBounds());
}

LRESULT TLinkFocus::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    switch (message) {
    case WM_NCHITTEST:
        // The mouse goes on to the window below, where the link takes it as it always has.
        return HTTRANSPARENT;
    case WM_GETDLGCODE: {
        // Enter follows the focused link, as in a SysLink, rather than pressing the default button
        // ("WM_GETDLGCODE message": DLGC_WANTMESSAGE for the message in lParam).
        const auto* keyMessage = reinterpret_cast<const MSG*>(lParam);
        const bool enter =
            keyMessage != nullptr && keyMessage->message == WM_KEYDOWN && keyMessage->wParam == VK_RETURN;
        return enter ? DLGC_WANTMESSAGE : 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_SPACE) {
            m_link.Click();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE: Invalidate(); break;
    case WM_GETOBJECT:
        if (AnswerAccessibleObject(Handle(), WithoutAccessKeys(m_link.Text()), wParam, lParam, result,
                                   ROLE_SYSTEM_LINK))
            return result;
        break;
    }
    return TPaintedWindow::HandleMessage(message, wParam, lParam);
}

void TLinkFocus::Paint(HDC dc, const RECT& client)
{
    m_link.PaintLink(dc, client);
    // The focus shows while the keyboard is in use, as Windows' own controls show theirs.
    const bool hideFocus = (SendMessageA(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
    if (GetFocus() == Handle() && !hideFocus) DrawFocusRect(dc, &client);
}
