#include "cli/CliSupport.h"

#include "problem/MemoryGuard.h"
#include "problem/NumberText.h"

#include <clocale>

char systemDecimalSeparator()
{
    const std::lconv* conventions = std::localeconv();
    if (!conventions || !conventions->decimal_point)
        return '.';
    return problem::decimalSeparatorOf(conventions->decimal_point).value_or('.');
}

std::expected<char, std::string> decimalSeparatorOr(const std::optional<std::string>& given)
{
    if (!given)
        return systemDecimalSeparator();
    if (const auto separator = problem::decimalSeparatorOf(*given))
        return *separator;
    return std::unexpected("O separador decimal deve ser um único caractere ASCII que não seja "
                           "algarismo, sinal, espaço nem E: \"" +
                           *given + "\" não serve.");
}

std::optional<std::string> emptyFileNameFault(const std::optional<std::string>& output,
                                              const std::optional<std::string>& svg)
{
    for (const auto& [name, option] : {std::pair{&output, "-o"}, std::pair{&svg, "--svg"}}) {
        if (*name && (*name)->empty())
            return "Informe um nome de arquivo para " + std::string(option) + ".";
    }
    return std::nullopt;
}

std::optional<std::string> applyMemoryLimit(const std::optional<std::string>& given)
{
    if (!given) {
        problem::setProcessMemoryLimit(problem::defaultMemoryLimit());
        return std::nullopt;
    }
    const auto limit = problem::readMemorySize(*given);
    if (!limit)
        return limit.error();
    problem::setProcessMemoryLimit(*limit);
    return std::nullopt;
}

std::expected<char, std::string> acceptSharedOptions(const std::optional<std::string>& separator,
                                                     const std::optional<std::string>& output,
                                                     const std::optional<std::string>& svg,
                                                     const std::optional<std::string>& memoryLimit)
{
    const auto chosen = decimalSeparatorOr(separator);
    if (!chosen)
        return chosen;
    if (auto fault = emptyFileNameFault(output, svg))
        return std::unexpected(std::move(*fault));
    if (auto fault = applyMemoryLimit(memoryLimit))
        return std::unexpected(std::move(*fault));
    return chosen;
}

std::string failedRunText(const std::string& message, const std::string& reason)
{
    return reason.empty() ? message : message + " Motivo: " + reason + ".";
}
