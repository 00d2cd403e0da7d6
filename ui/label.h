#pragma once
// Static texts, painted by the window they stand on: TLabel, and TLinkLabel (blue, underlined,
// hand cursor) for texts that act when clicked.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/graphiccontrol.h"

struct LabelArgs {
    ParentRef parent;
    Bounds bounds;  // width and height are measured from the text when autoSize is set
    std::string caption;
    bool autoSize = true;  // fit the text; with wordWrap only the height follows the text
    bool wordWrap = false;
    COLORREF textColor = GetSysColor(COLOR_BTNTEXT);
    COLORREF color = kParentColor;  // background
    HFONT font = nullptr;           // null: the parent's font
};

class TLabel : public TGraphicControl {
public:
    explicit TLabel(const LabelArgs& args);

    void SetCaption(const std::string& caption);
    void SetWordWrap(bool wordWrap);
    bool WordWrap() const noexcept { return m_wordWrap; }
    void SetTextColor(COLORREF color);
    COLORREF TextColor() const noexcept { return m_textColor; }

    // The control this label names, for screen readers and its access key, where its place
    // alone would name another (ui/labelfor.h); null: found by place.
    TWinControl* FocusControl() const noexcept { return m_focusControl; }
    void SetFocusControl(TWinControl* control) noexcept { m_focusControl = control; }

    std::function<void()> onClick;

    bool TakesMouse() const override;
    void Click() override;

    // Where the characters [begin, end) of the caption start as it is drawn (relative to the
    // label), or nothing when the word wrap splits them over two lines. The range starts and
    // ends at a word's edge.
    std::optional<POINT> TextPosition(size_t begin, size_t end) const;

protected:
    void FitToText();
    // Measures the text again in its font at the new DPI.
    void ScaleMetrics(int newDpi, int oldDpi) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    // How the text is laid out, as Windows' static texts lay theirs.
    UINT TextFormat() const;

    bool m_autoSize;
    bool m_wordWrap;
    COLORREF m_textColor;
    TWinControl* m_focusControl = nullptr;
};

class TLinkFocus;

// A label that looks and acts like a link. The caller gives onClick what it opens. A window over
// it takes the keyboard's focus for it (ui/linkfocus.h).
class TLinkLabel : public TLabel {
public:
    explicit TLinkLabel(LabelArgs args);
    ~TLinkLabel() override;

    TCursor Cursor() const override { return TCursor::crHandPoint; }
    // The window that takes the focus for the link.
    TLinkFocus& FocusWindow() const noexcept { return *m_focus; }

    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void SetBounds(const Bounds& bounds) override;
    void Invalidate() override;
    // Paints the link as its parent paints it, for the window over it.
    void PaintLink(HDC dc, const RECT& client) { Paint(dc, client); }

protected:
    void ScaleMetrics(int newDpi, int oldDpi) override;

private:
    std::unique_ptr<TLinkFocus> m_focus;
};

// The underlined form of a font, for links.
HFONT UnderlinedFont(HFONT font);
