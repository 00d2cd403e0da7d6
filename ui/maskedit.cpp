#include "ui/maskedit.h"

#include <utility>

#include "core/handles.h"
#include "core/text.h"

namespace {
// The text a message carries. The control's procedure is replaced by a Unicode one (see
// ui/control.h), so what was sent as ANSI may arrive here converted; IsWindowUnicode tells
// which form lParam has.
std::string MessageText(HWND window, LPARAM lParam)
{
    if (lParam == 0) return {};
    if (IsWindowUnicode(window)) return AnsiFromWide(reinterpret_cast<const wchar_t*>(lParam));
    return reinterpret_cast<const char*>(lParam);
}

bool KeyHeld(int key) { return GetKeyState(key) < 0; }
}  // namespace

TMaskEdit::TMaskEdit(const MaskEditArgs& args) : m_field(EditMask(args.editMask))
{
    InitControl({.className = "EDIT",
                 .style = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                 .exStyle = WS_EX_CLIENTEDGE,
                 .parent = args.parent,
                 .bounds = args.bounds,
                 .text = m_field.Text(),
                 .font = args.font});
}

bool TMaskEdit::HandleCommand(WORD code)
{
    if (code != EN_CHANGE) return false;
    if (!m_showing && Text() != m_field.Text()) {
        // Text that came past the mask (an input method, a menu of the system's own): lay it
        // out like text the program puts in. Showing it raises onChange.
        m_field.SetText(Text());
        Show();
        return true;
    }
    if (onChange) onChange();
    return true;
}

LRESULT TMaskEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PASTE:
        ReadSelection();
        Paste(ClipboardText());
        return 0;
    case EM_REPLACESEL: {
        ReadSelection();
        const std::string text = MessageText(Handle(), lParam);
        if (text.empty()) {
            m_field.ClearSelection();
            Show();
        } else {
            Paste(text);
        }
        return 0;
    }
    case WM_CUT:
        ReadSelection();
        if (!m_field.Selection().Empty()) {
            SendMessageA(Handle(), WM_COPY, 0, 0);
            m_field.ClearSelection();
            Show();
        }
        return 0;
    case WM_CLEAR:
        ReadSelection();
        m_field.ClearSelection();
        Show();
        return 0;
    case WM_UNDO:
    case EM_UNDO:
        m_field.Undo();
        Show();
        return m_field.CanUndo() ? TRUE : FALSE;
    case EM_CANUNDO: return m_field.CanUndo() ? TRUE : FALSE;
    case EM_EMPTYUNDOBUFFER: m_field.ForgetUndo(); return 0;
    case WM_SETTEXT:
        if (m_showing) break;
        m_field.SetText(MessageText(Handle(), lParam));
        Show();
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
        // The edit control places the caret; a caret put just before a point goes past it.
        const LRESULT result = DefaultMessage(message, wParam, lParam);
        ReadSelection();
        if (m_field.Selection().Empty()) {
            m_field.PlaceCaret(m_field.Selection().caret);
            Show();
        }
        return result;
    }
    case WM_LBUTTONDBLCLK: {
        // A double click selects the group under the pointer, not the edit control's "word".
        const LRESULT at = SendMessageA(Handle(), EM_CHARFROMPOS, 0, lParam);
        m_field.SelectSectionAt(LOWORD(at));
        Show();
        return 0;
    }
    }
    return TControl::HandleMessage(message, wParam, lParam);
}

