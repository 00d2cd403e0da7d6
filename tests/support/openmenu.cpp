#include "support/openmenu.h"

#include <utility>

OpenMenuWatch::OpenMenuWatch(std::function<void(HWND menuWindow)> whileOpen, UINT interval)
    : m_whileOpen(std::move(whileOpen))
{
    m_timer.onTimer = [this] {
        const HWND menu = FindWindowA("#32768", nullptr);
        m_seen = menu != nullptr && IsWindowVisible(menu);
        if (!m_seen && ++m_looks < 1000) return;
        m_timer.SetEnabled(false);
        if (m_seen && m_whileOpen) m_whileOpen(menu);
        EndMenu();
    };
    m_timer.SetInterval(interval);
    m_timer.SetEnabled(true);
}

HMENU OpenMenuWatch::MenuOf(HWND menuWindow)
{
    return reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
}
