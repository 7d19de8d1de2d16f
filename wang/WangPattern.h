#pragma once

#include "pattern/CuttingPattern.h"
#include "problem/Instance.h"
#include "wang/Pattern.h"

#include <cstddef>
#include <vector>

namespace wang {

// Places the tree of record `index` at the plate's top-left corner: a horizontal build puts its
// first part left of its second, a vertical build its first part above; a part shorter than its
// build leaves waste cut off on its own. Trimming cuts separate the pattern from the plate's
// rest. An index past the list gives the empty plate.
pattern::CuttingPattern wangCuttingPattern(const std::vector<TPattern>& patterns, std::size_t index,
                                           const problem::TInstance& instance);

} // namespace wang
