#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "HomogeneousFilling.h"
#include "Instance.h"

// The rows (a / h) and columns (b / l) of every piece type for every height and length of the
// plate, so that the fast engines value rectangles without a division. Gives exactly the
// results of bestHomogeneous, areaBound and bestHomogeneousWithin.
class FitTable {
public:
    explicit FitTable(const TInstance& instance);

    // bestHomogeneous(a, b) for 0 <= a <= H, 0 <= b <= W.
    HomogeneousFill best(std::int32_t a, std::int32_t b) const;

    // areaBound(a, b) for 0 <= a <= H, 0 <= b <= W.
    double bound(std::int32_t a, std::int32_t b) const;

    // bestHomogeneousWithin(a, b, remaining) for 0 <= a <= H, 0 <= b <= W.
    HomogeneousFill bestWithin(std::int32_t a, std::int32_t b,
                               std::span<const std::int32_t> remaining) const;

private:
    const std::int32_t* rowsAt(std::int32_t a) const;
    const std::int32_t* columnsAt(std::int32_t b) const;

    std::size_t m_n;
    std::vector<std::int32_t> m_values;
    std::vector<float> m_densities;      // (v / h) / l with truncating divisions
    std::vector<std::int32_t> m_rows;    // m_n per height
    std::vector<std::int32_t> m_columns; // m_n per length
};
