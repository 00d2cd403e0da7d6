#include "support/timedsteps.h"

#include <utility>

#include "core/handles.h"

TimedSteps::TimedSteps(std::vector<Step> steps, UINT interval, std::function<bool()> ready,
                       std::function<void()> finished)
    : m_steps(std::move(steps)), m_ready(std::move(ready)), m_finished(std::move(finished))
{
    m_timer.onTimer = [this] {
        if (m_ready && !m_ready()) return;
        if (m_next < m_steps.size()) {
            ++m_running;
            ScopeExit returned([this] { --m_running; });
            m_steps[m_next++]();
            return;
        }
        // A step that runs a loop of its own (a menu, a box) lets the next ticks in, and a later
        // step may act inside it; but the end is judged only once every step has returned, or
        // it would find the dialog still held open by the step that is running.
        if (m_running > 0) return;
        m_timer.SetEnabled(false);
        if (m_finished) m_finished();
    };
    m_timer.SetInterval(interval);
    m_timer.SetEnabled(true);
}
