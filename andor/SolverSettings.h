#pragma once

#include <cstdint>
#include <cstdio>

#include "problem/RunControl.h"

namespace andor {

// The parameters of one AND/OR run, as the run window sets them before each calculation.
struct SolverSettings {
    std::int32_t depthLimit = 3;    // nodes exist for depths 0 to depthLimit
    std::int32_t setCapacity = 100; // most positions a discretization set may hold
    bool symmetryOn = false;        // positions bounded by half the plate side
    bool heuristicsOn = false;      // the two tests that discard unpromising cuts
    double lambda1 = 0.1;
    double lambda2 = 0.95;
    std::FILE* builderNotices = stdout;     // where a set builder that fails writes its line
    problem::RunControl* control = nullptr; // stops the run and hears its progress, if given
};

} // namespace andor
