#pragma once
// A timer that raises onTimer on the user-interface thread, inside the error boundary.
#include <windows.h>

#include <cstdint>
#include <functional>

class TTimer {
public:
    TTimer() = default;
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const noexcept { return m_enabled; }
    void SetEnabled(bool enabled);
    uint32_t Interval() const noexcept { return m_interval; }
    // Milliseconds between ticks; 0 never ticks.
    void SetInterval(uint32_t milliseconds);

    std::function<void()> onTimer;

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
    void Restart();

    bool m_enabled = false;
    uint32_t m_interval = 0;
    UINT_PTR m_id = 0;
};
