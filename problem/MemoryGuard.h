#pragma once

#include <cstdint>
#include <expected>
#include <new>
#include <string>
#include <string_view>

namespace problem {

// Bytes of memory this process may count on: the machine's physical memory, or the limit of
// its control group when that is smaller; 0 when neither can be read.
std::uint64_t physicalMemoryBytes();

// The limit a process starts with: three quarters of physicalMemoryBytes, or no limit
// (the largest value) when that is unknown.
std::uint64_t defaultMemoryLimit();

// The resident set of this process in bytes, from /proc/self/statm; 0 when it cannot be read.
std::uint64_t residentBytes();

// Gives the memory that freed blocks still hold back to the system, as the allocator keeps it
// for reuse (a worker thread's arena above all); for the end of a long run.
void returnFreedMemory();

// From now on large blocks come straight from the system and go back to it when freed. Left
// alone, the allocator raises that size after the first large block is freed and then keeps a
// long run's tables in its heaps, where the process holds them after the run. For a program
// that does many runs; call it before any thread starts.
void returnLargeBlocksWhenFreed();

// Thrown where a table or a list would take the process past its memory limit. It is a
// bad_alloc, so that code which only knows of memory running out still ends cleanly.
class MemoryLimitReached : public std::bad_alloc {
public:
    const char* what() const noexcept override { return "memory limit reached"; }
};

// Answers whether taking more memory would take the process past a limit. Use is measured as
// the resident set: it counts what every part of the process really holds (the pages the
// kernel's out-of-memory killer weighs), costs one small read, and is asked only before a
// table is made or a list grows, never per element.
class MemoryGuard {
public:
    using UsageReader = std::uint64_t (*)();

    explicit MemoryGuard(std::uint64_t limitBytes, UsageReader usage = residentBytes)
        : m_limit(limitBytes), m_usage(usage)
    {
    }

    std::uint64_t limit() const { return m_limit; }

    // True when the current use plus bytes is above the limit.
    bool wouldPass(std::uint64_t bytes) const;

    // Throws MemoryLimitReached when wouldPass(bytes).
    void claim(std::uint64_t bytes) const;

private:
    std::uint64_t m_limit;
    UsageReader m_usage;
};

// The limit every run of this process is held to; defaultMemoryLimit until set.
std::uint64_t processMemoryLimit();

// Sets the limit of every later check in this process, from any thread.
void setProcessMemoryLimit(std::uint64_t bytes);

// A guard of the process's limit and its resident set.
MemoryGuard processMemoryGuard();

// Reads a size such as "1048576", "512K", "300M" or "2G" (suffixes in either case, 1024
// based); gives the Portuguese message to show when the text is not a size above zero.
std::expected<std::uint64_t, std::string> readMemorySize(std::string_view text);

// A size for a message, in whole MiB ("512 MiB"), or in bytes below one MiB.
std::string memorySizeText(std::uint64_t bytes);

} // namespace problem
