#pragma once
// A subclass of a window that is not ours to bind (a control with its own object, the main
// window seen from a component): installed with SetWindowSubclass in the constructor, removed
// in the destructor or when the window goes first. Every message reaches HandleMessage, and
// through it the typed members, inside the program's error boundary.
#include <windows.h>

#include "ui/messagehandler.h"

class TSubclass : public MessageHandler {
public:
    // Raises when the window cannot be subclassed.
    explicit TSubclass(HWND window);
    ~TSubclass() override;

    // The subclassed window; null once it is destroyed.
    HWND Window() const noexcept { return m_window; }

protected:
    // The next procedure in the window's chain.
    LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND MessageWindow() const noexcept override { return m_window; }

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);

    HWND m_window;
};
