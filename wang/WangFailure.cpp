#include "wang/WangFailure.h"

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
        return "A geração ultrapassou o limite de " + std::to_string(wangPatternLimit) +
               " padrões; use um Beta menor.";
    case WangFailure::TimeLimit:
        return "A geração ultrapassou o tempo limite.";
    case WangFailure::Stopped:
        return "Cálculo interrompido.";
    }
    return "Falha desconhecida na geração de padrões.";
}

} // namespace wang
