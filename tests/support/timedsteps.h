#pragma once
// A dialog or menu runs its own message loop: a test drives it from a timer, which that loop
// runs. TimedSteps runs one step per tick, so what an earlier step posted has been handled
// when the next one starts; a tick before `ready` holds (the dialog not up yet) waits for the
// next. `finished` runs on the first tick after the last step at which no step is running.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <vector>

#include "ui/timer.h"

using Step = std::function<void()>;

class TimedSteps {
public:
    explicit TimedSteps(std::vector<Step> steps, UINT interval = 10, std::function<bool()> ready = {},
                        std::function<void()> finished = {});
    TimedSteps(const TimedSteps&) = delete;
    TimedSteps& operator=(const TimedSteps&) = delete;

    size_t Ran() const noexcept { return m_next; }
    bool AllRan() const noexcept { return m_next == m_steps.size(); }
    void Stop() { m_timer.SetEnabled(false); }

private:
    std::vector<Step> m_steps;
    std::function<bool()> m_ready;
    std::function<void()> m_finished;
    size_t m_next = 0;
    int m_running = 0;  // steps that have not returned yet
    TTimer m_timer;
};
