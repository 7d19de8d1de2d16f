#include "problem/MemoryGuard.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>
#include <fstream>
#include <limits>

#include <unistd.h>

namespace problem {

namespace {

constexpr std::uint64_t noLimit = std::numeric_limits<std::uint64_t>::max();

// The first number of a file, or nothing when it holds none (cgroup v2 writes "max").
std::uint64_t firstNumberOf(const char* path)
{
    std::ifstream file(path);
    std::uint64_t value = 0;
    if (!(file >> value))
        return 0;
    return value;
}

// The memory limit of the control group, version 2 or 1; 0 when there is none to read.
std::uint64_t controlGroupLimit()
{
    if (const std::uint64_t v2 = firstNumberOf("/sys/fs/cgroup/memory.max"))
        return v2;
    return firstNumberOf("/sys/fs/cgroup/memory/memory.limit_in_bytes");
}

std::atomic<std::uint64_t>& processLimit()
{
    static std::atomic<std::uint64_t> limit{defaultMemoryLimit()};
    return limit;
}

// The factor of a size's suffix, 0 for an unknown one.
std::uint64_t suffixFactor(std::string_view suffix)
{
    if (suffix.empty())
        return 1;
    if (suffix.size() != 1)
        return 0;
    switch (std::toupper(static_cast<unsigned char>(suffix.front()))) {
    case 'K':
        return std::uint64_t{1} << 10;
    case 'M':
        return std::uint64_t{1} << 20;
    case 'G':
        return std::uint64_t{1} << 30;
    default:
        return 0;
    }
}

} // namespace

std::uint64_t physicalMemoryBytes()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    const std::uint64_t machine =
        pages > 0 && pageSize > 0 ? std::uint64_t(pages) * std::uint64_t(pageSize) : 0;
    // A group without a limit reports a number near 2^63, above any machine's memory.
    const std::uint64_t group = controlGroupLimit();
    if (machine == 0)
        return group;
    return group == 0 ? machine : std::min(machine, group);
}

std::uint64_t defaultMemoryLimit()
{
    const std::uint64_t physical = physicalMemoryBytes();
    return physical == 0 ? noLimit : physical / 4 * 3;
}

std::uint64_t residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::uint64_t size = 0, resident = 0;
    if (!(statm >> size >> resident))
        return 0;
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    return pageSize > 0 ? resident * std::uint64_t(pageSize) : 0;
}

bool MemoryGuard::wouldPass(std::uint64_t bytes) const
{
    const std::uint64_t used = m_usage();
    return used > m_limit || bytes > m_limit - used;
}

void MemoryGuard::claim(std::uint64_t bytes) const
{
    if (wouldPass(bytes))
        throw MemoryLimitReached();
}

std::uint64_t processMemoryLimit()
{
    return processLimit().load(std::memory_order_relaxed);
}

void setProcessMemoryLimit(std::uint64_t bytes)
{
    processLimit().store(bytes, std::memory_order_relaxed);
}

MemoryGuard processMemoryGuard()
{
    return MemoryGuard(processMemoryLimit());
}

std::expected<std::uint64_t, std::string> readMemorySize(std::string_view text)
{
    const auto invalid = [text] {
        return std::unexpected("Limite de memória inválido: \"" + std::string(text) +
                               "\"; use um número de bytes maior que zero, com K, M ou G "
                               "opcional (ex.: 512M).");
    };
    std::uint64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end == text.data())
        return invalid();
    const std::uint64_t factor = suffixFactor(text.substr(end - text.data()));
    if (factor == 0 || number == 0 || number > noLimit / factor)
        return invalid();
    return number * factor;
}

std::string memorySizeText(std::uint64_t bytes)
{
    constexpr std::uint64_t mebibyte = std::uint64_t{1} << 20;
    if (bytes < mebibyte)
        return std::to_string(bytes) + " bytes";
    return std::to_string(bytes / mebibyte) + " MiB";
}

void returnFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

void returnLargeBlocksWhenFreed()
{
#ifdef __GLIBC__
    // The allocator's own starting size; setting it fixes it.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

} // namespace problem
