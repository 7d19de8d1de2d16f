#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "andor/fast/SolvedStates.h"
#include "problem/RunControl.h"

namespace andor {

// Solves pairs of parts of the search on a second thread while the search goes on. The search
// names its jobs by number and comes to them in that order; the second thread takes them from
// the last one down, up to where the search has come, and solves a job's first part, then its
// second. The search takes each part as it comes to it: solved, waited for while the second
// thread is at its job, or else solved by the search itself. A part's result depends only on
// the part and its demand, so what the search finds does not depend on which thread solved
// which part, nor on when.
class PartsAhead {
public:
    // A solved part: its state and the states below it, its own last, each part naming a state
    // by its place here; and the reading of the demand it was solved for.
    struct Part {
        std::vector<SolvedState> states;
        std::vector<std::int32_t> reading;
    };

    // Runs on the second thread: calls nextJob() until it gives none and finish() with the
    // parts of each job, stopping at a checkpoint of control() once the search ends. Whatever it
    // throws ends its help; the search then solves the parts left itself.
    using Work = std::function<void(PartsAhead& ahead)>;

    PartsAhead(std::size_t jobCount, Work work);
    ~PartsAhead();
    PartsAhead(const PartsAhead&) = delete;
    PartsAhead& operator=(const PartsAhead&) = delete;

    // For the second thread.
    problem::RunControl& control() { return m_control; }
    // The value the search noted last: a part that cannot raise it need not be solved.
    float searchValue() const { return m_searchValue.load(std::memory_order_relaxed); }
    std::optional<std::size_t> nextJob();
    void finish(std::size_t job, std::size_t half, Part part);

    // For the searching thread: part half (0 or 1) of job when the second thread solved it,
    // after waiting while it is at the job, valid while this object lives; nullptr when the
    // search must solve it. Asking for
    // a job the second thread has not taken keeps it from taking it. While the search waits,
    // whileWaiting is called now and then (to see whether it was asked to stop, for example).
    const Part* take(std::size_t job, std::size_t half, const std::function<void()>& whileWaiting);
    // Waits until the second thread has solved every job it may take.
    void waitUntilDone();
    // What the search's node is worth so far, for searchValue().
    void noteSearchValue(float value) { m_searchValue.store(value, std::memory_order_relaxed); }

private:
    enum class JobState { Open, Helping, Claimed, Done };

    struct Job {
        JobState state = JobState::Open;
        std::array<std::optional<Part>, 2> parts;
    };

    void help();
    void endJob();

    std::vector<Job> m_jobs;
    Work m_work;
    problem::RunControl m_control;
    std::atomic<float> m_searchValue{0.0f};
    std::mutex m_mutex; // guards m_jobs and the three places below
    std::condition_variable m_changed;
    std::size_t m_next = 0; // the search has come to every job before this one
    std::size_t m_end;      // the second thread has taken or passed every job from this one
    std::size_t m_current;  // the second thread's job, if below the job count
    std::thread m_helper;
};

} // namespace andor
