#include "ui/label.h"

#include "core/handles.h"
#include "ui/accesskeys.h"
#include "ui/contrast.h"
#include "ui/fonts.h"
#include "ui/linkfocus.h"
#include "ui/window.h"

TLabel::TLabel(const LabelArgs& args)
    : m_autoSize(args.autoSize), m_wordWrap(args.wordWrap), m_textColor(args.textColor)
{
    SetColor(args.color);
    m_text = args.caption;
    m_font = DesignFont(args.font);
    InitGraphic(args.parent, args.bounds);
    FitToText();
}

void TLabel::SetCaption(const std::string& caption)
{
    SetText(caption);
    FitToText();
}

void TLabel::SetWordWrap(bool wordWrap)
{
    m_wordWrap = wordWrap;
    FitToText();
    Invalidate();
}

void TLabel::SetTextColor(COLORREF color)
{
    m_textColor = color;
    Invalidate();
}

UINT TLabel::TextFormat() const { return DT_LEFT | DT_EXPANDTABS | (m_wordWrap ? DT_WORDBREAK : 0); }

void TLabel::FitToText()
{
    if (!m_autoSize) return;
    Bounds bounds = GetBounds();
    const std::string text = Text();
    RECT rect{0, 0, m_wordWrap ? bounds.width : 0, 0};
    {
        // Measured on the screen: the label has no window, and its parent may have none yet.
        WindowDc dc(nullptr);
        SelectedObject font(dc.get(), Font());
        DrawTextA(dc.get(), text.empty() ? " " : text.c_str(), -1, &rect,
                  DT_CALCRECT | (m_wordWrap ? DT_WORDBREAK : DT_SINGLELINE) | DT_EXPANDTABS);
    }
    if (!m_wordWrap) bounds.width = rect.right;
    bounds.height = rect.bottom;
    SetBounds(bounds);
}

void TLabel::Paint(HDC dc, const RECT& client)
{
    // Its own colour, or the background of the window it stands on.
    const TBaseControl& background = Color() != kParentColor || Parent() == nullptr
                                         ? static_cast<const TBaseControl&>(*this)
                                         : static_cast<const TBaseControl&>(*Parent());
    background.FillBackground(dc, client);
    SelectedObject font(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    const bool link = dynamic_cast<const TLinkLabel*>(this) != nullptr;
    ::SetTextColor(dc, Enabled() ? ShownText(m_textColor, background.Color() != kParentColor, link)
                                 : GetSysColor(COLOR_GRAYTEXT));
    RECT rect = client;
    const CaptionToDraw shown = AccessKeyCaption(Parent() != nullptr ? Parent()->Handle() : nullptr, m_text);
    DrawTextA(dc, shown.text.c_str(), -1, &rect, TextFormat() | shown.format);
}

std::optional<POINT> TLabel::TextPosition(size_t begin, size_t end) const
{
    // Drawn as Paint draws it; a prefix that ends at a word's edge wraps as the whole text does
    // up to there, so the lines are counted from the heights DrawText gives prefixes.
    WindowDc dc(nullptr);
    SelectedObject font(dc.get(), Font());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    const int lineHeight = metrics.tmHeight > 0 ? metrics.tmHeight : 1;
    const auto lastLine = [&](size_t length) {
        RECT rect{0, 0, GetBounds().width, 0};
        DrawTextA(dc.get(), m_text.c_str(), static_cast<int>(length), &rect, TextFormat() | DT_CALCRECT);
        return rect.bottom / lineHeight - 1;
    };
    const size_t firstWordEnd = m_text.find(' ', begin);
    const int line = lastLine(end);
    if (firstWordEnd < end && lastLine(firstWordEnd) != line) return std::nullopt;
    // Back to the first word of that line: the earlier words that end on it.
    size_t lineStart = begin;
    while (lineStart > 0 && m_text[lineStart - 1] == ' ') {
        size_t wordStart = lineStart - 1;
        while (wordStart > 0 && m_text[wordStart - 1] != ' ' && m_text[wordStart - 1] != '\n' &&
               m_text[wordStart - 1] != '\r')
            --wordStart;
        if (lastLine(lineStart - 1) != line) break;
        lineStart = wordStart;
    }
    SIZE before{};
    GetTextExtentPoint32A(dc.get(), m_text.c_str() + lineStart, static_cast<int>(begin - lineStart), &before);
    return POINT{before.cx, line * lineHeight};
}

bool TLabel::TakesMouse() const { return onClick != nullptr || Cursor() != TCursor::crDefault; }

void TLabel::Click()
{
    if (onClick) onClick();
}

void TLabel::ScaleMetrics(int, int) { FitToText(); }

HFONT UnderlinedFont(HFONT font)
{
    // The design font's description, so the underlined one scales as the font does.
    FontSpec spec;
    if (FontSpecOf(font != nullptr ? font : DefaultFont(), spec)) {
        spec.underline = true;
        return GetFont(spec);
    }
    LOGFONTA logFont{};
    GetObjectA(font != nullptr ? font : DefaultFont(), sizeof logFont, &logFont);
    FontSpec wanted;
    wanted.face = logFont.lfFaceName;
    wanted.height = logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight;
    wanted.bold = logFont.lfWeight >= FW_BOLD;
    wanted.underline = true;
    return GetFont(wanted);
}

TLinkLabel::TLinkLabel(LabelArgs args)
    : TLabel([&] {
          args.textColor = RGB(0, 0, 255);
          args.font = UnderlinedFont(args.font != nullptr ? args.font : args.parent.Font());
          return args;
      }())
{
    m_focus = std::make_unique<TLinkFocus>(*this, Parent(), m_design);
    m_focus->SetVisible(VisibleFlag());
}

TLinkLabel::~TLinkLabel() = default;

void TLinkLabel::SetVisible(bool visible)
{
    TLabel::SetVisible(visible);
    if (m_focus) m_focus->SetVisible(visible);
}

void TLinkLabel::SetEnabled(bool enabled)
{
    TLabel::SetEnabled(enabled);
    if (m_focus) m_focus->SetEnabled(enabled);
}

void TLinkLabel::SetBounds(const Bounds& bounds)
{
    TLabel::SetBounds(bounds);
    if (m_focus) m_focus->SetBounds(GetBounds());
}

void TLinkLabel::Invalidate()
{
    TLabel::Invalidate();
    if (m_focus) m_focus->Invalidate();
}

// The link is scaled after the windows beside it, its focus window included: that window takes
// the link's new place last.
void TLinkLabel::ScaleMetrics(int newDpi, int oldDpi)
{
    TLabel::ScaleMetrics(newDpi, oldDpi);
    if (m_focus) m_focus->SetBounds(GetBounds());
}
