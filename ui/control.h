#pragma once
// Base of the controls built on Windows' own classes (buttons, statics, edits, combo boxes,
// tab and header controls). Each control's window procedure is replaced by ours and its object
// kept in a table by window (not in a window property, and not with SetWindowSubclass: under
// Wine both cost a round trip to the server on every message). The parent reflects WM_COMMAND,
// WM_NOTIFY, WM_CTLCOLOR* and WM_DRAWITEM to the object, which raises its named events
// (onClick, onChange, ...).
#include <windows.h>

#include <string>

#include "ui/window.h"

class TControl : public TWinControl {
public:
    TControl() = default;
    ~TControl() override;

    // The control object bound to a window, or null.
    static TControl* FromHandle(HWND window) noexcept;

    void SetFocus();

protected:
    struct ControlArgs {
        const char* className = nullptr;
        DWORD style = 0;
        DWORD exStyle = 0;
        ParentRef parent;
        Bounds bounds;
        std::string text;
        HFONT font = nullptr;  // null: the parent's font
        int id = 0;            // 0: a fresh id
    };
    // Keeps what the window is made of and places the control; the window is made when the
    // parent shows its children or a caller needs it. The concrete control calls it last.
    void InitControl(const ControlArgs& args);
    void CreateWindowHandle(HWND parent) override;
    // The control's class keeps the font it was given: it is given the one at its new DPI.
    void ScaleFont() override;

    // The control's class procedure.
    LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    const char* m_className = nullptr;
    int m_id = 0;

    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
