#include "ui/window.h"

#include <set>

#include "core/check.h"
#include "core/errorbox.h"
#include "ui/control.h"
#include "ui/cursor.h"

TWindow::~TWindow()
{
    if (m_hwnd == nullptr) return;
    // Unbind first: the messages of the destruction must not reach a half-destroyed object.
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
    HWND window = m_hwnd;
    m_hwnd = nullptr;
    DestroyWindow(window);
}

TWindow* TWindow::FromHandle(HWND window) noexcept
{
    if (window == nullptr) return nullptr;
    // The class's procedure, not the window's: a subclass (the tray icon's minimise hook)
    // replaces the latter.
    WNDPROC proc = reinterpret_cast<WNDPROC>(GetClassLongPtrA(window, GCLP_WNDPROC));
    if (proc != &TWindow::WindowProc) return nullptr;
    return reinterpret_cast<TWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void TWindow::CreateHandle(const WindowClass& windowClass, DWORD style, DWORD exStyle, HWND parent,
                           const Bounds& bounds, const std::string& text)
{
    static std::set<std::string> registered;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (registered.count(windowClass.name) == 0) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = windowClass.style;
        wc.lpfnWndProc = &TWindow::WindowProc;
        wc.hInstance = instance;
        wc.hIcon = windowClass.icon;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = windowClass.background;
        wc.lpszClassName = windowClass.name;
        CheckWin32(RegisterClassExA(&wc) != 0, "RegisterClassExA");
        registered.insert(windowClass.name);
    }
    HWND window = CreateWindowExA(exStyle, windowClass.name, text.c_str(), style, bounds.left, bounds.top, bounds.width,
                                  bounds.height, parent, nullptr, instance, this);
    CheckWin32(window != nullptr, "CreateWindowExA");
    // Like the controls, our child windows take their parent's font.
    if ((style & WS_CHILD) != 0 && parent != nullptr) {
        m_font = reinterpret_cast<HFONT>(SendMessageA(parent, WM_GETFONT, 0, 0));
    }
}

LRESULT CALLBACK TWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->m_hwnd = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // A refused log-off is the safe answer when the close query itself failed.
    return Guarded([&] { return self->HandleMessage(message, wParam, lParam); }, LRESULT{0});
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultMessage(message, wParam, lParam);
}

LRESULT TWindow::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ReflectMessage(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam) != 0) Invalidate();
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(m_font);
    case WM_SETCURSOR:
        if (ApplyScreenCursor()) return TRUE;
        break;
    }
    return DefWindowProcA(m_hwnd, message, wParam, lParam);
}

bool TWindow::Visible() const { return IsWindowVisible(m_hwnd) != FALSE; }

void TWindow::SetVisible(bool visible) { ShowWindow(m_hwnd, visible ? SW_SHOW : SW_HIDE); }

std::string TWindow::Text() const
{
    std::string text(static_cast<size_t>(GetWindowTextLengthA(m_hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(m_hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TWindow::SetText(const std::string& text) { SetWindowTextA(m_hwnd, text.c_str()); }

Bounds TWindow::GetBounds() const
{
    RECT rect;
    GetWindowRect(m_hwnd, &rect);
    const bool child = (GetWindowLongPtrA(m_hwnd, GWL_STYLE) & WS_CHILD) != 0;
    MapWindowPoints(nullptr, child ? GetParent(m_hwnd) : nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void TWindow::SetBounds(const Bounds& bounds)
{
    SetWindowPos(m_hwnd, nullptr, bounds.left, bounds.top, bounds.width, bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWindow::SetFont(HFONT font) { SendMessageA(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

void TWindow::Invalidate() { InvalidateRect(m_hwnd, nullptr, TRUE); }

void TWindow::SendToBack() { SetWindowPos(m_hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

void TWindow::BringToFront() { SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }
