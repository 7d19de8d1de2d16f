#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

namespace problem {

// What a run has done so far, as its engine counts it; a field an engine does not count stays 0.
struct RunProgress {
    std::int64_t statesSolved = 0; // AND/OR search: node states computed
    std::int32_t pass = 0;         // Wang generation: the pass under way
    std::int64_t recordsKept = 0;  // Wang generation: records in the list
    std::int64_t buildsTried = 0;  // Wang generation: up to the last pass ended
};

// Thrown inside an engine whose run was asked to stop; the run's entry point turns it into a
// failure, and unwinding gives back everything the run held.
struct RunStopped {};

// Lets any thread stop a run and lets the run report its progress now and then. The engine
// calls checkpoint() often: it costs an atomic load and a count, and only every few hundred
// calls a look at the clock, so a stop is seen and a report made within milliseconds.
class RunControl {
public:
    using ProgressReport = std::function<void(const RunProgress&)>;

    // report, when given, is called on the run's thread about every interval.
    explicit RunControl(ProgressReport report = {},
                        std::chrono::milliseconds interval = std::chrono::milliseconds(250));

    // From any thread, including a signal handler: the run ends at its next checkpoint.
    void requestStop() noexcept { m_stopRequested.store(true, std::memory_order_relaxed); }
    bool stopRequested() const noexcept { return m_stopRequested.load(std::memory_order_relaxed); }

    // The counts the engine keeps up to date; read by the report.
    RunProgress& progress() noexcept { return m_progress; }

    // Throws RunStopped once a stop was requested; reports progress when it is due.
    void checkpoint()
    {
        if (stopRequested())
            throw RunStopped{};
        if (++m_sinceClock >= callsPerClockLook)
            lookAtClock();
    }

    // As checkpoint(), for engines whose checkpoints lie far apart: looks at the clock more
    // often.
    void sparseCheckpoint()
    {
        if (stopRequested())
            throw RunStopped{};
        if (++m_sinceClock >= sparseCallsPerClockLook)
            lookAtClock();
    }

    // Reports the progress now, if anyone listens.
    void reportNow();

private:
    // A look at the clock can cost as much as a system call.
    static constexpr int callsPerClockLook = 256;
    static constexpr int sparseCallsPerClockLook = 16;

    void lookAtClock();

    std::atomic<bool> m_stopRequested{false};
    static_assert(std::atomic<bool>::is_always_lock_free, "requestStop must be signal-safe");
    ProgressReport m_report;
    std::chrono::steady_clock::duration m_interval;
    std::chrono::steady_clock::time_point m_nextReport;
    int m_sinceClock = 0;
    RunProgress m_progress;
};

// checkpoint() on a control that may be absent: runs without one cannot be stopped.
inline void checkpoint(RunControl* control)
{
    if (control)
        control->checkpoint();
}

} // namespace problem
