#include "ui/window.h"

#include <windowsx.h>

#include <algorithm>
#include <set>

#include "core/check.h"
#include "core/errorbox.h"
#include "ui/accessible.h"
#include "ui/callbackerrors.h"
#include "ui/control.h"
#include "ui/dpi.h"
#include "ui/fonts.h"
#include "ui/graphiccontrol.h"
#include "ui/menu.h"

ParentRef::ParentRef(TWinControl* control) noexcept : m_control(control) {}

ParentRef::ParentRef(HWND window) noexcept : m_control(TWinControl::FromHandle(window)), m_window(window) {}

HWND ParentRef::Window() const { return m_control != nullptr ? m_control->Handle() : m_window; }

HFONT ParentRef::Font() const
{
    if (m_control != nullptr) return m_control->Font();
    return reinterpret_cast<HFONT>(SendMessageA(m_window, WM_GETFONT, 0, 0));
}

TWinControl::~TWinControl()
{
    // The children's windows go with this one; their objects may outlive it.
    for (TWinControl* child : m_windowed)
        child->m_parent = nullptr;
    for (TGraphicControl* child : m_graphics)
        child->m_parent = nullptr;
    m_windowed.clear();
    m_graphics.clear();
    if (m_hwnd == nullptr) return;
    HWND window = std::exchange(m_hwnd, nullptr);
    DestroyWindow(window);
}

HWND TWinControl::Handle() const
{
    if (m_hwnd == nullptr) const_cast<TWinControl*>(this)->MakeHandle();
    return m_hwnd;
}

void TWinControl::MakeHandle()
{
    HWND parent = Parent() != nullptr ? Parent()->Handle() : m_foreignParent;
    CreateWindowHandle(parent);
    CheckWin32(m_hwnd != nullptr, "CreateWindowExA");
    PlaceInZOrder();
    WindowCreated();
}

void TWinControl::PlaceOn(const ParentRef& parent)
{
    SetParentRef(parent);
    if (parent.Control() == nullptr) m_foreignParent = parent.Window();
    // A control stands at its parent's scale; on a window not ours, at that window's monitor's.
    if (parent.Control() != nullptr) {
        m_dpi = parent.Control()->Dpi();
    } else if (m_foreignParent != nullptr) {
        m_dpi = WindowDpi(m_foreignParent);
    }
}

