#include "andor/fast/PartsAhead.h"

#include <algorithm>
#include <chrono>
#include <system_error>

namespace andor {

namespace {

// How long the search waits for a part before it calls whileWaiting again: short enough that
// a stop asked for meanwhile is seen at once by a person.
constexpr std::chrono::milliseconds waitingStep{20};

} // namespace

PartsAhead::PartsAhead(std::size_t jobCount, Work work)
    : m_jobs(jobCount), m_work(std::move(work)), m_end(jobCount), m_current(jobCount)
{
    try {
        m_helper = std::thread([this] { help(); });
    } catch (const std::system_error&) {
        // No second thread: the search solves every part itself.
    }
}

PartsAhead::~PartsAhead()
{
    m_control.requestStop();
    {
        const std::lock_guard lock(m_mutex);
        m_end = 0;
    }
    if (m_helper.joinable())
        m_helper.join();
}

void PartsAhead::help()
{
    try {
        m_work(*this);
    } catch (...) {
        // Stopped, out of memory or of stack: the search solves what is left.
    }
    const std::lock_guard lock(m_mutex);
    endJob();
}

// Ends the second thread's job with the parts it solved.
void PartsAhead::endJob()
{
    if (m_current < m_jobs.size())
        m_jobs[m_current].state = JobState::Done;
    m_current = m_jobs.size();
    m_changed.notify_all();
}

std::optional<std::size_t> PartsAhead::nextJob()
{
    const std::lock_guard lock(m_mutex);
    endJob();
    while (m_end > m_next && m_jobs[m_end - 1].state != JobState::Open)
        --m_end;
    if (m_end <= m_next)
        return std::nullopt;
    m_current = --m_end;
    m_jobs[m_current].state = JobState::Helping;
    return m_current;
}

void PartsAhead::finish(std::size_t job, std::size_t half, Part part)
{
    {
        const std::lock_guard lock(m_mutex);
        m_jobs[job].parts[half] = std::move(part);
    }
    m_changed.notify_all();
}

void PartsAhead::waitUntilDone()
{
    if (m_helper.joinable())
        m_helper.join();
}

const PartsAhead::Part* PartsAhead::take(std::size_t job, std::size_t half,
                                         const std::function<void()>& whileWaiting)
{
    std::unique_lock lock(m_mutex);
    m_next = std::max(m_next, job + 1);
    Job& asked = m_jobs[job];
    if (asked.state == JobState::Open)
        asked.state = JobState::Claimed;
    while (asked.state == JobState::Helping && !asked.parts[half]) {
        if (m_changed.wait_for(lock, waitingStep) == std::cv_status::timeout) {
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    }
    return asked.parts[half] ? &*asked.parts[half] : nullptr;
}

} // namespace andor
