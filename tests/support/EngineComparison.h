#pragma once

#include <expected>

#include "andor/AndOrRun.h"
#include "problem/Instance.h"

// The outcome of one run of either engine.
using RunResult = std::expected<andor::AndOrRun, andor::AndOrFailure>;

// The fast run gives the direct run's failure, or its sets, value bits, counts and pattern,
// and its node count where it counted nodes; the pattern is sound and worth the value.
void expectSameRun(const RunResult& fast, const RunResult& direct,
                   const problem::TInstance& instance);
