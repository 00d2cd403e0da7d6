#pragma once
// The windows of the toolkit. TWinControl is the one base of every window bound to an object:
// the forms, pages and painted controls of our own classes (TWindow, below) and the controls
// built on Windows' own classes (TControl, ui/control.h). Every message reaches the object's
// HandleMessage inside the program's error boundary.
#include <windows.h>

#include <string>
#include <vector>

#include "core/handles.h"
#include "ui/basecontrol.h"
#include "ui/dpi.h"
#include "ui/messagehandler.h"

class TGraphicControl;

class TWinControl : public TBaseControl, public MessageHandler {
public:
    // Destroys the window; derived classes unbind it from themselves first.
    ~TWinControl() override;

    // The window, made now (with its parents') when it has not been made yet.
    HWND Handle() const;
    bool HandleAllocated() const noexcept { return m_hwnd != nullptr; }
    // The object bound to a window of ours (one of our classes or a control), or null.
    static TWinControl* FromHandle(HWND window) noexcept;

    bool Visible() const override;
    void SetVisible(bool visible) override;
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;
    std::string Text() const override;
    void SetText(const std::string& text) override;
    Bounds GetBounds() const override;
    void SetBounds(const Bounds& bounds) override;
    HFONT Font() const override;
    void SetFont(HFONT font) override;
    void Invalidate() override;
    int Dpi() const override { return m_dpi; }
    // Scales its place (a child's), its font and its children, then ScaleMetrics.
    void ScaleBy(int newDpi, int oldDpi) override;
    // Takes window styles away, then adds others; on the window too when it has been made.
    void SetStyle(DWORD add, DWORD remove);

    // Makes the windows of the visible controls on this one, and from now on makes each
    // control's window as it is placed here or shown: what a form does when it is first shown.
    void ShowChildren();

    // The system's colours or theme changed: this control and those on it take theirs again.
    virtual void SystemColorsChanged();

    // Reflected from the parent; each returns true when it handled the message.
    virtual bool HandleCommand(WORD code);
    virtual bool HandleNotify(NMHDR& header, LRESULT& result);
    // The brush for a child control's WM_CTLCOLOR*, or null for the default colours.
    virtual HBRUSH HandleCtlColor(HDC dc);
    virtual bool HandleDrawItem(DRAWITEMSTRUCT& item);

    // The controls placed here, each list from the top of the z-order down.
    const std::vector<TWinControl*>& WindowedChildren() const noexcept { return m_windowed; }
    const std::vector<TGraphicControl*>& GraphicChildren() const noexcept { return m_graphics; }
    void AddChild(TBaseControl& child);
    void RemoveChild(TBaseControl& child) noexcept;
    void Reorder(TBaseControl& child, bool toBack);
    // The painted control at a client point that takes the mouse, or null.
    TGraphicControl* GraphicAt(POINT client) const;
    // Paints the painted controls that lie in `update` (client coordinates).
    void PaintGraphics(HDC dc, const RECT& update) const;
    bool HasGraphics() const noexcept { return !m_graphics.empty(); }

protected:
    TWinControl() = default;
    void Bind(HWND window) noexcept { m_hwnd = window; }
    HWND MessageWindow() const noexcept override { return m_hwnd; }

    // Places the control on its parent: one of ours, or any window.
    void PlaceOn(const ParentRef& parent);
    // Makes the window now when the parent shows its children, or when the parent is a window
    // that is not ours; otherwise when first needed. The concrete control calls it last.
    void CreateWhenShown();
    // Makes the window, bound to this object, in the given parent window from the kept state
    // (m_bounds, m_text, m_visible, m_enabled): the concrete classes' CreateWindowEx.
    virtual void CreateWindowHandle(HWND parent) = 0;
    // The window was just made: gives it what the control kept besides the common state.
    virtual void WindowCreated();
    // The windows of the visible controls on this one have just been made (once).
    virtual void ChildrenShown();
    // The font the window is made with: its own, or the one it stands on.
    HFONT KeptFont() const;
    // The style the window is made with; the kept visibility and enabling are applied to it.
    DWORD CreationStyle() const;
    // Shows the font at the control's new DPI; windows of ours ask for it as they paint.
    virtual void ScaleFont();
    void SetDpi(int dpi) noexcept { m_dpi = dpi; }

    // Takes the mouse and cursor messages over the painted controls, then the typed members.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // What every parent does for its children: hands control notifications, control colours,
    // owner-drawn items and menu commands to the objects behind them. Children without a colour
    // of their own stand on this window's. Returns true when the message was taken; `result` is
    // then the answer.
    bool ReflectMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void ZOrderChanged(bool toBack) override;

    DWORD m_style = 0;
    DWORD m_exStyle = 0;

private:
    void MakeHandle();
    void PlaceInZOrder() const;
    bool MouseOverGraphics(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND m_hwnd = nullptr;
    int m_dpi = kDesignDpi;
    HWND m_foreignParent = nullptr;  // a parent window that is not ours
    bool m_childrenShown = false;
    std::vector<TWinControl*> m_windowed;
    std::vector<TGraphicControl*> m_graphics;
    TGraphicControl* m_pressed = nullptr;  // took the left button down
};

// A window of one of our own classes: `this` travels through CreateWindowEx, is stored in
// GWLP_USERDATA at WM_NCCREATE and cleared at WM_NCDESTROY.
class TWindow : public TWinControl {
public:
    // The class a window of ours is registered with, on first use.
    struct WindowClass {
        const char* name = nullptr;
        HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        HICON icon = nullptr;
        UINT style = CS_DBLCLKS;
    };

    TWindow() = default;
    ~TWindow() override;

protected:
    // A top-level window is made at once; a child window (WS_CHILD) when first needed.
    void Init(const WindowClass& windowClass, DWORD style, DWORD exStyle, const ParentRef& parent, const Bounds& bounds,
              const std::string& text);
    void CreateWindowHandle(HWND parent) override;

    // Reflects the children's notifications, keeps the font and paints the painted controls,
    // then the typed members.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A window with a colour of its own shows it in place of its class's background.
    bool EraseBackground(HDC dc) override;

private:
    friend class TWinControl;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WindowClass m_class;
    HWND m_ownerWindow = nullptr;  // a top-level window's owner
};

// A window that paints all of itself (panels, the grid): no background is erased, which would
// only flicker, and WM_PAINT comes to Paint.
class TPaintedWindow : public TWindow {
protected:
    // Places a window of a painted class, registered without a background brush.
    void InitPainted(const char* className, DWORD style, DWORD exStyle, const ParentRef& parent, const Bounds& bounds);
    virtual void Paint(HDC dc, const RECT& client) = 0;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool EraseBackground(HDC dc) override;
};
