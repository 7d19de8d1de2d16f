#pragma once

#include "wang/fast/PieceCountPool.h"

#include <array>
#include <cstdint>
#include <vector>

namespace wang {

// A record is heavy in a piece type when it holds more than half of that type's demand; two
// records heavy in one type exceed its demand together and never join. On the few types where
// that decides a fair share of the pairs, each record gets a class: its heavy types among them,
// one bit each. A join then passes over every partner whose class shares a bit with its own.
class HeavyTypeClasses {
public:
    static constexpr int classBits = 4;
    static constexpr std::size_t classLimit = std::size_t{1} << classBits; // bits of a word
    using Class = std::uint8_t;

    explicit HeavyTypeClasses(const PieceCountPool::Demands& demands) : m_demands(demands) {}

    // Takes the records from the last call up to `to` as the new partners of every record
    // before `to`, chooses the types by how many such pairs they rule out, and classes them all.
    void addPartners(const PieceCountPool& counts, std::size_t to);

    Class of(std::size_t index) const { return m_classes[index]; }
    // How many classes the records fall into: one until a type earns a bit.
    std::size_t count() const { return m_count; }

    // Bit c is set for every class c that records of class x may join with.
    static std::uint32_t compatibleWith(Class x)
    {
        std::uint32_t classes = 0;
        for (std::size_t c = 0; c < classLimit; ++c)
            if ((c & x) == 0)
                classes |= std::uint32_t{1} << c;
        return classes;
    }

private:
    bool isHeavy(PieceCountPool::Entry entry) const
    {
        return 2 * std::int64_t{PieceCountPool::countOf(entry)} >
               m_demands[PieceCountPool::typeOf(entry)];
    }

    const PieceCountPool::Demands& m_demands;
    std::array<std::int64_t, problem::maxPieceTypes> m_heavyRecords{}; // per type, over all taken
    std::size_t m_taken = 0;
    std::size_t m_count = 1;
    std::vector<Class> m_classes;
};

} // namespace wang
