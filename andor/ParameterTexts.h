#pragma once

#include <expected>
#include <optional>
#include <string>

#include "andor/SolverSettings.h"

namespace andor {

// The parameter fields of an AND/OR run as the user typed or chose them.
struct ParameterTexts {
    std::string depth;
    std::string setCapacity;
    bool symmetryOn = false;
    bool heuristicsOn = false;
    // Read only with the heuristics on; an absent lambda keeps its default value.
    std::optional<std::string> lambda1;
    std::optional<std::string> lambda2;
};

// The settings the texts give, reals read with decimalSeparator; otherwise the message of the
// first field that does not read, in the order the run window lists them.
std::expected<SolverSettings, std::string> readParameters(const ParameterTexts& texts,
                                                          char decimalSeparator);

} // namespace andor
