#pragma once

#include <cmath>
#include <limits>

namespace andor {

// Two part values summed as the search compares them, unrounded, then rounded up to a float:
// a ceiling made of it is never below the sum it stands for.
inline float sumRoundedUp(float one, float two)
{
    const double sum = static_cast<double>(one) + static_cast<double>(two);
    float rounded = static_cast<float>(sum);
    if (static_cast<double>(rounded) < sum)
        rounded = std::nextafter(rounded, std::numeric_limits<float>::infinity());
    return rounded;
}

} // namespace andor
