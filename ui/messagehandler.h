#pragma once
// The typed layer under every message procedure of the toolkit (our windows, the controls and
// the subclasses): HandleMessage unpacks the messages the toolkit handles once into typed
// arguments and hands them to members named for what happens; what those leave, and every
// other message, goes on to DefaultMessage.
#include <windows.h>

#include "ui/cursor.h"

class MessageHandler {
public:
    MessageHandler() = default;
    virtual ~MessageHandler() = default;
    MessageHandler(const MessageHandler&) = delete;
    MessageHandler& operator=(const MessageHandler&) = delete;

protected:
    // The message switch. A derived handler takes the messages it needs and passes the rest to
    // its base's HandleMessage (not straight to DefaultMessage), so the typed members are reached.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // What the window does without us: its class's procedure, DefWindowProc or the next subclass.
    virtual LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The window these messages are for.
    virtual HWND MessageWindow() const noexcept = 0;

    // Each returns true when it took the message; false lets the default have it.
    virtual bool EraseBackground(HDC dc);
    // The pointer is over the client area and no screen cursor is set: the cursor to show there,
    // or crDefault for the window class's own.
    virtual TCursor CursorAt(POINT client);
    // The context menu is asked for at a screen point; (-1, -1) when asked from the keyboard.
    virtual bool ContextPopup(POINT screen);
    // A key pressed (WM_KEYDOWN), or pressed with Alt or as F10 (WM_SYSKEYDOWN). Taking it
    // keeps it from the window.
    virtual bool KeyDown(WORD key);
    virtual bool SysKeyDown(WORD key);
    // A character typed (WM_CHAR) or composed by an input method (WM_IME_CHAR).
    virtual bool KeyPress(WPARAM character);

    // Told after the window has handled them itself.
    virtual void KeyUp(WORD key);
    virtual void Enter();  // the window got the keyboard focus
    virtual void Exit();   // the window lost it
};
