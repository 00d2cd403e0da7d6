#include "ui/label.h"

#include "ui/fonts.h"

namespace {
DWORD LabelStyle(bool wordWrap) { return WS_VISIBLE | SS_NOTIFY | (wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP); }
}  // namespace

TLabel::TLabel(const LabelArgs& args)
    : m_autoSize(args.autoSize), m_wordWrap(args.wordWrap), m_textColor(args.textColor)
{
    SetColor(args.color);
    CreateHandle({.className = "STATIC",
                  .style = LabelStyle(args.wordWrap),
                  .parent = args.parent,
                  .bounds = args.bounds,
                  .text = args.caption,
                  .font = args.font});
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
    LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(SS_TYPEMASK);
    style |= wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
    SetWindowLongPtrA(Handle(), GWL_STYLE, style);
    FitToText();
    Invalidate();
}

void TLabel::SetTextColor(COLORREF color)
{
    m_textColor = color;
    Invalidate();
}

void TLabel::FitToText()
{
    if (!m_autoSize) return;
    Bounds bounds = GetBounds();
    const std::string text = Text();
    RECT rect{0, 0, m_wordWrap ? bounds.width : 0, 0};
    {
        WindowDc dc(Handle());
        SelectedObject font(dc.get(), Font());
        DrawTextA(dc.get(), text.empty() ? " " : text.c_str(), -1, &rect,
                  DT_CALCRECT | (m_wordWrap ? DT_WORDBREAK : DT_SINGLELINE) | DT_EXPANDTABS);
    }
    if (!m_wordWrap) bounds.width = rect.right;
    bounds.height = rect.bottom;
    SetBounds(bounds);
}

bool TLabel::HandleCommand(WORD code)
{
    if (code != STN_CLICKED) return false;
    if (onClick) onClick();
    return true;
}

HBRUSH TLabel::HandleCtlColor(HDC dc)
{
    ::SetTextColor(dc, m_textColor);
    if (Color() != ParentColor) return Background(dc);
    // The background of the window it stands on.
    if (const TWinControl* parent = TWinControl::FromHandle(GetParent(Handle()))) return parent->Background(dc);
    return Background(dc);
}

HFONT UnderlinedFont(HFONT font)
{
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
          if (args.font == nullptr)
              args.font = UnderlinedFont(reinterpret_cast<HFONT>(SendMessageA(args.parent, WM_GETFONT, 0, 0)));
          else
              args.font = UnderlinedFont(args.font);
          return args;
      }())
{
}

TCursor TLinkLabel::CursorAt(POINT) { return TCursor::crHandPoint; }
