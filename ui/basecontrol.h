#pragma once
// What every control has, whether it has a window of its own (TWinControl, ui/window.h) or is
// painted by its parent (TGraphicControl, ui/graphiccontrol.h): a place on its parent, a text,
// a font, a colour, and whether it is visible and enabled. A control keeps all of these itself,
// so it can be set up and filled before it has a window; a windowed control makes its window
// only when its form is first shown or a caller needs the handle.
#include <windows.h>

#include <string>

#include "core/handles.h"

// A place in pixels relative to the parent's client area.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Colour value meaning "no colour of its own": the control shows its parent's background (the
// button face of forms and pages).
inline constexpr COLORREF kParentColor = CLR_INVALID;

class TWinControl;

// Where a control is placed: a window of ours, given as its object or by its handle, or any
// other window by its handle.
class ParentRef {
public:
    ParentRef() = default;
    ParentRef(std::nullptr_t) noexcept {}
    ParentRef(TWinControl* control) noexcept;
    ParentRef(TWinControl& control) noexcept : ParentRef(&control) {}
    // A window of ours is taken as its object.
    ParentRef(HWND window) noexcept;

    TWinControl* Control() const noexcept { return m_control; }
    // The window to create a child in; makes the parent's window when it has none yet.
    HWND Window() const;
    // The font a child takes when it has none of its own.
    HFONT Font() const;

private:
    TWinControl* m_control = nullptr;
    HWND m_window = nullptr;
};

class TBaseControl {
public:
    virtual ~TBaseControl();
    TBaseControl(const TBaseControl&) = delete;
    TBaseControl& operator=(const TBaseControl&) = delete;

    // The window of ours the control is placed on; null for forms and for controls placed on
    // a window that is not ours.
    TWinControl* Parent() const noexcept { return m_parent; }

    // Visible: shown and on a shown parent, as IsWindowVisible answers.
    virtual bool Visible() const;
    virtual void SetVisible(bool visible);
    // Set visible, whether or not its parent is shown now.
    bool VisibleFlag() const noexcept { return m_visible; }
    virtual bool Enabled() const;
    virtual void SetEnabled(bool enabled);
    virtual std::string Text() const;
    virtual void SetText(const std::string& text);
    virtual Bounds GetBounds() const;
    virtual void SetBounds(const Bounds& bounds);
    // Its own font, or else its parent's, at the control's DPI.
    virtual HFONT Font() const;
    // Takes a font at any DPI as the design font it was scaled from (ui/fonts.h).
    virtual void SetFont(HFONT font);
    virtual void Invalidate() = 0;
    // Z-order among the siblings: the first made lies on top. Windowed controls always lie
    // above those their parent paints.
    void SendToBack();
    void BringToFront();

    // The DPI the control is shown at: its places, sizes and font are the design's (96 DPI)
    // scaled to it. A control without a window of its own is at its parent's.
    virtual int Dpi() const;
    // Shows the control and its children at another DPI: places and fonts are scaled from the
    // design again (never from the last scale, so nothing drifts), then ScaleMetrics.
    virtual void ScaleBy(int newDpi, int oldDpi);

    // The background: a colour of its own, or kParentColor.
    COLORREF Color() const noexcept { return m_color; }
    void SetColor(COLORREF color);
    // Sets the device context's background to what the control shows (its own colour, else the
    // button face) and returns the brush that paints it.
    HBRUSH Background(HDC dc) const;
    void FillBackground(HDC dc, const RECT& rect) const;

protected:
    TBaseControl() = default;
    // Places the control on its parent, last in the z-order; once, by the concrete control.
    void SetParentRef(const ParentRef& parent);
    // Moves the control's window in the z-order after its siblings were reordered.
    virtual void ZOrderChanged(bool toBack);
    // Scales what the control keeps besides its place and font (column widths, row heights,
    // images, spacings): called by ScaleBy once the place, font and children are scaled.
    virtual void ScaleMetrics(int newDpi, int oldDpi);
    // Places the control at a design place (96 DPI), scaled to its DPI.
    void SetDesignBounds(const Bounds& design);
    // Keeps a place at the control's DPI (measured or computed at run time) and the design
    // place it stands for.
    void KeepBounds(const Bounds& bounds);
    // Its own design font, or else its parent's.
    HFONT DesignedFont() const;

    // The state as the control keeps it; a window, once made, is made from it. m_bounds is at
    // the control's DPI, m_design the same place at 96 DPI; m_font is a design font.
    Bounds m_bounds;
    Bounds m_design;
    std::string m_text;
    bool m_visible = true;
    bool m_enabled = true;
    HFONT m_font = nullptr;

private:
    friend class TWinControl;
    TWinControl* m_parent = nullptr;
    COLORREF m_color = kParentColor;
    UniqueHbrush m_brush;
};
