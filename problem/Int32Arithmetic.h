#pragma once

#include <cstdint>

namespace problem {

// Signed 32-bit arithmetic that wraps around instead of overflowing, so that every engine
// computes the same numbers even for inputs whose products leave the 32-bit range.

// The low 32 bits of a value, read as a signed 32-bit integer.
inline std::int32_t wrap32(std::int64_t value)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

// a + b, wrapped to 32 bits.
inline std::int32_t add32(std::int32_t a, std::int32_t b)
{
    return wrap32(std::int64_t{a} + b);
}

// a - b, wrapped to 32 bits.
inline std::int32_t sub32(std::int32_t a, std::int32_t b)
{
    return wrap32(std::int64_t{a} - b);
}

// a * b, wrapped to 32 bits; the 64-bit product of two 32-bit values is exact.
inline std::int32_t mul32(std::int32_t a, std::int32_t b)
{
    return wrap32(std::int64_t{a} * b);
}

} // namespace problem
