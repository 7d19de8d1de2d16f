#include "andor/fast/ZeroedMemory.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#include "problem/MemoryGuard.h"

#ifdef __linux__
#include <sys/mman.h>

namespace andor {

#endif

namespace {

constexpr std::size_t hugePage = std::size_t{2} << 20;

#ifdef __linux__
// Maps a block with room to spare, then gives back what lies before the first huge-page
// boundary and after the block.
ZeroedMemory mapOnHugePages(std::size_t bytes)
{
    const std::size_t size = (bytes + hugePage - 1) / hugePage * hugePage;
    void* map =
        mmap(nullptr, size + hugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (map == MAP_FAILED)
        throw std::bad_alloc();
    const auto mapped = reinterpret_cast<std::uintptr_t>(map);
    const std::uintptr_t start = (mapped + hugePage - 1) / hugePage * hugePage;
    if (start > mapped)
        munmap(map, start - mapped);
    munmap(reinterpret_cast<void*>(start + size), mapped + hugePage - start);
    // Only advice: without huge pages the block still works, with small ones.
    madvise(reinterpret_cast<void*>(start), size, MADV_HUGEPAGE);
    return ZeroedMemory(reinterpret_cast<void*>(start), ZeroedMemoryRelease{size});
}
#endif

} // namespace

void ZeroedMemoryRelease::operator()(void* block) const
{
#ifdef __linux__
    if (mappedBytes > 0) {
        munmap(block, mappedBytes);
        return;
    }
#endif
    std::free(block);
}

ZeroedMemory allocateZeroed(std::size_t bytes)
{
    problem::processMemoryGuard().claim(bytes);
#ifdef __linux__
    if (bytes >= hugePage)
        return mapOnHugePages(bytes);
#endif
    void* block = std::calloc(bytes, 1);
    if (!block)
        throw std::bad_alloc();
    return ZeroedMemory(block, ZeroedMemoryRelease{});
}

} // namespace andor
