#include "andor/ParameterTexts.h"

#include "problem/NumberText.h"

namespace andor {

namespace {

std::optional<double> lambdaValue(const std::optional<std::string>& text, double fallback,
                                  char decimalSeparator)
{
    if (!text)
        return fallback;
    return problem::parseRealAs<double>(*text, decimalSeparator);
}

} // namespace

std::expected<SolverSettings, std::string> readParameters(const ParameterTexts& texts,
                                                          char decimalSeparator)
{
    SolverSettings settings;
    const auto depth = problem::parseInteger(texts.depth);
    if (!depth)
        return std::unexpected("Digite um valor inteiro para a Profundidade!");
    const auto capacity = problem::parseInteger(texts.setCapacity);
    if (!capacity)
        return std::unexpected("Digite um valor inteiro para o Conjunto de Discretização!");
    settings.depthLimit = *depth;
    settings.setCapacity = *capacity;
    settings.symmetryOn = texts.symmetryOn;
    settings.heuristicsOn = texts.heuristicsOn;
    if (!texts.heuristicsOn)
        return settings; // the lambdas play no part, so their texts are not read
    const auto lambda1 = lambdaValue(texts.lambda1, settings.lambda1, decimalSeparator);
    if (!lambda1)
        return std::unexpected("Digite um valor numérico para Lambda 1!");
    const auto lambda2 = lambdaValue(texts.lambda2, settings.lambda2, decimalSeparator);
    if (!lambda2)
        return std::unexpected("Digite um valor numérico para Lambda 2!");
    settings.lambda1 = *lambda1;
    settings.lambda2 = *lambda2;
    return settings;
}

} // namespace andor
