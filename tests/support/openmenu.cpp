#include "support/openmenu.h"

#include "support/input.h"

#include <utility>

OpenMenuWatch::OpenMenuWatch(std::function<void(HWND menuWindow)> whileOpen, UINT interval, bool endMenu)
    : m_whileOpen(std::move(whileOpen))
{
    m_timer.onTimer = [this, endMenu] {
        const HWND menu = FindWindowA("#32768", nullptr);
        const bool shown = menu != nullptr && IsWindowVisible(menu);
        if (m_handedOver) {
            m_timer.SetEnabled(false);
            m_leftOpen = shown;
            if (shown) EndMenu();
            return;
        }
        m_seen = shown;
        if (!m_seen && ++m_looks < 1000) return;
        if (m_seen && m_whileOpen) m_whileOpen(menu);
        m_handedOver = m_seen && !endMenu;
        if (m_handedOver) return;
        m_timer.SetEnabled(false);
        EndMenu();
    };
    m_timer.SetInterval(interval);
    m_timer.SetEnabled(true);
}

HMENU OpenMenuWatch::MenuOf(HWND menuWindow)
{
    return reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
}

std::function<void(HWND menuWindow)> PressingKeys(std::vector<WORD> keys)
{
    return [keys = std::move(keys)](HWND menu) {
        for (WORD key : keys) {
            PostKey(menu, key, true);
            PostKey(menu, key, false);
        }
    };
}
