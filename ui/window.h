#pragma once
// The windows of the toolkit. TWinControl is the one base of every window bound to an object:
// the forms, pages and painted controls of our own classes (TWindow, below) and the controls
// built on Windows' own classes (TControl, ui/control.h). Every message reaches the object's
// HandleMessage inside the program's error boundary.
#include <windows.h>

#include <string>

#include "core/handles.h"
#include "ui/messagehandler.h"

// A place in pixels relative to the parent's client area.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Colour value meaning "no colour of its own": the window shows its parent's background (the
// button face of forms and pages).
inline constexpr COLORREF ParentColor = CLR_INVALID;

class TWinControl : public MessageHandler {
public:
    // Destroys the window; derived classes unbind it from themselves first.
    ~TWinControl() override;

    HWND Handle() const noexcept { return m_hwnd; }
    // The object bound to a window of ours (one of our classes or a control), or null.
    static TWinControl* FromHandle(HWND window) noexcept;

    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    std::string Text() const;
    void SetText(const std::string& text);
    Bounds GetBounds() const;
    void SetBounds(const Bounds& bounds);
    HFONT Font() const;
    void SetFont(HFONT font);
    void Invalidate();
    // Z-order among the siblings. Children are created below the ones made before them.
    void SendToBack();
    void BringToFront();

    // The background: a colour of its own, or ParentColor.
    COLORREF Color() const noexcept { return m_color; }
    void SetColor(COLORREF color);
    // Sets the device context's background to what the window shows (its own colour, else the
    // button face) and returns the brush that paints it.
    HBRUSH Background(HDC dc) const;
    void FillBackground(HDC dc, const RECT& rect) const;

    // Reflected from the parent; each returns true when it handled the message.
    virtual bool HandleCommand(WORD code);
    virtual bool HandleNotify(NMHDR& header, LRESULT& result);
    // The brush for a child control's WM_CTLCOLOR*, or null for the default colours.
    virtual HBRUSH HandleCtlColor(HDC dc);
    virtual bool HandleDrawItem(DRAWITEMSTRUCT& item);

protected:
    TWinControl() = default;
    void Bind(HWND window) noexcept { m_hwnd = window; }
    HWND MessageWindow() const noexcept override { return m_hwnd; }

    // What every parent does for its children: hands control notifications, control colours,
    // owner-drawn items and menu commands to the objects behind them. Children without a colour
    // of their own stand on this window's. Returns true when the message was taken; `result` is
    // then the answer.
    bool ReflectMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    HWND m_hwnd = nullptr;
    COLORREF m_color = ParentColor;
    UniqueGdiObject m_brush;
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
    // Registers the class on first use and creates the window bound to this object.
    void CreateHandle(const WindowClass& windowClass, DWORD style, DWORD exStyle, HWND parent, const Bounds& bounds,
                      const std::string& text);

    // Reflects the children's notifications and keeps the font, then the typed members.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A window with a colour of its own shows it in place of its class's background.
    bool EraseBackground(HDC dc) override;

private:
    friend class TWinControl;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HFONT m_font = nullptr;
};

// A window that paints all of itself (shapes, pictures, panels, the grid): no background is
// erased, which would only flicker, and WM_PAINT comes to Paint.
class TPaintedWindow : public TWindow {
protected:
    // Creates the window of a painted class, registered without a background brush.
    void CreatePainted(const char* className, DWORD style, DWORD exStyle, HWND parent, const Bounds& bounds);
    virtual void Paint(HDC dc, const RECT& client) = 0;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool EraseBackground(HDC dc) override;
};
