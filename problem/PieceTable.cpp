#include "problem/PieceTable.h"

#include "problem/NumberText.h"

#include <cstdint>

namespace problem {

namespace {

// Two's-complement wrap-around, as 32-bit arithmetic gives it, without signed overflow.
std::int32_t wrappingProduct(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

std::optional<TPieceType> pieceFromRow(const PieceRowTexts& texts, std::int32_t id)
{
    const auto height = parseInteger(texts[1]);
    const auto length = parseInteger(texts[2]);
    const auto demand = parseInteger(texts[3]);
    const auto value = texts[0].empty() && height && length
                           ? std::optional(wrappingProduct(*height, *length))
                           : parseInteger(texts[0]);
    if (!value || !height || !length || !demand)
        return std::nullopt;
    return TPieceType{
        .id = id, .height = *height, .length = *length, .demand = *demand, .value = *value};
}

} // namespace

HeaderFault applyHeaderTexts(TInstance& instance, std::string_view height, std::string_view length,
                             std::string_view count)
{
    const auto plateHeight = parseInteger(height);
    if (!plateHeight)
        return HeaderFault::Height;
    instance.plateHeight = *plateHeight;
    const auto plateLength = parseInteger(length);
    if (!plateLength)
        return HeaderFault::Length;
    instance.plateLength = *plateLength;
    const auto pieceCount = parseInteger(count);
    if (!pieceCount)
        return HeaderFault::Count;
    if (*pieceCount > maxPieceTypes)
        return HeaderFault::CountAboveCapacity;
    instance.pieceCount = *pieceCount;
    return HeaderFault::None;
}

std::optional<std::vector<TPieceType>> piecesFromRows(std::span<const PieceRowTexts> rows)
{
    std::vector<TPieceType> pieces;
    pieces.reserve(rows.size());
    for (const PieceRowTexts& texts : rows) {
        const auto piece = pieceFromRow(texts, static_cast<std::int32_t>(pieces.size()) + 1);
        if (!piece)
            return std::nullopt;
        pieces.push_back(*piece);
    }
    return pieces;
}

} // namespace problem
