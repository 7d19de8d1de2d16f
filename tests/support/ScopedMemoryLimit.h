#pragma once

#include "problem/MemoryGuard.h"

#include <cstdint>

// Holds this process's runs to a memory limit while alive and puts the former one back.
class ScopedMemoryLimit {
public:
    explicit ScopedMemoryLimit(std::uint64_t bytes) : m_saved(problem::processMemoryLimit())
    {
        problem::setProcessMemoryLimit(bytes);
    }

    ~ScopedMemoryLimit() { problem::setProcessMemoryLimit(m_saved); }

    ScopedMemoryLimit(const ScopedMemoryLimit&) = delete;
    ScopedMemoryLimit& operator=(const ScopedMemoryLimit&) = delete;

private:
    std::uint64_t m_saved;
};
