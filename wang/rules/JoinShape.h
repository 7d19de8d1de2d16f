#pragma once

#include "wang/Pattern.h"

namespace wang {

// The record that joining a and b would give, before the plate, waste and demand tests.
struct Join {
    TPattern record;          // id, first and second are left to the caller
    bool secondLeads = false; // b is the first part (taller, or longer), a the second
};

// Joins a and b side by side (kindHorizontal) or one above the other (kindVertical); on a tie
// of the compared side a stays the first part.
Join joinShape(const TPattern& a, const TPattern& b, std::int32_t kind, std::int32_t plateArea);

// True when the summed side of a joined record stays within the plate.
bool fitsPlate(const TPattern& joined, std::int32_t plateHeight, std::int32_t plateLength);

} // namespace wang
