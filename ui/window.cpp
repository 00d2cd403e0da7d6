#include "ui/window.h"

#include <set>

#include "core/check.h"
#include "core/errorbox.h"
#include "ui/control.h"
#include "ui/menu.h"

TWinControl::~TWinControl()
{
    if (m_hwnd == nullptr) return;
    HWND window = std::exchange(m_hwnd, nullptr);
    DestroyWindow(window);
}

TWinControl* TWinControl::FromHandle(HWND window) noexcept
{
    if (window == nullptr) return nullptr;
    if (TControl* control = TControl::FromHandle(window)) return control;
    // The class's procedure, not the window's: a subclass (the tray icon's minimise hook)
    // replaces the latter.
    WNDPROC proc = reinterpret_cast<WNDPROC>(GetClassLongPtrA(window, GCLP_WNDPROC));
    if (proc != &TWindow::WindowProc) return nullptr;
    return reinterpret_cast<TWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool TWinControl::Visible() const { return IsWindowVisible(m_hwnd) != FALSE; }
void TWinControl::SetVisible(bool visible) { ShowWindow(m_hwnd, visible ? SW_SHOW : SW_HIDE); }
bool TWinControl::Enabled() const { return IsWindowEnabled(m_hwnd) != FALSE; }
void TWinControl::SetEnabled(bool enabled) { EnableWindow(m_hwnd, enabled ? TRUE : FALSE); }

std::string TWinControl::Text() const
{
    std::string text(static_cast<size_t>(GetWindowTextLengthA(m_hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(m_hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TWinControl::SetText(const std::string& text) { SetWindowTextA(m_hwnd, text.c_str()); }

Bounds TWinControl::GetBounds() const
{
    RECT rect;
    GetWindowRect(m_hwnd, &rect);
    const bool child = (GetWindowLongPtrA(m_hwnd, GWL_STYLE) & WS_CHILD) != 0;
    MapWindowPoints(nullptr, child ? GetParent(m_hwnd) : nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void TWinControl::SetBounds(const Bounds& bounds)
{
    SetWindowPos(m_hwnd, nullptr, bounds.left, bounds.top, bounds.width, bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT TWinControl::Font() const { return reinterpret_cast<HFONT>(SendMessageA(m_hwnd, WM_GETFONT, 0, 0)); }
void TWinControl::SetFont(HFONT font) { SendMessageA(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }
void TWinControl::Invalidate() { InvalidateRect(m_hwnd, nullptr, TRUE); }

void TWinControl::SendToBack()
{
    SetWindowPos(m_hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::BringToFront()
{
    SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SetColor(COLORREF color)
{
    m_color = color;
    m_brush.reset(color != ParentColor ? CreateSolidBrush(color) : nullptr);
    if (m_hwnd != nullptr) Invalidate();
}

HBRUSH TWinControl::Background(HDC dc) const
{
    if (m_brush) {
        SetBkColor(dc, m_color);
        return static_cast<HBRUSH>(m_brush.get());
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

void TWinControl::FillBackground(HDC dc, const RECT& rect) const { FillRect(dc, &rect, Background(dc)); }

bool TWinControl::HandleCommand(WORD) { return false; }
bool TWinControl::HandleNotify(NMHDR&, LRESULT&) { return false; }
HBRUSH TWinControl::HandleCtlColor(HDC) { return nullptr; }
bool TWinControl::HandleDrawItem(DRAWITEMSTRUCT&) { return false; }

bool TWinControl::ReflectMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
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
    case WM_CTLCOLORLISTBOX: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        TControl* control = TControl::FromHandle(reinterpret_cast<HWND>(lParam));
        HBRUSH brush = control != nullptr ? control->HandleCtlColor(dc) : nullptr;
        // Texts and buttons without colours of their own stand on this window's.
        const bool onThis = message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN;
        if (brush == nullptr && onThis && m_brush) brush = Background(dc);
        if (brush == nullptr) return false;
        result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
    case WM_INITMENUPOPUP:
        // Windows goes on with the menu as usual; this only fills it first.
        TMenuItem::PrepareSubmenu(reinterpret_cast<HMENU>(wParam));
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

TWindow::~TWindow()
{
    // Unbind first: the messages of the destruction must not reach a half-destroyed object.
    if (Handle() != nullptr) SetWindowLongPtrA(Handle(), GWLP_USERDATA, 0);
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
        self->Bind(window);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->Bind(nullptr);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // A refused log-off is the safe answer when the close query itself failed.
    return Guarded([&] { return self->HandleMessage(message, wParam, lParam); }, LRESULT{0});
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ReflectMessage(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam) != 0) Invalidate();
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(m_font);
    }
    return TWinControl::HandleMessage(message, wParam, lParam);
}

LRESULT TWindow::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(Handle(), message, wParam, lParam);
}

bool TWindow::EraseBackground(HDC dc)
{
    if (Color() == ParentColor) return false;
    RECT client;
    GetClientRect(Handle(), &client);
    FillBackground(dc, client);
    return true;
}

void TPaintedWindow::CreatePainted(const char* className, DWORD style, DWORD exStyle, HWND parent, const Bounds& bounds)
{
    WindowClass windowClass;
    windowClass.name = className;
    windowClass.background = nullptr;
    CreateHandle(windowClass, style, exStyle, parent, bounds, {});
}

LRESULT TPaintedWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT) return TWindow::HandleMessage(message, wParam, lParam);
    PaintDc paint(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    Paint(paint.get(), client);
    return 0;
}

bool TPaintedWindow::EraseBackground(HDC) { return true; }
