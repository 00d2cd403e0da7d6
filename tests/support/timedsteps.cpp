#include "support/timedsteps.h"

#include <utility>

TimedSteps::TimedSteps(std::vector<Step> steps, UINT interval, std::function<bool()> ready,
                       std::function<void()> finished)
    : m_steps(std::move(steps)), m_ready(std::move(ready)), m_finished(std::move(finished))
{
    m_timer.onTimer = [this] {
        if (m_ready && !m_ready()) return;
        if (m_next < m_steps.size()) {
            m_steps[m_next++]();
            return;
        }
        m_timer.SetEnabled(false);
        if (m_finished) m_finished();
    };
    m_timer.SetInterval(interval);
    m_timer.SetEnabled(true);
}
