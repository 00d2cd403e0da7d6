#include "ui/graphiccontrol.h"

#include "core/error.h"
#include "ui/window.h"

void TGraphicControl::InitGraphic(const ParentRef& parent, const Bounds& bounds)
{
    if (parent.Control() == nullptr) RaiseError("A painted control needs a window of this program to stand on.");
    SetParentRef(parent);
    SetDesignBounds(bounds);
    Invalidate();
}

void TGraphicControl::SetVisible(bool visible)
{
    if (visible == m_visible) return;
    m_visible = visible;
    Invalidate();
}

void TGraphicControl::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    Invalidate();
}

void TGraphicControl::SetText(const std::string& text)
{
    m_text = text;
    Invalidate();
}

void TGraphicControl::SetBounds(const Bounds& bounds)
{
    Invalidate();
    KeepBounds(bounds);
    Invalidate();
}

void TGraphicControl::SetFont(HFONT font)
{
    TBaseControl::SetFont(font);
    Invalidate();
}

void TGraphicControl::Invalidate()
{
    const TWinControl* parent = Parent();
    if (parent == nullptr || !parent->HandleAllocated()) return;
    const RECT area = Area();
    InvalidateRect(parent->Handle(), &area, TRUE);
}

RECT TGraphicControl::Area() const
{
    return {m_bounds.left, m_bounds.top, m_bounds.left + m_bounds.width, m_bounds.top + m_bounds.height};
}

bool TGraphicControl::Contains(POINT parentClient) const
{
    const RECT area = Area();
    return PtInRect(&area, parentClient) != FALSE;
}

void TGraphicControl::PaintOn(HDC dc, const RECT& update)
{
    const RECT area = Area();
    RECT common;
    if (!IntersectRect(&common, &area, &update)) return;
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, m_bounds.left, m_bounds.top, nullptr);
    IntersectClipRect(dc, 0, 0, m_bounds.width, m_bounds.height);
    const RECT client{0, 0, m_bounds.width, m_bounds.height};
    Paint(dc, client);
    RestoreDC(dc, saved);
}
