#include "ui/basecontrol.h"

#include "ui/contrast.h"
#include "ui/dpi.h"
#include "ui/fonts.h"
#include "ui/window.h"

TBaseControl::~TBaseControl()
{
    if (m_parent != nullptr) m_parent->RemoveChild(*this);
}

void TBaseControl::SetParentRef(const ParentRef& parent)
{
    m_parent = parent.Control();
    if (m_parent != nullptr) m_parent->AddChild(*this);
}

bool TBaseControl::Visible() const { return m_visible && m_parent != nullptr && m_parent->Visible(); }
void TBaseControl::SetVisible(bool visible) { m_visible = visible; }
bool TBaseControl::Enabled() const { return m_enabled; }
void TBaseControl::SetEnabled(bool enabled) { m_enabled = enabled; }
std::string TBaseControl::Text() const { return m_text; }
void TBaseControl::SetText(const std::string& text) { m_text = text; }
Bounds TBaseControl::GetBounds() const { return m_bounds; }
void TBaseControl::SetBounds(const Bounds& bounds) { KeepBounds(bounds); }

void TBaseControl::SetDesignBounds(const Bounds& design)
{
    m_design = design;
    m_bounds = ScaledBounds(design, Dpi());
}

void TBaseControl::KeepBounds(const Bounds& bounds)
{
    m_bounds = bounds;
    m_design = UnscaledBounds(bounds, Dpi());
}

HFONT TBaseControl::DesignedFont() const
{
    if (m_font != nullptr) return m_font;
    return m_parent != nullptr ? m_parent->DesignedFont() : nullptr;
}

HFONT TBaseControl::Font() const { return ScaledFont(DesignedFont(), Dpi()); }

void TBaseControl::SetFont(HFONT font) { m_font = DesignFont(font); }

int TBaseControl::Dpi() const { return m_parent != nullptr ? m_parent->Dpi() : kDesignDpi; }

void TBaseControl::ScaleBy(int newDpi, int oldDpi)
{
    m_bounds = ScaledBounds(m_design, newDpi);
    ScaleMetrics(newDpi, oldDpi);
    Invalidate();
}

void TBaseControl::ScaleMetrics(int, int) {}

void TBaseControl::SendToBack()
{
    if (m_parent != nullptr) m_parent->Reorder(*this, true);
    ZOrderChanged(true);
}

void TBaseControl::BringToFront()
{
    if (m_parent != nullptr) m_parent->Reorder(*this, false);
    ZOrderChanged(false);
}

void TBaseControl::ZOrderChanged(bool) { Invalidate(); }

void TBaseControl::SetColor(COLORREF color)
{
    m_color = color;
    m_brush.reset(color != kParentColor ? CreateSolidBrush(color) : nullptr);
    Invalidate();
}

HBRUSH TBaseControl::Background(HDC dc) const
{
    if (m_brush && HighContrast()) {
        // The theme's window colour in place of the designed one, and its text colour with it
        // for the texts Windows draws on it (group box captions, check boxes).
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return GetSysColorBrush(COLOR_WINDOW);
    }
    if (m_brush) {
        SetBkColor(dc, m_color);
        return m_brush.get();
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    // Texts that Windows draws on it (group box captions) in the colour made for the face.
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    return GetSysColorBrush(COLOR_BTNFACE);
}

void TBaseControl::FillBackground(HDC dc, const RECT& rect) const { FillRect(dc, &rect, Background(dc)); }
