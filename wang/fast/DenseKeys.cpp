#include "wang/fast/DenseKeys.h"

#include <algorithm>

namespace wang {

DenseKeys::DenseKeys(const problem::TInstance& instance)
{
    std::uint64_t height = static_cast<std::uint64_t>(std::max(instance.plateHeight, 0));
    std::uint64_t length = static_cast<std::uint64_t>(std::max(instance.plateLength, 0));
    std::uint64_t numbers = 1;
    for (int i = 0; i < instance.pieceCount; ++i) {
        const problem::TPieceType& piece = instance.pieces[static_cast<std::size_t>(i)];
        if (piece.demand < 0 || piece.height < 0 || piece.length < 0)
            return;
        height = std::max(height, static_cast<std::uint64_t>(piece.height));
        length = std::max(length, static_cast<std::uint64_t>(piece.length));
        // A type of demand 0 shares its number with the next: its record holds more than its
        // demand and never joins.
        m_radix.push_back(numbers);
        numbers *= static_cast<std::uint64_t>(piece.demand) + 1;
        if (numbers > maxKeys)
            return;
    }
    // Sides of up to 2^31 make a product within 64 bits; once it is within maxKeys, so is the
    // product with the count numbers.
    if ((height + 1) * (length + 1) > maxKeys || (height + 1) * (length + 1) * numbers > maxKeys)
        return;
    m_lengths = length + 1;
    m_countNumbers = numbers;
    const std::size_t words = static_cast<std::size_t>((height + 1) * m_lengths * numbers / 64 + 1);
    m_earlier.reset(static_cast<std::uint64_t*>(std::calloc(words, sizeof(std::uint64_t))));
    m_pass.reset(static_cast<std::uint64_t*>(std::calloc(words, sizeof(std::uint64_t))));
    m_usable = m_earlier && m_pass; // without the memory, the key sets serve
}

void DenseKeys::appendStartingRecords()
{
    for (const std::uint64_t number : m_radix)
        m_numbers.push_back(static_cast<std::uint32_t>(number));
}

void DenseKeys::append(const TPattern& built)
{
    m_numbers.push_back(m_numbers[static_cast<std::size_t>(built.first)] +
                        m_numbers[static_cast<std::size_t>(built.second)]);
}

void DenseKeys::endPass()
{
    for (const std::uint64_t key : m_passKeys) {
        clear(m_pass.get(), key);
        set(m_earlier.get(), key);
    }
    m_passKeys.clear();
}

} // namespace wang
