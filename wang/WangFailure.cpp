#include "wang/WangFailure.h"

#include "problem/MemoryGuard.h"

namespace wang {

std::string failureMessage(WangFailure failure)
{
    switch (failure) {
    case WangFailure::NoPieceTypes:
        return "O problema não tem tipos de peças.";
    case WangFailure::TooManyPieceTypes:
        return "O problema tem mais de 100 tipos de peças.";
    case WangFailure::ZeroDimension:
        return "Toda peça deve ter altura e comprimento maiores que zero.";
    case WangFailure::PlateDimension:
        return "A placa deve ter altura e comprimento maiores que zero.";
    case WangFailure::AreaTooLarge:
        return "A área da placa ou de uma peça ultrapassa 2147483647.";
    case WangFailure::OutOfMemory:
        return "Memória insuficiente para gerar os padrões.";
    case WangFailure::TooManyPatterns:
        return "A geração ultrapassou o limite de padrões dado; use um Beta menor.";
    case WangFailure::TimeLimit:
        return "A geração ultrapassou o tempo limite.";
    case WangFailure::Stopped:
        return "Cálculo interrompido.";
    case WangFailure::MemoryLimit:
        return "A geração passaria do limite de memória; use um Beta menor.";
    }
    return "Falha desconhecida na geração de padrões.";
}

std::string failureMessage(const WangError& error)
{
    if (error.failure != WangFailure::MemoryLimit)
        return failureMessage(error.failure);
    const GenerationReach& reach = error.reach;
    return "A geração parou no passo " + std::to_string(reach.pass) + ", com " +
           std::to_string(reach.patternsKept) +
           " padrões guardados, para não passar do limite de memória de " +
           problem::memorySizeText(reach.memoryLimit) + "; use um Beta menor.";
}

} // namespace wang
