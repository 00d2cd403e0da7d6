#include "ui/speedbutton.h"

#include "core/handles.h"
#include "ui/accesskeys.h"
#include "ui/dpi.h"

namespace {
constexpr int kSpacing = 4;  // between picture and caption, at 96 DPI
}

TSpeedButton::TSpeedButton(const ButtonArgs& args, const TImageList& images, int imageIndex, std::string hint)
    : TButton(args), m_images(images), m_imageIndex(imageIndex), m_hint(std::move(hint))
{
    SetStyle(BS_OWNERDRAW, BS_TYPEMASK | WS_TABSTOP);
}

bool TSpeedButton::HandleDrawItem(DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    if (!disabled && (pressed || m_hot)) DrawEdge(dc, &r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);

    const std::string caption = Text();
    SelectedObject font(dc, Font());
    // Measured as drawn: an access key's ampersand takes no room.
    RECT measured{};
    DrawTextA(dc, caption.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    const SIZE textSize{measured.right, measured.bottom};
    // Picture and caption side by side, the pair centred; a pressed button moves them by one.
    const int shift = pressed ? 1 : 0;
    const int dpi = Dpi();
    const int spacing = Scaled(kSpacing, dpi);
    const int width = m_images.Width(dpi) + spacing + textSize.cx;
    const int left = r.left + (r.right - r.left - width) / 2 + shift;
    const int imageTop = r.top + (r.bottom - r.top - m_images.Height(dpi)) / 2 + shift;
    if (disabled) {
        m_images.DrawFaded(dc, m_imageIndex, left, imageTop, GetSysColor(COLOR_BTNFACE), dpi);
    } else {
        m_images.Draw(dc, m_imageIndex, left, imageTop, dpi);
    }
    RECT text{left + m_images.Width(dpi) + spacing, r.top + shift, r.right, r.bottom + shift};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    const CaptionToDraw shown = AccessKeyCaption(Handle(), caption);
    DrawTextA(dc, shown.text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | shown.format);
    return true;
}

LRESULT TSpeedButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
        if (!m_hot) {
            m_hot = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&track);
            InvalidateRect(Handle(), nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        m_hot = false;
        InvalidateRect(Handle(), nullptr, FALSE);
        break;
    case WM_SETFOCUS:
        // A toolbar button leaves the focus where it was.
        if (wParam != 0 && IsWindow(reinterpret_cast<HWND>(wParam))) ::SetFocus(reinterpret_cast<HWND>(wParam));
        return 0;
    }
    return TButton::HandleMessage(message, wParam, lParam);
}
