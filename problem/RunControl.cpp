#include "problem/RunControl.h"

#include <utility>

namespace problem {

RunControl::RunControl(ProgressReport report, std::chrono::milliseconds interval)
    : m_report(std::move(report)), m_interval(interval),
      m_nextReport(std::chrono::steady_clock::now() + interval)
{
}

void RunControl::reportNow()
{
    if (m_report)
        m_report(m_progress);
}

void RunControl::lookAtClock()
{
    m_sinceClock = 0;
    if (!m_report)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now < m_nextReport)
        return;
    m_nextReport = now + m_interval;
    m_report(m_progress);
}

} // namespace problem
