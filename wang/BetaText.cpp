#include "wang/BetaText.h"

#include "problem/NumberText.h"

namespace wang {

std::expected<float, std::string> readBeta(std::string_view text, char decimalSeparator)
{
    if (const auto beta = problem::parseRealAs<float>(text, decimalSeparator))
        return *beta;
    return std::unexpected("Digite um valor numérico para Beta!");
}

} // namespace wang
