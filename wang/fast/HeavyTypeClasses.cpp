#include "wang/fast/HeavyTypeClasses.h"

#include <algorithm>
#include <numeric>

namespace wang {

namespace {

// Each bit splits the shelves of the index, so a type must rule out this share of the pairs
// to earn one.
constexpr double worthyShare = 0.2;

} // namespace

void HeavyTypeClasses::addPartners(const PieceCountPool& counts, std::size_t to)
{
    std::array<std::int64_t, problem::maxPieceTypes> partners{};
    for (std::size_t i = m_taken; i < to; ++i)
        for (const PieceCountPool::Entry entry : counts.of(i))
            if (isHeavy(entry))
                ++partners[PieceCountPool::typeOf(entry)];
    for (std::size_t t = 0; t < partners.size(); ++t)
        m_heavyRecords[t] += partners[t];
    const double pairs = static_cast<double>(to) * static_cast<double>(to - m_taken);
    m_taken = to;

    std::array<std::size_t, problem::maxPieceTypes> types;
    std::iota(types.begin(), types.end(), std::size_t{0});
    auto ruledOut = [&](std::size_t type) {
        return static_cast<double>(m_heavyRecords[type]) * static_cast<double>(partners[type]);
    };
    std::ranges::stable_sort(types, std::ranges::greater{}, ruledOut);
    std::array<Class, problem::maxPieceTypes> bitOf{};
    m_count = 1;
    for (int k = 0; k < classBits && ruledOut(types[k]) >= worthyShare * pairs; ++k) {
        bitOf[types[k]] = static_cast<Class>(m_count);
        m_count *= 2;
    }
    m_classes.assign(to, 0);
    if (m_count == 1)
        return;
    for (std::size_t i = 0; i < to; ++i)
        for (const PieceCountPool::Entry entry : counts.of(i))
            if (isHeavy(entry))
                m_classes[i] |= bitOf[PieceCountPool::typeOf(entry)];
}

} // namespace wang
