#pragma once
// Static texts: TLabel, and TLinkLabel (blue, underlined, hand cursor) for texts that act
// when clicked.
#include <functional>
#include <string>

#include "ui/control.h"

struct LabelArgs {
    HWND parent = nullptr;
    Bounds bounds;  // width and height are measured from the text when autoSize is set
    std::string caption;
    bool autoSize = true;  // fit the text; with wordWrap only the height follows the text
    bool wordWrap = false;
    COLORREF textColor = GetSysColor(COLOR_BTNTEXT);
    COLORREF color = ParentColor;  // background
    HFONT font = nullptr;          // null: the parent's font
};

class TLabel : public TControl {
public:
    explicit TLabel(const LabelArgs& args);

    void SetCaption(const std::string& caption);
    void SetWordWrap(bool wordWrap);
    bool WordWrap() const noexcept { return m_wordWrap; }
    void SetTextColor(COLORREF color);
    COLORREF TextColor() const noexcept { return m_textColor; }

    std::function<void()> onClick;

    bool HandleCommand(WORD code) override;
    HBRUSH HandleCtlColor(HDC dc) override;

protected:
    void FitToText();

private:
    bool m_autoSize;
    bool m_wordWrap;
    COLORREF m_textColor;
};

// A label that looks and acts like a link. The caller gives onClick what it opens.
class TLinkLabel : public TLabel {
public:
    explicit TLinkLabel(LabelArgs args);

protected:
    TCursor CursorAt(POINT client) override;
};

// The underlined form of a font, for links.
HFONT UnderlinedFont(HFONT font);
