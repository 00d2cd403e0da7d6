#pragma once
// What the profile editor hears of single controls beyond their own events: keys pressed
// and released, and the focus arriving and leaving. A watch subclasses one control for as
// long as it lives.
#include <windows.h>

#include <functional>

class TKeyWatch {
public:
    explicit TKeyWatch(HWND control);
    ~TKeyWatch();
    TKeyWatch(const TKeyWatch&) = delete;
    TKeyWatch& operator=(const TKeyWatch&) = delete;

    // A key pressed, Alt held or not; returning true uses the key up, so the control never
    // sees it.
    std::function<bool(WORD key)> onKeyDown;
    std::function<void(WORD key)> onKeyUp;
    std::function<void()> onEnter;  // the control got the focus
    std::function<void()> onExit;   // the control lost the focus

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_control;
};
