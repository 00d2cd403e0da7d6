#pragma once
// What the profile editor hears of single controls beyond their own events: keys pressed
// and released, and the focus arriving and leaving. A watch subclasses one control for as
// long as it lives.
#include <windows.h>

#include <functional>

#include "ui/subclass.h"

class TKeyWatch : public TSubclass {
public:
    explicit TKeyWatch(HWND control) : TSubclass(control) {}

    // A key pressed, Alt held or not; returning true uses the key up, so the control never
    // sees it.
    std::function<bool(WORD key)> onKeyDown;
    std::function<void(WORD key)> onKeyUp;
    std::function<void()> onEnter;  // the control got the focus
    std::function<void()> onExit;   // the control lost the focus

protected:
    bool KeyDown(WORD key) override { return onKeyDown && onKeyDown(key); }
    bool SysKeyDown(WORD key) override { return KeyDown(key); }
    void KeyUp(WORD key) override
    {
        if (onKeyUp) onKeyUp(key);
    }
    void Enter() override
    {
        if (onEnter) onEnter();
    }
    void Exit() override
    {
        if (onExit) onExit();
    }
};
