#pragma once
// Base of the controls built on Windows' own classes (buttons, statics, edits, combo boxes,
// tab and header controls). Each is subclassed with SetWindowSubclass and `this` (also kept
// in a window property), so the parent can reflect WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR* and WM_DRAWITEM to the object,
// which raises its named events (onClick, onChange, ...).
#include <windows.h>

#include <string>

#include "ui/window.h"

class TControl {
public:
    TControl() = default;
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    HWND Handle() const noexcept { return m_hwnd; }
    // The control object bound to a window, or null.
    static TControl* FromHandle(HWND window) noexcept;

    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    std::string Text() const;
    void SetText(const std::string& text);
    Bounds GetBounds() const;
    void SetBounds(const Bounds& bounds);
    void SetFont(HFONT font);
    HFONT Font() const;
    // Z-order among the siblings. Children are created below the ones made before them.
    void SendToBack();
    void BringToFront();
    void SetFocus();

    // Reflected from the parent; each returns true when it handled the message.
    virtual bool HandleCommand(WORD code);
    virtual bool HandleNotify(NMHDR& header, LRESULT& result);
    virtual HBRUSH HandleCtlColor(HDC dc);
    virtual bool HandleDrawItem(DRAWITEMSTRUCT& item);

protected:
    struct ControlArgs {
        const char* className = nullptr;
        DWORD style = 0;
        DWORD exStyle = 0;
        HWND parent = nullptr;
        Bounds bounds;
        std::string text;
        HFONT font = nullptr;  // null: the parent's font
        int id = 0;            // 0: a fresh id
    };
    void CreateHandle(const ControlArgs& args);

    // The subclass's message switch; the default passes everything to the control's class.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
};

// The part of every parent's message handling that hands control notifications, control
// colours, owner-drawn items and menu commands to the objects behind them. Returns true when
// the message was taken; `result` is then the answer.
bool ReflectMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
