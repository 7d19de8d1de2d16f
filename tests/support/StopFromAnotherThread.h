#pragma once

#include <atomic>
#include <chrono>
#include <iostream>
#include <optional>
#include <thread>

#include "problem/RunControl.h"

// As a window's Parar does: runs run(control) on a thread of its own, asks for the stop once
// the run has reported progress, and gives what the run returned. Prints how long the stop took.
template <typename Run> auto stopFromAnotherThread(Run run)
{
    std::atomic<bool> reported{false};
    problem::RunControl control([&](const problem::RunProgress&) { reported = true; },
                                std::chrono::milliseconds(50));
    std::optional<decltype(run(control))> result;
    std::thread worker([&] { result.emplace(run(control)); });
    while (!reported)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const auto asked = std::chrono::steady_clock::now();
    control.requestStop();
    worker.join();
    const auto waited = std::chrono::steady_clock::now() - asked;
    std::cout << "stopped " << std::chrono::duration_cast<std::chrono::milliseconds>(waited).count()
              << " ms after the request\n";
    return std::move(*result);
}
