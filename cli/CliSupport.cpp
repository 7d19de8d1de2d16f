#include "cli/CliSupport.h"

#include <clocale>

char systemDecimalSeparator()
{
    const std::lconv* conventions = std::localeconv();
    if (conventions && conventions->decimal_point && conventions->decimal_point[0])
        return conventions->decimal_point[0];
    return '.';
}

char decimalSeparatorOr(const std::string& given)
{
    return given.empty() ? systemDecimalSeparator() : given.front();
}
