#include "ui/control.h"

#include <commctrl.h>

#include <unordered_map>

#include "core/check.h"
#include "core/errorbox.h"
#include "ui/cursor.h"
#include "ui/menu.h"

namespace {
// A control's object and the window procedure that its class gave it. Under Wine every
// window-property read, and so every message through a comctl32 subclass, is a round trip to
// the server; this table is read on every message and every notification instead.
struct ControlEntry {
    TControl* object;
    WNDPROC original;
};

std::unordered_map<HWND, ControlEntry>& Controls()
{
    // Never destroyed: controls may outlive static objects at exit.
    static auto* controls = new std::unordered_map<HWND, ControlEntry>;
    return *controls;
}

int NextControlId()
{
    // Above IDOK..IDHELP and below the menu command range, so neither is mistaken for the other.
    static int next = 100;
    if (next >= 0x7FFF) next = 100;
    return next++;
}
}  // namespace

TControl::~TControl()
{
    if (m_hwnd == nullptr) return;
    // The window's last messages go straight to its class.
    const auto found = Controls().find(m_hwnd);
    if (found != Controls().end()) found->second.object = nullptr;
    HWND window = m_hwnd;
    m_hwnd = nullptr;
    DestroyWindow(window);
}

TControl* TControl::FromHandle(HWND window) noexcept
{
    if (window == nullptr) return nullptr;
    const auto found = Controls().find(window);
    return found == Controls().end() ? nullptr : found->second.object;
}

void TControl::CreateHandle(const ControlArgs& args)
{
    const int id = args.id != 0 ? args.id : NextControlId();
    HWND window =
        CreateWindowExA(args.exStyle, args.className, args.text.c_str(), WS_CHILD | WS_CLIPSIBLINGS | args.style,
                        args.bounds.left, args.bounds.top, args.bounds.width, args.bounds.height, args.parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    CheckWin32(window != nullptr, "CreateWindowExA");
    // A Unicode procedure, as the common controls' own are: text messages keep their form.
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    Controls()[window] = {this, original};
    m_hwnd = window;
    if (original == nullptr ||
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TControl::ControlProc)) == 0) {
        const DWORD error = GetLastError();
        Controls().erase(window);
        m_hwnd = nullptr;
        DestroyWindow(window);
        RaiseError(SystemMessageText(error != 0 ? error : ERROR_INVALID_WINDOW_HANDLE));
    }
    HFONT font =
        args.font != nullptr ? args.font : reinterpret_cast<HFONT>(SendMessageA(args.parent, WM_GETFONT, 0, 0));
    if (font != nullptr) SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

LRESULT CALLBACK TControl::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto found = Controls().find(window);
    if (found == Controls().end()) return DefWindowProcW(window, message, wParam, lParam);
    const ControlEntry entry = found->second;
    if (message == WM_NCDESTROY) {
        Controls().erase(found);
        if (entry.object != nullptr) entry.object->m_hwnd = nullptr;
        return CallWindowProcW(entry.original, window, message, wParam, lParam);
    }
    if (entry.object == nullptr) return CallWindowProcW(entry.original, window, message, wParam, lParam);
    return Guarded([&] { return entry.object->HandleMessage(message, wParam, lParam); }, LRESULT{0});
}

LRESULT TControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultMessage(message, wParam, lParam);
}

LRESULT TControl::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETCURSOR && ApplyScreenCursor()) return TRUE;
    return CallWindowProcW(Controls().at(m_hwnd).original, m_hwnd, message, wParam, lParam);
}

bool TControl::HandleCommand(WORD) { return false; }
bool TControl::HandleNotify(NMHDR&, LRESULT&) { return false; }
HBRUSH TControl::HandleCtlColor(HDC) { return nullptr; }
bool TControl::HandleDrawItem(DRAWITEMSTRUCT&) { return false; }

bool TControl::Visible() const { return IsWindowVisible(m_hwnd) != FALSE; }
void TControl::SetVisible(bool visible) { ShowWindow(m_hwnd, visible ? SW_SHOW : SW_HIDE); }
bool TControl::Enabled() const { return IsWindowEnabled(m_hwnd) != FALSE; }
void TControl::SetEnabled(bool enabled) { EnableWindow(m_hwnd, enabled ? TRUE : FALSE); }

std::string TControl::Text() const
{
    std::string text(static_cast<size_t>(GetWindowTextLengthA(m_hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(m_hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TControl::SetText(const std::string& text) { SetWindowTextA(m_hwnd, text.c_str()); }

Bounds TControl::GetBounds() const
{
    RECT rect;
    GetWindowRect(m_hwnd, &rect);
    MapWindowPoints(nullptr, GetParent(m_hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void TControl::SetBounds(const Bounds& bounds)
{
    SetWindowPos(m_hwnd, nullptr, bounds.left, bounds.top, bounds.width, bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::SetFont(HFONT font) { SendMessageA(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }
HFONT TControl::Font() const { return reinterpret_cast<HFONT>(SendMessageA(m_hwnd, WM_GETFONT, 0, 0)); }

void TControl::SendToBack() { SetWindowPos(m_hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

void TControl::BringToFront() { SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

void TControl::SetFocus() { ::SetFocus(m_hwnd); }

bool ReflectMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND:
        if (lParam == 0) {
            // Menus send their commands with no control and notification code 0.
            result = 0;
            return HIWORD(wParam) == 0 && TMenuItem::DispatchCommand(LOWORD(wParam));
        }
        if (TControl* control = TControl::FromHandle(reinterpret_cast<HWND>(lParam))) {
            result = 0;
            return control->HandleCommand(HIWORD(wParam));
        }
        return false;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        TControl* control = TControl::FromHandle(header->hwndFrom);
        return control != nullptr && control->HandleNotify(*header, result);
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (TControl* control = TControl::FromHandle(reinterpret_cast<HWND>(lParam))) {
            HBRUSH brush = control->HandleCtlColor(reinterpret_cast<HDC>(wParam));
            if (brush == nullptr) return false;
            result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
        return false;
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        result = TRUE;
        return item->CtlType == ODT_MENU && TMenuItem::MeasureImage(*item);
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        result = TRUE;
        if (item->CtlType == ODT_MENU) return TMenuItem::DrawImage(*item);
        TControl* control = TControl::FromHandle(item->hwndItem);
        return control != nullptr && control->HandleDrawItem(*item);
    }
    }
    return false;
}
