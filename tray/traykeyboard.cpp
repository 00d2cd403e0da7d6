// The tray icon and the keyboard. With NOTIFYICON_VERSION_4 the notification area tells the
// icon when the user selects it by keyboard (NIN_KEYSELECT) and asks for its context menu
// (WM_CONTEXTMENU, Shift+F10 or the menu key), and puts the icon's anchor point in wParam
// ("Shell_NotifyIcon" and "NOTIFYICONDATA" documentation). After the menu the keyboard goes
// back to the window of ours that had it.
#include <windowsx.h>

#include <utility>

#include "tray/trayicon.h"
#include "ui/keyboardowner.h"

namespace {
POINT AnchorPoint(WPARAM anchor) { return {GET_X_LPARAM(anchor), GET_Y_LPARAM(anchor)}; }

POINT CursorPoint()
{
    POINT point{0, 0};
    GetCursorPos(&point);
    return point;
}

bool IsKeyboardTarget(HWND window)
{
    DWORD process = 0;
    return window != nullptr && GetWindowThreadProcessId(window, &process) != 0 && process == GetCurrentProcessId() &&
           IsWindowVisible(window) && IsWindowEnabled(window);
}
}  // namespace

HWND TTrayIcon::KeyboardWindow(HWND owner)
{
    HWND foreground = GetForegroundWindow();
    if (IsKeyboardTarget(foreground)) return foreground;
    // A click in the notification area makes the taskbar the foreground window; a dialog the
    // owner holds open is still the window the user works in.
    HWND dialog = owner != nullptr ? KeyboardOwnerOf(owner) : nullptr;
    return dialog != owner && IsKeyboardTarget(dialog) ? dialog : nullptr;
}

void TTrayIcon::HandleCallback(UINT event, WPARAM anchor)
{
    // In both layouts the event is lParam's low word.
    const POINT at = m_version4 ? AnchorPoint(anchor) : CursorPoint();
    switch (event) {
    case NIN_SELECT:
        // A mouse selection follows the button's messages, which did what a click does.
        if (!std::exchange(m_selectAnswered, false)) SelectByKeyboard(at);
        return;
    case NIN_KEYSELECT: SelectByKeyboard(at); return;
    case WM_CONTEXTMENU:
        if (!std::exchange(m_contextAnswered, false) && m_enabled) OpenPopupMenu(at);
        return;
    case WM_LBUTTONUP: m_selectAnswered = true; break;
    case WM_RBUTTONUP: m_contextAnswered = true; break;
    default: break;
    }
    HandleMouse(event);
}

void TTrayIcon::SelectByKeyboard(POINT at)
{
    if (!m_enabled) return;
    if (m_leftPopup) OpenPopupMenu(at);
    DoClick();
}
