#pragma once

#include "wang/rules/GenerationSetup.h"

#include <expected>

namespace wang {

// The generation the program uses. It gives the same list, in the same order and with the
// same numbers, as the literal one (generatePatternsReference), but keeps piece counts per
// record, finds duplicates by hashing, looks only at partners a join can accept, only counts
// the pairs whose builds are known to come out as duplicates, and makes its builds on two
// threads where the counts pack.
std::expected<GenerationResult, WangError>
generatePatterns(const problem::TInstance& instance, float beta, const WangOptions& options = {});

} // namespace wang
