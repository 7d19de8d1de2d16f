#include "andor/bounds/FitTable.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace andor {

FitTable::FitTable(const problem::TInstance& instance)
    : m_n(static_cast<std::size_t>(instance.pieceCount)),
      m_copiesExact(static_cast<std::int64_t>(instance.plateHeight) * instance.plateLength <
                    std::int64_t{1} << 24),
      m_rows((static_cast<std::size_t>(instance.plateHeight) + 1) * m_n),
      m_rowValues(m_rows.size()),
      m_columns((static_cast<std::size_t>(instance.plateLength) + 1) * m_n),
      m_shortEnough(static_cast<std::size_t>(instance.plateHeight) + 1),
      m_narrowEnough(static_cast<std::size_t>(instance.plateLength) + 1)
{
    static_assert(problem::maxPieceTypes <= 64 * std::tuple_size_v<TypeMask>);
    for (std::size_t i = 0; i < m_n; ++i) {
        const problem::TPieceType& piece = instance.pieces[i];
        m_values.push_back(piece.value);
        m_densities.push_back(static_cast<float>(piece.value / piece.height / piece.length));
        m_pieceAreas.push_back(std::int64_t{piece.height} * piece.length);
        const std::uint64_t bit = std::uint64_t{1} << (i % 64);
        for (std::int32_t a = 0; a <= instance.plateHeight; ++a) {
            m_rows[static_cast<std::size_t>(a) * m_n + i] = a / piece.height;
            m_rowValues[static_cast<std::size_t>(a) * m_n + i] = a / piece.height * piece.value;
            if (a >= piece.height)
                m_shortEnough[static_cast<std::size_t>(a)][i / 64] |= bit;
        }
        for (std::int32_t b = 0; b <= instance.plateLength; ++b) {
            m_columns[static_cast<std::size_t>(b) * m_n + i] = b / piece.length;
            if (b >= piece.length)
                m_narrowEnough[static_cast<std::size_t>(b)][i / 64] |= bit;
        }
    }
    std::vector<std::size_t> narrowestFirst(m_n);
    std::iota(narrowestFirst.begin(), narrowestFirst.end(), std::size_t{0});
    std::stable_sort(narrowestFirst.begin(), narrowestFirst.end(),
                     [&](std::size_t x, std::size_t y) {
                         return instance.pieces[x].length < instance.pieces[y].length;
                     });
    for (std::int32_t a = 0; a <= instance.plateHeight; ++a)
        listBestCandidates(instance, a, narrowestFirst);
}

// A type narrower than another, or as narrow and earlier in the table, fits wherever the
// other does, with at least as many columns.
void FitTable::listBestCandidates(const problem::TInstance& instance, std::int32_t a,
                                  std::span<const std::size_t> narrowestFirst)
{
    const std::int32_t* rowValues = rowValuesAt(a);
    std::vector<std::uint8_t> kept;
    std::int32_t bestRowValue = 0;
    std::size_t bestType = m_n;
    float density = 0.0f;
    std::size_t densest = m_n;
    for (const std::size_t i : narrowestFirst) {
        const problem::TPieceType& piece = instance.pieces[i];
        if (piece.height > a)
            continue;
        if (m_densities[i] > density) {
            density = m_densities[i];
            m_densityStairs.entries.push_back({piece.length, density});
        }
        // Densities compared as cross products, exactly.
        if (piece.value > 0 && (densest == m_n || m_values[i] * m_pieceAreas[densest] >
                                                      m_values[densest] * m_pieceAreas[i])) {
            densest = i;
            m_densestStairs.entries.push_back({piece.length, static_cast<std::uint32_t>(i)});
        }
        if (rowValues[i] <= 0)
            continue; // worth nothing, it never wins
        // Any other type is beaten or tied by an earlier one wherever it fits.
        if (rowValues[i] > bestRowValue || (rowValues[i] == bestRowValue && i < bestType)) {
            bestRowValue = rowValues[i];
            bestType = i;
            kept.push_back(static_cast<std::uint8_t>(i));
        }
    }
    std::sort(kept.begin(), kept.end());
    m_bestCandidates.entries.insert(m_bestCandidates.entries.end(), kept.begin(), kept.end());
    m_bestCandidates.at.push_back(static_cast<std::uint32_t>(m_bestCandidates.entries.size()));
    m_densityStairs.at.push_back(static_cast<std::uint32_t>(m_densityStairs.entries.size()));
    m_densestStairs.at.push_back(static_cast<std::uint32_t>(m_densestStairs.entries.size()));
}

// Input validation keeps every product below within 32 bits, so plain products are exact.
HomogeneousFill FitTable::best(std::int32_t a, std::int32_t b) const
{
    const std::int32_t* rowValues = rowValuesAt(a);
    const std::int32_t* columns = columnsAt(b);
    HomogeneousFill best;
    // A type too long for b has no columns and gives 0, which never wins.
    for (const std::uint8_t i : m_bestCandidates.of(a)) {
        const std::int32_t value = rowValues[i] * columns[i];
        if (value > best.value) {
            best.value = value;
            best.type = i;
        }
    }
    if (best.type >= 0)
        best.count = rowsAt(a)[best.type] * columns[best.type];
    return best;
}

double FitTable::bound(std::int32_t a, std::int32_t b) const
{
    float density = 0.0f;
    for (const Stair& stair : m_densityStairs.of(a)) {
        if (stair.length > b)
            break;
        density = stair.density;
    }
    return static_cast<double>(a) * static_cast<double>(density) * static_cast<double>(b);
}

std::int64_t FitTable::densestFilling(std::int32_t a, std::int32_t b) const
{
    std::size_t densest = m_n;
    for (const DensestStair& stair : m_densestStairs.of(a)) {
        if (stair.length > b)
            break;
        densest = stair.type;
    }
    if (densest == m_n)
        return 0;
    // Plate sides below 5000 keep a 32-bit value times an area within 63 bits.
    return m_values[densest] * (std::int64_t{a} * b) / m_pieceAreas[densest];
}

// While the copies that fit are exact as floats, the float minimum is the integer one (no
// demand is negative) and its product by a value, within 32 bits, is exact too.
HomogeneousFill FitTable::bestWithin(std::int32_t a, std::int32_t b,
                                     std::span<const std::int32_t> remaining) const
{
    const std::int32_t* rows = rowsAt(a);
    const std::int32_t* columns = columnsAt(b);
    HomogeneousFill best;
    if (m_copiesExact) {
        forEachFitting(a, b, [&](std::size_t i) {
            const std::int32_t copies = std::min(rows[i] * columns[i], remaining[i]);
            const std::int32_t value = copies * m_values[i];
            if (value > best.value)
                best = {value, static_cast<std::int32_t>(i), copies};
        });
        return best;
    }
    forEachFitting(a, b, [&](std::size_t i) {
        const float copies =
            std::min(static_cast<float>(rows[i] * columns[i]), static_cast<float>(remaining[i]));
        const double product = static_cast<double>(copies) * static_cast<double>(m_values[i]);
        const auto value =
            static_cast<std::int32_t>(static_cast<std::int64_t>(std::trunc(product)));
        if (value > best.value)
            best = {value, static_cast<std::int32_t>(i), static_cast<std::int32_t>(copies)};
    });
    return best;
}

void FitTable::fitCounts(std::int32_t a, std::int32_t b, std::span<std::int32_t> counts) const
{
    const std::int32_t* rows = rowsAt(a);
    const std::int32_t* columns = columnsAt(b);
    for (std::size_t i = 0; i < m_n; ++i)
        counts[i] = rows[i] * columns[i];
}

} // namespace andor
