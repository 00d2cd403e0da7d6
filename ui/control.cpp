#include "ui/control.h"

#include <commctrl.h>

#include <unordered_map>

#include "core/check.h"
#include "core/errorbox.h"
#include "ui/callbackerrors.h"
#include "ui/fonts.h"

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
    // The window's last messages go straight to its class.
    if (!HandleAllocated()) return;
    const auto found = Controls().find(Handle());
    if (found != Controls().end()) found->second.object = nullptr;
}

TControl* TControl::FromHandle(HWND window) noexcept
{
    if (window == nullptr) return nullptr;
    const auto found = Controls().find(window);
    return found == Controls().end() ? nullptr : found->second.object;
}

void TControl::InitControl(const ControlArgs& args)
{
    m_className = args.className;
    m_style = WS_CHILD | WS_CLIPSIBLINGS | args.style;
    m_exStyle = args.exStyle;
    m_text = args.text;
    m_font = DesignFont(args.font);
    m_visible = (args.style & WS_VISIBLE) != 0;
    m_id = args.id != 0 ? args.id : NextControlId();
    PlaceOn(args.parent);
    SetDesignBounds(args.bounds);
    CreateWhenShown();
}

void TControl::CreateWindowHandle(HWND parent)
{
    HWND window =
        CreateWindowExA(m_exStyle, m_className, m_text.c_str(), CreationStyle(), m_bounds.left, m_bounds.top,
                        m_bounds.width, m_bounds.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_id)),
                        GetModuleHandleA(nullptr), nullptr);
    CheckWin32(window != nullptr, "CreateWindowExA");
    // A Unicode procedure, as the common controls' own are: text messages keep their form.
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    Controls()[window] = {this, original};
    Bind(window);
    if (original == nullptr ||
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TControl::ControlProc)) == 0) {
        const DWORD error = GetLastError();
        Controls().erase(window);
        Bind(nullptr);
        DestroyWindow(window);
        RaiseError(SystemMessageText(error != 0 ? error : ERROR_INVALID_WINDOW_HANDLE));
    }
    // Its own font, or the one it stands on.
    HFONT font = KeptFont();
    if (font != nullptr) SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

LRESULT CALLBACK TControl::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto found = Controls().find(window);
    if (found == Controls().end()) return DefWindowProcW(window, message, wParam, lParam);
    const ControlEntry entry = found->second;
    if (message == WM_NCDESTROY) {
        Controls().erase(found);
        if (entry.object != nullptr) entry.object->Bind(nullptr);
        return CallWindowProcW(entry.original, window, message, wParam, lParam);
    }
    if (entry.object == nullptr) return CallWindowProcW(entry.original, window, message, wParam, lParam);
    return Guarded([&] { return entry.object->HandleMessage(message, wParam, lParam); }, LRESULT{0},
                   ErrorShownFor(message, lParam));
}

void TControl::ScaleFont()
{
    if (HandleAllocated()) SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(KeptFont()), TRUE);
}

void TControl::SetFocus() { ::SetFocus(Handle()); }

LRESULT TControl::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(Controls().at(Handle()).original, Handle(), message, wParam, lParam);
}
