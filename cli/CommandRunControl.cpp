#include "cli/CommandRunControl.h"

#include <atomic>
#include <csignal>
#include <iostream>

#include <unistd.h>

namespace {

// The run that Ctrl+C stops; a signal handler may only touch lock-free atomics.
std::atomic<problem::RunControl*> interruptible{nullptr};
static_assert(std::atomic<problem::RunControl*>::is_always_lock_free);

extern "C" void onInterrupt(int)
{
    if (problem::RunControl* control = interruptible.load())
        control->requestStop();
}

void handleInterrupts(bool handled)
{
    struct sigaction action = {};
    action.sa_handler = handled ? onInterrupt : SIG_DFL;
    // One request is enough; a second Ctrl+C gets the default action.
    action.sa_flags = handled ? SA_RESETHAND : 0;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace

CommandRunControl::CommandRunControl(bool showProgress, Describe describe)
    : m_showProgress(showProgress), m_terminal(isatty(STDERR_FILENO) == 1),
      m_describe(std::move(describe)), m_start(std::chrono::steady_clock::now()),
      m_control([this](const problem::RunProgress& progress) { show(progress); },
                std::chrono::milliseconds(500))
{
    interruptible.store(&m_control);
    handleInterrupts(true);
}

CommandRunControl::~CommandRunControl()
{
    handleInterrupts(false);
    interruptible.store(nullptr);
    finishProgressLine();
}

bool CommandRunControl::endedByInterrupt()
{
    show(m_control.progress());
    finishProgressLine();
    if (!m_control.stopRequested())
        return false;
    std::cerr << interruptedMessage << '\n';
    return true;
}

void CommandRunControl::finishProgressLine()
{
    if (m_lineOpen)
        std::cerr << '\n';
    m_lineOpen = false;
}

void CommandRunControl::show(const problem::RunProgress& progress)
{
    if (!m_showProgress)
        return;
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - m_start)
            .count();
    std::string line = std::to_string(seconds) + " s";
    if (const std::string counts = m_describe(progress); !counts.empty())
        line += " · " + counts;
    if (m_terminal) {
        // Back to the line's start, and clear what a longer line left.
        std::cerr << '\r' << line << "\x1b[K" << std::flush;
        m_lineOpen = true;
    } else {
        std::cerr << line << '\n';
    }
}
