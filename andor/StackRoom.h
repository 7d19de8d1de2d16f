#pragma once

#include <cstdint>
#include <exception>

namespace andor {

// Thrown where a recursion would leave too little of its thread's stack.
class StackExhausted : public std::exception {
public:
    const char* what() const noexcept override;
};

// The stack of the thread that makes it: how far down its frames may still go. A worker
// thread may have far less stack than the main one, so the room is measured, not assumed.
class StackRoom {
public:
    // Measures the calling thread's stack, keeping a reserve for what runs below the last
    // check (library calls, allocation, unwinding, a sanitizer's bookkeeping).
    StackRoom();

    // Throws StackExhausted when the calling frame lies below the floor; call it on the thread
    // that made this object.
    void check() const
    {
        if (reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)) < m_floor)
            throw StackExhausted();
    }

private:
    std::uintptr_t m_floor = 0;
};

} // namespace andor
