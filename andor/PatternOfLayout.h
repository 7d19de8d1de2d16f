#pragma once

#include "andor/CutLayout.h"
#include "pattern/CuttingPattern.h"
#include "problem/Instance.h"

namespace andor {

// Places the layout's blocks on the plate and lists its cuts in the order they are made:
// a block's rows are cut off top to bottom, then each row's pieces left to right.
pattern::CuttingPattern cuttingPatternOf(const CutLayout& layout,
                                         const problem::TInstance& instance);

} // namespace andor
