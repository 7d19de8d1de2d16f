#include "andor/StackRoom.h"

#include <algorithm>

#include <pthread.h>

namespace andor {

namespace {

// Kept free below the last check: a level's callees, an allocation, the unwinding of a
// throw. Generous, since frames are several times larger under sanitizers.
constexpr std::uintptr_t largestReserve = 256 * 1024;

// Where the thread's bounds cannot be read: this much below the first frame is taken as safe
// on every thread a program normally starts.
constexpr std::uintptr_t assumedStack = 128 * 1024;

std::uintptr_t currentFrame()
{
    return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
}

} // namespace

const char* StackExhausted::what() const noexcept
{
    return "recursion too deep for the thread's stack";
}

StackRoom::StackRoom()
{
    const std::uintptr_t here = currentFrame();
    pthread_attr_t attributes;
    void* lowest = nullptr;
    std::size_t size = 0, guard = 0;
    bool known = false;
    if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
        known = pthread_attr_getstack(&attributes, &lowest, &size) == 0 &&
                pthread_attr_getguardsize(&attributes, &guard) == 0;
        pthread_attr_destroy(&attributes);
    }
    const auto bottom = reinterpret_cast<std::uintptr_t>(lowest);
    if (!known || here <= bottom || here - bottom > size) {
        m_floor = here > assumedStack ? here - assumedStack : here;
        return;
    }
    // Stacks grow down: the room is what lies between this frame and the bottom.
    const std::uintptr_t reserve = guard + std::min(largestReserve, size / 4);
    m_floor = bottom + std::min(reserve, here - bottom);
}

} // namespace andor