void TWinControl::ScaleBy(int newDpi, int oldDpi)
{
    m_dpi = newDpi;
    // A top-level window's frame is the form's to size.
    if ((m_style & WS_CHILD) != 0) {
        m_bounds = ScaledBounds(m_design, newDpi);
        if (m_hwnd != nullptr) {
            SetWindowPos(m_hwnd, nullptr, m_bounds.left, m_bounds.top, m_bounds.width, m_bounds.height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    ScaleFont();
    // Copies: a child may place or remove others as it scales.
    const std::vector<TWinControl*> windowed = m_windowed;
    const std::vector<TGraphicControl*> graphics = m_graphics;
    for (TWinControl* child : windowed)
        child->ScaleBy(newDpi, oldDpi);
    for (TGraphicControl* child : graphics)
        child->ScaleBy(newDpi, oldDpi);
    ScaleMetrics(newDpi, oldDpi);
    Invalidate();
}

void TWinControl::ScaleFont() {}

void TWinControl::CreateWhenShown()
{
    const bool parentShowing = Parent() != nullptr ? Parent()->m_childrenShown : m_foreignParent != nullptr;
    if (parentShowing && m_visible) ShowChildren();
}

void TWinControl::ShowChildren()
{
    if (m_childrenShown) return;
    Handle();
    m_childrenShown = true;
    // A child's window may place more children here as it is made (a page built when shown).
    for (size_t i = 0; i < m_windowed.size(); ++i) {
        if (m_windowed[i]->m_visible) m_windowed[i]->ShowChildren();
    }
    ChildrenShown();
}

void TWinControl::WindowCreated() {}
void TWinControl::ChildrenShown() {}

DWORD TWinControl::CreationStyle() const
{
    DWORD style = m_style & ~static_cast<DWORD>(WS_VISIBLE | WS_DISABLED);
    if (m_visible) style |= WS_VISIBLE;
    if (!m_enabled) style |= WS_DISABLED;
    return style;
}

void TWinControl::PlaceInZOrder() const
{
    // Windows puts a new child below its siblings: right when every sibling after this one in
    // the z-order is still to be made, as when a form makes its windows in order.
    const TWinControl* parent = Parent();
    if (parent == nullptr) return;
    const auto& siblings = parent->m_windowed;
    const auto self = std::find(siblings.begin(), siblings.end(), this);
    if (self == siblings.end()) return;
    if (std::none_of(self + 1, siblings.end(), [](const TWinControl* c) { return c->m_hwnd != nullptr; })) return;
    HWND above = HWND_TOP;
    for (auto sibling = siblings.begin(); sibling != self; ++sibling) {
        if ((*sibling)->m_hwnd != nullptr) above = (*sibling)->m_hwnd;
    }
    SetWindowPos(m_hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
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

bool TWinControl::Visible() const
{
    if (m_hwnd != nullptr) return IsWindowVisible(m_hwnd) != FALSE;
    return m_visible && Parent() != nullptr && Parent()->Visible();
}

void TWinControl::SetVisible(bool visible)
{
    m_visible = visible;
    if (m_hwnd != nullptr) ShowWindow(m_hwnd, visible ? SW_SHOW : SW_HIDE);
    if (visible && Parent() != nullptr && Parent()->m_childrenShown) ShowChildren();
}

bool TWinControl::Enabled() const { return m_hwnd != nullptr ? IsWindowEnabled(m_hwnd) != FALSE : m_enabled; }

void TWinControl::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    if (m_hwnd != nullptr) EnableWindow(m_hwnd, enabled ? TRUE : FALSE);
}

std::string TWinControl::Text() const
{
    if (m_hwnd == nullptr) return m_text;
    std::string text(static_cast<size_t>(GetWindowTextLengthA(m_hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(m_hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TWinControl::SetText(const std::string& text)
{
    m_text = text;
    if (m_hwnd != nullptr) SetWindowTextA(m_hwnd, text.c_str());
}

Bounds TWinControl::GetBounds() const
{
    if (m_hwnd == nullptr) return m_bounds;
    RECT rect;
    GetWindowRect(m_hwnd, &rect);
    const bool child = (GetWindowLongPtrA(m_hwnd, GWL_STYLE) & WS_CHILD) != 0;
    MapWindowPoints(nullptr, child ? GetParent(m_hwnd) : nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void TWinControl::SetBounds(const Bounds& bounds)
{
    KeepBounds(bounds);
    if (m_hwnd == nullptr) return;
    SetWindowPos(m_hwnd, nullptr, bounds.left, bounds.top, bounds.width, bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT TWinControl::Font() const
{
    if (m_hwnd != nullptr) return reinterpret_cast<HFONT>(SendMessageA(m_hwnd, WM_GETFONT, 0, 0));
    return KeptFont();
}

HFONT TWinControl::KeptFont() const
{
    if (m_font == nullptr && Parent() == nullptr && m_foreignParent != nullptr) {
        return reinterpret_cast<HFONT>(SendMessageA(m_foreignParent, WM_GETFONT, 0, 0));
    }
    return TBaseControl::Font();
}

void TWinControl::SetFont(HFONT font)
{
    m_font = DesignFont(font);
    if (m_hwnd != nullptr) SendMessageA(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(ScaledFont(m_font, m_dpi)), TRUE);
}

void TWinControl::Invalidate()
{
    if (m_hwnd != nullptr) InvalidateRect(m_hwnd, nullptr, TRUE);
}

void TWinControl::SetStyle(DWORD add, DWORD remove)
{
    m_style = (m_style & ~remove) | add;
    if (m_hwnd == nullptr) return;
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(m_hwnd, GWL_STYLE));
    SetWindowLongPtrA(m_hwnd, GWL_STYLE, static_cast<LONG_PTR>((style & ~remove) | add));
}

void TWinControl::ZOrderChanged(bool toBack)
{
    if (m_hwnd == nullptr) return;
    SetWindowPos(m_hwnd, toBack ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::AddChild(TBaseControl& child)
{
    if (auto* windowed = dynamic_cast<TWinControl*>(&child)) {
        m_windowed.push_back(windowed);
    } else if (auto* graphic = dynamic_cast<TGraphicControl*>(&child)) {
        m_graphics.push_back(graphic);
    }
}

void TWinControl::RemoveChild(TBaseControl& child) noexcept
{
    std::erase(m_windowed, &child);
    std::erase(m_graphics, &child);
    if (m_pressed == &child) m_pressed = nullptr;
}

namespace {
template <typename T>
void MoveToEnd(std::vector<T*>& list, TBaseControl& child, bool toBack)
{
    const auto found = std::find(list.begin(), list.end(), &child);
    if (found == list.end()) return;
    T* item = *found;
    list.erase(found);
    list.insert(toBack ? list.end() : list.begin(), item);
}
}  // namespace

void TWinControl::Reorder(TBaseControl& child, bool toBack)
{
    MoveToEnd(m_windowed, child, toBack);
    MoveToEnd(m_graphics, child, toBack);
}

TGraphicControl* TWinControl::GraphicAt(POINT client) const
{
    for (TGraphicControl* graphic : m_graphics) {
        if (graphic->m_visible && graphic->TakesMouse() && graphic->Contains(client)) return graphic;
    }
    return nullptr;
}

void TWinControl::PaintGraphics(HDC dc, const RECT& update) const
{
    // From the bottom of the z-order up, so the one on top is painted last.
    for (auto graphic = m_graphics.rbegin(); graphic != m_graphics.rend(); ++graphic) {
        if ((*graphic)->m_visible) (*graphic)->PaintOn(dc, update);
    }
}

LRESULT TWinControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!m_graphics.empty() && MouseOverGraphics(message, wParam, lParam, result)) return result;
    // The painted labels show or hide their access keys with the window's.
    if (message == WM_UPDATEUISTATE && !m_graphics.empty()) InvalidateRect(m_hwnd, nullptr, TRUE);
    if (message == WM_GETOBJECT && AnswerAccessibleObject(*this, wParam, lParam, result)) return result;
    return MessageHandler::HandleMessage(message, wParam, lParam);
}

bool TWinControl::MouseOverGraphics(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_NCHITTEST: {
        // A window that lets the mouse through (the group box) still takes it over a painted
        // control that acts on it.
        result = DefaultMessage(message, wParam, lParam);
        POINT client = at;
        ScreenToClient(m_hwnd, &client);
        if (result == HTTRANSPARENT && GraphicAt(client) != nullptr) result = HTCLIENT;
        return true;
    }
    case WM_SETCURSOR: {
        if (ScreenCursor() != TCursor::crDefault) return false;
        if (reinterpret_cast<HWND>(wParam) != m_hwnd || LOWORD(lParam) != HTCLIENT) return false;
        POINT client{};
        GetCursorPos(&client);
        ScreenToClient(m_hwnd, &client);
        const TGraphicControl* graphic = GraphicAt(client);
        if (graphic == nullptr || graphic->Cursor() == TCursor::crDefault) return false;
        SetCursor(CursorHandle(graphic->Cursor()));
        result = TRUE;
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        m_pressed = GraphicAt(at);
        if (m_pressed == nullptr) return false;
        SetCapture(m_hwnd);
        return true;
    case WM_LBUTTONUP: {
        if (m_pressed == nullptr) return false;
        TGraphicControl* pressed = std::exchange(m_pressed, nullptr);
        if (GetCapture() == m_hwnd) ReleaseCapture();
        // A click is a press and a release on the same control.
        if (GraphicAt(at) == pressed) pressed->Click();
        return true;
    }
    }
    return false;
}

bool TWinControl::HandleCommand(WORD) { return false; }
bool TWinControl::HandleNotify(NMHDR&, LRESULT&) { return false; }
HBRUSH TWinControl::HandleCtlColor(HDC) { return nullptr; }

void TWinControl::SystemColorsChanged()
{
    for (TWinControl* child : m_windowed) {
        // The common controls keep colours of their own and need the message passed on.
        if (child->HandleAllocated()) SendMessageA(child->Handle(), WM_SYSCOLORCHANGE, 0, 0);
        child->SystemColorsChanged();
    }
}
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
        if (brush == nullptr && onThis && Color() != kParentColor) brush = Background(dc);
        if (brush == nullptr) return false;
        result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
    case WM_INITMENUPOPUP:
        // Windows goes on with the menu as usual; this only fills it first.
        TMenuItem::PrepareSubmenu(reinterpret_cast<HMENU>(wParam), LOWORD(lParam));
        return false;
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        result = TRUE;
        return item->CtlType == ODT_MENU && TMenuItem::MeasureImage(*item, Dpi());
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        result = TRUE;
        if (item->CtlType == ODT_MENU) return TMenuItem::DrawImage(*item, Dpi());
        TControl* control = TControl::FromHandle(item->hwndItem);
        return control != nullptr && control->HandleDrawItem(*item);
    }
    }
    return false;
}

TWindow::~TWindow()
{
    // Unbind first: the messages of the destruction must not reach a half-destroyed object.
    if (HandleAllocated()) SetWindowLongPtrA(Handle(), GWLP_USERDATA, 0);
}

void TWindow::Init(const WindowClass& windowClass, DWORD style, DWORD exStyle, const ParentRef& parent,
                   const Bounds& bounds, const std::string& text)
{
    m_class = windowClass;
    m_style = style;
    m_exStyle = exStyle;
    m_text = text;
    m_visible = (style & WS_VISIBLE) != 0;
    if ((style & WS_CHILD) == 0) {
        // A top-level window's parent is its owner, not a window it is placed on. It is made
        // at its design size; the form scales it to its monitor once its controls are placed.
        m_bounds = m_design = bounds;
        m_ownerWindow = parent.Window();
        Handle();
        return;
    }
    PlaceOn(parent);
    SetDesignBounds(bounds);
    CreateWhenShown();
}

void TWindow::CreateWindowHandle(HWND parent)
{
    static std::set<std::string> registered;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (registered.count(m_class.name) == 0) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = m_class.style;
        wc.lpfnWndProc = &TWindow::WindowProc;
        wc.hInstance = instance;
        wc.hIcon = m_class.icon;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = m_class.background;
        wc.lpszClassName = m_class.name;
        CheckWin32(RegisterClassExA(&wc) != 0, "RegisterClassExA");
        registered.insert(m_class.name);
    }
    if (parent == nullptr) parent = m_ownerWindow;
    CreateWindowExA(m_exStyle, m_class.name, m_text.c_str(), CreationStyle(), m_bounds.left, m_bounds.top,
                    m_bounds.width, m_bounds.height, parent, nullptr, instance, this);
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
    return Guarded([&] { return self->HandleMessage(message, wParam, lParam); }, LRESULT{0},
                   ErrorShownFor(message, lParam));
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ReflectMessage(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_SETFONT:
        m_font = DesignFont(reinterpret_cast<HFONT>(wParam));
        if (LOWORD(lParam) != 0) Invalidate();
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(TBaseControl::Font());
    case WM_PAINT:
        if (!HasGraphics()) break;
        {
            PaintDc paint(Handle());
            PaintGraphics(paint.get(), paint.Update());
        }
        return 0;
    }
    return TWinControl::HandleMessage(message, wParam, lParam);
}

LRESULT TWindow::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(Handle(), message, wParam, lParam);
}

bool TWindow::EraseBackground(HDC dc)
{
    if (Color() == kParentColor) return false;
    RECT client;
    GetClientRect(Handle(), &client);
    FillBackground(dc, client);
    return true;
}

void TPaintedWindow::InitPainted(const char* className, DWORD style, DWORD exStyle, const ParentRef& parent,
                                 const Bounds& bounds)
{
    WindowClass windowClass;
    windowClass.name = className;
    windowClass.background = nullptr;
    Init(windowClass, style, exStyle, parent, bounds, {});
}

LRESULT TPaintedWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT) return TWindow::HandleMessage(message, wParam, lParam);
    PaintDc paint(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    Paint(paint.get(), client);
    PaintGraphics(paint.get(), paint.Update());
    return 0;
}

bool TPaintedWindow::EraseBackground(HDC) { return true; }