bool TMaskEdit::KeyDown(WORD key)
{
    const bool shift = KeyHeld(VK_SHIFT);
    const bool control = KeyHeld(VK_CONTROL);
    switch (key) {
    case VK_LEFT:
    case VK_UP:  // a one-line edit control moves back for Up, too
        ReadSelection();
        control ? m_field.SectionLeft(shift) : m_field.MoveLeft(shift);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        ReadSelection();
        control ? m_field.SectionRight(shift) : m_field.MoveRight(shift);
        break;
    case VK_HOME:
        ReadSelection();
        m_field.Home(shift);
        break;
    case VK_END:
        ReadSelection();
        m_field.End(shift);
        break;
    case VK_DELETE:
        if (shift) {
            SendMessageA(Handle(), WM_CUT, 0, 0);
            return true;
        }
        ReadSelection();
        m_field.Delete();
        break;
    case VK_INSERT:
        // Typing always overwrites; Insert alone changes nothing.
        if (shift) {
            SendMessageA(Handle(), WM_PASTE, 0, 0);
        } else if (control) {
            SendMessageA(Handle(), WM_COPY, 0, 0);
        }
        return true;
    default: return false;
    }
    Show();
    return true;
}

bool TMaskEdit::KeyPress(WPARAM character)
{
    // All of them: the edit control would insert what it is given itself, past the mask.
    ReadSelection();
    switch (character) {
    case 0x01:  // Ctrl+A
        m_field.Select(0, m_field.Mask().Length());
        break;
    case 0x03:  // Ctrl+C
        SendMessageA(Handle(), WM_COPY, 0, 0);
        return true;
    case 0x16:  // Ctrl+V
        SendMessageA(Handle(), WM_PASTE, 0, 0);
        return true;
    case 0x18:  // Ctrl+X
        SendMessageA(Handle(), WM_CUT, 0, 0);
        return true;
    case 0x1A:  // Ctrl+Z
        m_field.Undo();
        break;
    case VK_BACK: m_field.Backspace(); break;
    default:
        // Other control characters (Tab, Enter, Esc) belong to the dialog; what the mask
        // refuses is left out quietly.
        if (character < 0x20 || character >= 0x7F) return true;
        m_field.Type(static_cast<char>(character));
        break;
    }
    Show();
    return true;
}

void TMaskEdit::Paste(const std::string& text)
{
    if (m_field.Paste(text)) Show();
}

std::string TMaskEdit::ClipboardText() const
{
    // The clipboard belongs to everyone: it is open for this read and not a moment longer.
    if (!OpenClipboard(Handle())) return {};
    ScopeExit closed([] { CloseClipboard(); });
    HANDLE data = GetClipboardData(CF_TEXT);
    const auto* characters = static_cast<const char*>(data != nullptr ? GlobalLock(data) : nullptr);
    if (characters == nullptr) return {};
    ScopeExit unlocked([data] { GlobalUnlock(data); });
    // The block may be larger than its text; the text ends at its first zero.
    const size_t size = GlobalSize(data);
    size_t length = 0;
    while (length < size && characters[length] != '\0')
        ++length;
    return std::string(characters, length);
}

void TMaskEdit::ReadSelection()
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const MaskSelection& known = m_field.Selection();
    if (start == known.Start() && end == known.End()) return;  // ours: its direction is known
    size_t anchor = start;
    size_t caret = end;
    // A selection dragged leftwards has the caret at its start.
    POINT caretPoint{};
    if (start != end && GetFocus() == Handle() && GetCaretPos(&caretPoint)) {
        const LRESULT startPoint = SendMessageA(Handle(), EM_POSFROMCHAR, start, 0);
        if (caretPoint.x == static_cast<short>(LOWORD(startPoint))) std::swap(anchor, caret);
    }
    m_field.Select(anchor, caret);
}

void TMaskEdit::SetText(const std::string& text)
{
    if (HandleAllocated()) {
        TControl::SetText(text);  // laid out at WM_SETTEXT
        return;
    }
    m_field.SetText(text);
    Show();
    if (onChange) onChange();
}

void TMaskEdit::Show()
{
    if (!HandleAllocated()) {
        m_text = m_field.Text();
        return;
    }
    if (Text() != m_field.Text()) {
        m_showing = true;
        SetWindowTextA(Handle(), m_field.Text().c_str());
        m_showing = false;
    }
    const MaskSelection& selection = m_field.Selection();
    // The caret goes to the second position, so a selection keeps its direction.
    SendMessageA(Handle(), EM_SETSEL, selection.anchor, static_cast<LPARAM>(selection.caret));
    SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
}
