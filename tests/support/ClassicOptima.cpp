#include "support/ClassicOptima.h"

#include "problem/BiFile.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" `");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" `") - first + 1);
}

// The cells of a Markdown table row, without the empty text before its first bar.
std::vector<std::string> cellsOf(const std::string& row)
{
    std::vector<std::string> cells;
    std::istringstream in(row);
    std::string cell;
    std::getline(in, cell, '|');
    while (std::getline(in, cell, '|'))
        cells.push_back(trimmed(cell));
    return cells;
}

// "2892 (T, B, D)" gives 2892; "not known" gives nothing.
std::optional<long> leadingNumber(const std::string& cell)
{
    std::istringstream in(cell);
    long number = 0;
    if (in >> number)
        return number;
    return std::nullopt;
}

std::optional<std::size_t> columnOf(const std::vector<std::string>& headings,
                                    const std::string& name)
{
    for (std::size_t i = 0; i < headings.size(); ++i)
        if (headings[i] == name)
            return i;
    return std::nullopt;
}

} // namespace

std::map<std::string, ClassicOptima> readClassicOptima(const std::filesystem::path& readme)
{
    std::map<std::string, ClassicOptima> optima;
    std::ifstream in(readme);
    std::string row;
    std::optional<std::size_t> constrained, unconstrained;
    while (std::getline(in, row)) {
        const auto cells = cellsOf(row);
        if (cells.empty() || cells[0] == "---")
            continue;
        if (cells[0] == "file") {
            constrained = columnOf(cells, "constrained optimum");
            unconstrained = columnOf(cells, "unconstrained optimum");
            continue;
        }
        if (!constrained || !unconstrained ||
            cells.size() <= std::max(*constrained, *unconstrained))
            continue;
        std::string name = cells[0];
        if (name.ends_with(".BI"))
            name.resize(name.size() - 3);
        optima[name] = {leadingNumber(cells[*constrained]), leadingNumber(cells[*unconstrained])};
    }
    return optima;
}

std::filesystem::path classicInstancesReadme()
{
    return std::filesystem::path(QUADRIX_INSTANCES_DIR) / "README.md";
}

problem::TInstance readClassicInstance(const std::string& fileName)
{
    auto instance = problem::readBiFile(std::filesystem::path(QUADRIX_INSTANCES_DIR) / fileName);
    if (!instance)
        throw std::runtime_error(fileName + ": " + instance.error());
    return *instance;
}
