#pragma once

#include <cstddef>
#include <memory>

namespace andor {

// Gives a block back to the system, mapped or allocated.
struct ZeroedMemoryRelease {
    std::size_t mappedBytes = 0; // 0 for a block from calloc
    void operator()(void* block) const;
};

using ZeroedMemory = std::unique_ptr<void, ZeroedMemoryRelease>;

// A block of at least bytes that the system zeroes as its pages are first touched; throws
// problem::MemoryLimitReached when the whole block would take the process past its memory
// limit, std::bad_alloc when there is no room. On Linux a block of 2 MiB or more starts on a 2 MiB
// boundary and asks for huge pages: the searches look their tables up all over, and with
// 4 KiB pages most first touches would fault and most lookups miss the TLB.
ZeroedMemory allocateZeroed(std::size_t bytes);

} // namespace andor
