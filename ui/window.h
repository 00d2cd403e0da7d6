#pragma once
// One C++ object per window of our own classes (forms, pages, panels, painted controls):
// `this` travels through CreateWindowEx, is stored in GWLP_USERDATA at WM_NCCREATE and
// cleared at WM_NCDESTROY; every message then reaches the object's HandleMessage inside the
// program's error boundary.
#include <windows.h>

#include <string>

// A place in pixels relative to the parent's client area.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class TWindow {
public:
    // The class a window of ours is registered with, on first use.
    struct WindowClass {
        const char* name = nullptr;
        HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        HICON icon = nullptr;
        UINT style = CS_DBLCLKS;
    };

    TWindow() = default;
    virtual ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    HWND Handle() const noexcept { return m_hwnd; }
    // The object bound to a window of one of our classes, or null.
    static TWindow* FromHandle(HWND window) noexcept;

    bool Visible() const;
    void SetVisible(bool visible);
    std::string Text() const;
    void SetText(const std::string& text);
    Bounds GetBounds() const;
    void SetBounds(const Bounds& bounds);
    HFONT Font() const noexcept { return m_font; }
    void SetFont(HFONT font);
    void Invalidate();
    // Z-order among the siblings. Children are created below the ones made before them.
    void SendToBack();
    void BringToFront();

protected:
    // Registers the class on first use and creates the window bound to this object.
    void CreateHandle(const WindowClass& windowClass, DWORD style, DWORD exStyle, HWND parent, const Bounds& bounds,
                      const std::string& text);

    // The window's message switch; derived windows handle theirs and pass the rest on.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // What every window of ours does with a message it does not handle itself: reflect
    // notifications to the control objects, keep the font, then DefWindowProc.
    LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    HFONT m_font = nullptr;
};
