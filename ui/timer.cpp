#include "ui/timer.h"

#include <map>

#include "core/errorbox.h"

namespace {
// Thread timers carry no data of their own, so the running ones are found by id.
std::map<UINT_PTR, TTimer*>& RunningTimers()
{
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}
}  // namespace

TTimer::~TTimer()
{
    if (m_id != 0) {
        KillTimer(nullptr, m_id);
        RunningTimers().erase(m_id);
    }
}

void TTimer::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    Restart();
}

void TTimer::SetInterval(uint32_t milliseconds)
{
    m_interval = milliseconds;
    Restart();
}

void TTimer::Restart()
{
    if (m_id != 0) {
        KillTimer(nullptr, m_id);
        RunningTimers().erase(m_id);
        m_id = 0;
    }
    if (!m_enabled || m_interval == 0) return;
    m_id = SetTimer(nullptr, 0, m_interval, &TTimer::TimerProc);
    if (m_id != 0) RunningTimers()[m_id] = this;
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    auto found = RunningTimers().find(id);
    if (found == RunningTimers().end()) return;
    TTimer* timer = found->second;
    Guarded(
        [timer] {
            const auto handler = timer->onTimer;  // the handler may stop or destroy the timer
            if (handler) handler();
            return true;
        },
        false, ErrorShown::Later);
}
