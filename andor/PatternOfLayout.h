#pragma once

#include "andor/CutLayout.h"
#include "pattern/CuttingPattern.h"
#include "problem/Instance.h"

// Places the layout's blocks on the plate and lists its cuts in the order they are made:
// a block's rows are cut off top to bottom, then each row's pieces left to right.
CuttingPattern cuttingPatternOf(const CutLayout& layout, const TInstance& instance);
