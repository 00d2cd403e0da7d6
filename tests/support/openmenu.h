#pragma once
// For a test that opens a popup menu: a timer, which the menu's own loop runs, waits until the
// menu is on the screen, hands its window to `whileOpen`, then ends the menu. Ending it before
// it is up would end nothing and leave it open for ever, so the timer keeps looking (for about
// ten seconds at most) until the menu is there.
#include <windows.h>

#include <functional>
#include <vector>

#include "ui/timer.h"

class OpenMenuWatch {
public:
    // With `endMenu` false, `whileOpen` leaves the menu to close by itself, by the keys it posts.
    // Keys come before timer messages, so a menu still open at the next tick is one the keys did
    // not close: it is ended then, and LeftOpen() says so.
    explicit OpenMenuWatch(std::function<void(HWND menuWindow)> whileOpen = {}, UINT interval = 10,
                           bool endMenu = true);
    OpenMenuWatch(const OpenMenuWatch&) = delete;
    OpenMenuWatch& operator=(const OpenMenuWatch&) = delete;

    // Whether a menu was seen on the screen.
    bool Seen() const noexcept { return m_seen; }
    bool LeftOpen() const noexcept { return m_leftOpen; }
    // The menu shown in a menu window.
    static HMENU MenuOf(HWND menuWindow);

private:
    TTimer m_timer;
    std::function<void(HWND)> m_whileOpen;
    int m_looks = 0;
    bool m_seen = false;
    bool m_handedOver = false;
    bool m_leftOpen = false;
};

// For `whileOpen`: presses each key in turn in the menu, as a user types them.
std::function<void(HWND menuWindow)> PressingKeys(std::vector<WORD> keys);
