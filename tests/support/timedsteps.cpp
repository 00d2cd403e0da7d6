#include "support/timedsteps.h"

#include <utility>

TimedSteps::TimedSteps(std::vector<Step> steps) : TimedSteps(std::move(steps), Options{}) {}

TimedSteps::TimedSteps(std::vector<Step> steps, Options options)
    : m_steps(std::move(steps)), m_options(std::move(options))
{
    m_timer.onTimer = [this] {
        if (m_options.ready && !m_options.ready()) return;
        if (m_next < m_steps.size()) {
            m_steps[m_next++]();
            return;
        }
        m_timer.SetEnabled(false);
        if (m_options.finished) m_options.finished();
    };
    m_timer.SetInterval(m_options.interval);
    m_timer.SetEnabled(true);
}
