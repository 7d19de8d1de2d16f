#include "pattern/PatternSvg.h"

#include <gtest/gtest.h>

#include <clocale>
#include <regex>

TEST(PatternSvg, MarksPiecesEscapesTextsAndWritesPointNumbers)
{
    problem::TInstance instance{"", 10, 15, 1, {}};
    instance.pieces[0] = {1, 3, 4, 9, 12};
    const pattern::CuttingPattern pattern{
        10, 15, {{0, 0, 0, 3, 4}, {0, 0, 4, 3, 4}}, {{3, 0, 3, 15, 1}}};
    // A comma locale, where one is installed, must not reach the numbers of the drawing.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    for (const char* comma : {"pt_BR.UTF-8", "pt_BR.utf8", "de_DE.UTF-8", "fr_FR.UTF-8"})
        if (std::setlocale(LC_NUMERIC, comma))
            break;
    const std::string svg = pattern::patternSvg(
        pattern::buildPatternScene(pattern, instance, {"Perda = 1,5 % <a & b>"}, 960, 640));
    std::setlocale(LC_NUMERIC, saved.c_str());

    const auto count = [&svg](const std::string& part) {
        std::size_t n = 0;
        for (auto at = svg.find(part); at != std::string::npos; at = svg.find(part, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("<rect class=\"piece\""), 2u);
    EXPECT_EQ(count("<line class=\"cut stage-1\""), 1u);
    EXPECT_EQ(count("class=\"plate\" "), 1u);
    EXPECT_NE(svg.find("Perda = 1,5 % &lt;a &amp; b&gt;"), std::string::npos);
    EXPECT_EQ(svg.find("<a & b>"), std::string::npos);
    const std::regex attribute(R"( (x|y|width|height|x1|y1|x2|y2|font-size)="([^"]*)\")");
    std::size_t checked = 0;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), attribute);
         it != std::sregex_iterator(); ++it, ++checked)
        EXPECT_TRUE(std::regex_match((*it)[2].str(), std::regex(R"(-?[0-9]+(\.[0-9]+)?|100%)")))
            << (*it)[2];
    EXPECT_GT(checked, 20u);
}
