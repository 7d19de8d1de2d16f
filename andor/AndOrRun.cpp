#include "andor/AndOrRun.h"

#include <ctime>
#include <functional>
#include <limits>
#include <memory>
#include <new>

#include "andor/StackRoom.h"
#include "andor/fast/FastSearch.h"
#include "andor/reference/ReferenceSearch.h"
#include "problem/MemoryGuard.h"

namespace andor {

namespace {

// The largest bound a discretization set's tables can hold.
constexpr std::int32_t maxBound = maxSetPositions - 1;

// The best homogeneous filling of the whole plate by one type, with no 32-bit wrap.
std::int64_t plateFillValue(const problem::TInstance& instance, const problem::TPieceType& piece)
{
    const std::int64_t rows = instance.plateHeight / piece.height;
    const std::int64_t columns = instance.plateLength / piece.length;
    const std::int64_t partial = rows * piece.value;
    return partial * columns;
}

bool fitsInt32(std::int64_t value)
{
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

bool valuesFit(const problem::TInstance& instance)
{
    for (int i = 0; i < instance.pieceCount; ++i) {
        const problem::TPieceType& piece = instance.pieces[static_cast<std::size_t>(i)];
        const std::int64_t rows = instance.plateHeight / piece.height;
        if (!fitsInt32(rows * piece.value) || !fitsInt32(plateFillValue(instance, piece)))
            return false;
    }
    return true;
}

// Fewer than no copies of a piece would take its value below zero, and a negative value with
// them above: a pattern would be worth pieces it does not hold.
bool hasNegativeDemand(const problem::TInstance& instance)
{
    for (int i = 0; i < instance.pieceCount; ++i)
        if (instance.pieces[static_cast<std::size_t>(i)].demand < 0)
            return true;
    return false;
}

bool dimensionsPositive(const problem::TInstance& instance)
{
    if (instance.plateHeight <= 0 || instance.plateLength <= 0)
        return false;
    for (int i = 0; i < instance.pieceCount; ++i) {
        const problem::TPieceType& piece = instance.pieces[static_cast<std::size_t>(i)];
        if (piece.height <= 0 || piece.length <= 0)
            return false;
    }
    return true;
}

// Fills the run's value, counts, layout and effort; the sets are already built.
using SearchStep = std::function<void(const problem::TInstance&, const SolverSettings&, AndOrRun&)>;

std::expected<AndOrRun, AndOrFailure> runWith(const problem::TInstance& instance, ProblemKind kind,
                                              const SolverSettings& settings,
                                              const SearchStep& search)
{
    if (auto fault = findInputFault(instance, kind, settings))
        return std::unexpected(*fault);
    try {
        auto run = std::make_unique<AndOrRun>();
        problem::checkpoint(settings.control);
        const bool built = kind == ProblemKind::Unconstrained
                               ? buildXSetUnconstrained(instance, settings, run->xSet) &&
                                     buildYSetUnconstrained(instance, settings, run->ySet)
                               : buildXSetConstrained(instance, settings, run->xSet) &&
                                     buildYSetConstrained(instance, settings, run->ySet);
        if (!built)
            return std::unexpected(AndOrFailure::SetBuildFailed);
        problem::checkpoint(settings.control);
        search(instance, settings, *run);
        return std::move(*run);
    } catch (const problem::MemoryLimitReached&) {
        return std::unexpected(AndOrFailure::MemoryLimit);
    } catch (const std::bad_alloc&) {
        return std::unexpected(AndOrFailure::OutOfMemory);
    } catch (const StackExhausted&) {
        return std::unexpected(AndOrFailure::RecursionTooDeep);
    } catch (const problem::RunStopped&) {
        return std::unexpected(AndOrFailure::Stopped);
    }
}

void fastStep(ProblemKind kind, NodeCounting counting, const problem::TInstance& instance,
              const SolverSettings& settings, AndOrRun& run)
{
    const std::time_t searchStart = std::time(nullptr);
    SearchOutcome outcome =
        kind == ProblemKind::Unconstrained
            ? fastSearchUnconstrained(instance, settings, run.xSet, run.ySet, counting)
            : fastSearchConstrained(instance, settings, run.xSet, run.ySet, counting);
    const std::time_t searchEnd = std::time(nullptr);
    run.value = outcome.value;
    run.counts = outcome.counts;
    run.layout = std::move(outcome.layout);
    run.nodesExamined = outcome.nodesExamined;
    run.elapsedSeconds = static_cast<std::int64_t>(searchEnd - searchStart);
}

void referenceStep(ProblemKind kind, const problem::TInstance& instance,
                   const SolverSettings& settings, AndOrRun& run)
{
    SearchContext context{instance, settings, run.xSet, run.ySet};
    std::unique_ptr<TCutNode> root;
    if (kind == ProblemKind::Unconstrained)
        searchUnconstrained(context, root);
    else
        searchConstrained(context, root);
    run.value = root->value;
    run.counts = root->counts;
    run.layout = layoutOf(*root, instance);
    run.nodesExamined = context.nodesCreated;
    run.elapsedSeconds = static_cast<std::int64_t>(context.searchEnd - context.searchStart);
}

} // namespace

std::string failureMessage(AndOrFailure failure)
{
    switch (failure) {
    case AndOrFailure::NoPieceTypes:
        return "O problema não tem tipos de peças.";
    case AndOrFailure::ZeroDimension:
        return "A placa e todas as peças devem ter altura e comprimento maiores que zero.";
    case AndOrFailure::SideTooLarge:
        return "Os lados da placa (a metade deles com simetria) não podem passar de 4999.";
    case AndOrFailure::NegativeDepth:
        return "A profundidade não pode ser negativa.";
    case AndOrFailure::TooManyPieceTypes:
        return "O problema tem mais de 100 tipos de peças.";
    case AndOrFailure::ValueTooLarge:
        return "Os valores das peças são grandes demais para o cálculo.";
    case AndOrFailure::NegativeDemand:
        return "A demanda de uma peça não pode ser negativa.";
    case AndOrFailure::Stopped:
        return "Cálculo interrompido.";
    case AndOrFailure::MemoryLimit:
        return "A busca passaria do limite de memória de " +
               problem::memorySizeText(problem::processMemoryLimit()) +
               "; use uma Profundidade menor.";
    case AndOrFailure::SetBuildFailed:
    case AndOrFailure::OutOfMemory:
    case AndOrFailure::RecursionTooDeep:
        break;
    }
    return "Solução não pôde ser calculada!";
}

std::string progressText(const problem::RunProgress& progress)
{
    return std::to_string(progress.statesSolved) + " estados resolvidos";
}

std::string failureReason(AndOrFailure failure)
{
    switch (failure) {
    case AndOrFailure::SetBuildFailed:
        return "um conjunto de discretização teria mais posições que a capacidade dada";
    case AndOrFailure::OutOfMemory:
        return "memória insuficiente";
    case AndOrFailure::RecursionTooDeep:
        return "a pilha do programa não comporta uma busca tão profunda; diminua a Profundidade";
    case AndOrFailure::NoPieceTypes:
    case AndOrFailure::ZeroDimension:
    case AndOrFailure::SideTooLarge:
    case AndOrFailure::NegativeDepth:
    case AndOrFailure::TooManyPieceTypes:
    case AndOrFailure::ValueTooLarge:
    case AndOrFailure::NegativeDemand:
    case AndOrFailure::Stopped:
    case AndOrFailure::MemoryLimit:
        break;
    }
    return {};
}

std::optional<AndOrFailure> findInputFault(const problem::TInstance& instance, ProblemKind kind,
                                           const SolverSettings& settings)
{
    if (instance.pieceCount <= 0)
        return AndOrFailure::NoPieceTypes;
    if (instance.pieceCount > problem::maxPieceTypes)
        return AndOrFailure::TooManyPieceTypes;
    if (!dimensionsPositive(instance))
        return AndOrFailure::ZeroDimension;
    const int divisor = settings.symmetryOn ? 2 : 1;
    if (instance.plateHeight / divisor > maxBound || instance.plateLength / divisor > maxBound)
        return AndOrFailure::SideTooLarge;
    if (settings.depthLimit < 0)
        return AndOrFailure::NegativeDepth;
    if (!valuesFit(instance))
        return AndOrFailure::ValueTooLarge;
    if (kind == ProblemKind::Constrained && hasNegativeDemand(instance))
        return AndOrFailure::NegativeDemand;
    return std::nullopt;
}

std::expected<AndOrRun, AndOrFailure> runAndOr(const problem::TInstance& instance, ProblemKind kind,
                                               const SolverSettings& settings,
                                               NodeCounting counting)
{
    return runWith(instance, kind, settings,
                   [kind, counting](const problem::TInstance& i, const SolverSettings& s,
                                    AndOrRun& run) { fastStep(kind, counting, i, s, run); });
}

std::expected<AndOrRun, AndOrFailure> runAndOrReference(const problem::TInstance& instance,
                                                        ProblemKind kind,
                                                        const SolverSettings& settings)
{
    return runWith(instance, kind, settings,
                   [kind](const problem::TInstance& i, const SolverSettings& s, AndOrRun& run) {
                       referenceStep(kind, i, s, run);
                   });
}

} // namespace andor
