#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "problem/RunControl.h"

// Exit status and message of a run ended by Ctrl+C.
inline constexpr int exitInterrupted = 130;
inline constexpr const char* interruptedMessage = "interrompido";

// The control of one command's run: Ctrl+C (SIGINT) asks it to stop, and with --progress its
// progress goes to standard error, one line refreshed in place on a terminal, plain lines
// otherwise. A second Ctrl+C ends the tool at once, as the default action does.
class CommandRunControl {
public:
    using Describe = std::function<std::string(const problem::RunProgress&)>;

    CommandRunControl(bool showProgress, Describe describe);
    ~CommandRunControl();
    CommandRunControl(const CommandRunControl&) = delete;
    CommandRunControl& operator=(const CommandRunControl&) = delete;

    problem::RunControl& control() { return m_control; }
    // At the run's end: writes the last progress line and ends the line a terminal keeps
    // refreshing; true, once it has said "interrompido", when Ctrl+C came, after which the
    // command writes nothing more.
    bool endedByInterrupt();

private:
    void show(const problem::RunProgress& progress);
    void finishProgressLine();

    const bool m_showProgress;
    const bool m_terminal;
    const Describe m_describe;
    const std::chrono::steady_clock::time_point m_start;
    bool m_lineOpen = false;
    problem::RunControl m_control;
};
