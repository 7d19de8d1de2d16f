#include "wang/rules/GenerationSetup.h"

#include "problem/Int32Arithmetic.h"
#include "problem/MemoryGuard.h"

#include <limits>

namespace wang {

namespace {

bool areaFits(std::int32_t height, std::int32_t length)
{
    return std::int64_t{height} * length <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

std::optional<WangFailure> refuseInstance(const problem::TInstance& instance)
{
    if (instance.pieceCount <= 0)
        return WangFailure::NoPieceTypes;
    if (instance.pieceCount > problem::maxPieceTypes)
        return WangFailure::TooManyPieceTypes;
    // A zero side lets joins grow forever without ever being recognised as duplicates.
    for (int i = 0; i < instance.pieceCount; ++i)
        if (instance.pieces[i].height <= 0 || instance.pieces[i].length <= 0)
            return WangFailure::ZeroDimension;
    // The loss divides by the plate area.
    if (instance.plateHeight <= 0 || instance.plateLength <= 0)
        return WangFailure::PlateDimension;
    if (!areaFits(instance.plateHeight, instance.plateLength))
        return WangFailure::AreaTooLarge;
    for (int i = 0; i < instance.pieceCount; ++i)
        if (!areaFits(instance.pieces[i].height, instance.pieces[i].length))
            return WangFailure::AreaTooLarge;
    return std::nullopt;
}

float wasteLimit(std::int32_t plateHeight, std::int32_t plateLength, float beta)
{
    const long double area = problem::mul32(plateHeight, plateLength);
    return static_cast<float>(area * static_cast<long double>(beta));
}

bool exceedsWasteLimit(std::int32_t internalWaste, float limit)
{
    return static_cast<long double>(internalWaste) > static_cast<long double>(limit);
}

std::vector<TPattern> startingList(const problem::TInstance& instance)
{
    const std::int32_t plateArea = problem::mul32(instance.plateHeight, instance.plateLength);
    std::vector<TPattern> list;
    list.reserve(static_cast<std::size_t>(instance.pieceCount));
    for (int i = 0; i < instance.pieceCount; ++i) {
        const problem::TPieceType& piece = instance.pieces[i];
        TPattern record;
        record.id = piece.id;
        record.height = piece.height;
        record.length = piece.length;
        record.totalWaste = problem::sub32(plateArea, problem::mul32(piece.height, piece.length));
        list.push_back(record);
    }
    return list;
}

void checkMemory(std::uint64_t bytes, int pass, std::size_t kept)
{
    const problem::MemoryGuard guard = problem::processMemoryGuard();
    if (guard.wouldPass(bytes))
        throw GenerationStopped{WangFailure::MemoryLimit,
                                {pass, static_cast<std::int64_t>(kept), guard.limit()}};
}

} // namespace wang
