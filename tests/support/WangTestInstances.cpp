#include "support/WangTestInstances.h"

#include "problem/Int32Arithmetic.h"

problem::TInstance makeInstance(int plateHeight, int plateLength,
                                const std::vector<TestPiece>& pieces)
{
    problem::TInstance instance;
    instance.description = "Teste\r\n";
    instance.plateHeight = plateHeight;
    instance.plateLength = plateLength;
    instance.pieceCount = static_cast<int>(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const TestPiece& piece = pieces[i];
        // A piece too large for 32-bit areas keeps a wrapped value; only its refusal is tested.
        instance.pieces[i] = {static_cast<int>(i + 1), piece.height, piece.length, piece.demand,
                              problem::mul32(piece.height, piece.length)};
    }
    return instance;
}

std::string describe(const problem::TInstance& instance)
{
    std::string text = "plate " + std::to_string(instance.plateHeight) + "x" +
                       std::to_string(instance.plateLength) + ", pieces (h, l, d):";
    for (int i = 0; i < instance.pieceCount; ++i) {
        const problem::TPieceType& piece = instance.pieces[i];
        text += " (" + std::to_string(piece.height) + ", " + std::to_string(piece.length) + ", " +
                std::to_string(piece.demand) + ")";
    }
    return text;
}

std::vector<int> idsOf(const std::vector<wang::TPattern>& patterns)
{
    std::vector<int> ids;
    for (const wang::TPattern& record : patterns)
        ids.push_back(record.id);
    return ids;
}
