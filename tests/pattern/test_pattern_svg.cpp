#include "PatternSvg.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <regex>

namespace {

TInstance oneType() {
    TInstance instance;
    instance.plateHeight = 10;
    instance.plateLength = 15;
    instance.pieceCount = 1;
    instance.pieces[0] = {1, 3, 4, 9, 12};
    return instance;
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

PatternScene sceneWith(std::size_t pieces, const std::vector<std::string>& runLines) {
    CuttingPattern pattern{10, 15, {}, {}};
    for (std::size_t i = 0; i < pieces; ++i)
        pattern.pieces.push_back({0, 0, static_cast<std::int32_t>(4 * i), 3, 4});
    if (pieces > 0)
        pattern.cuts.push_back({3, 0, 3, 15, 1});
    return buildPatternScene(pattern, oneType(), runLines, 960, 640);
}

} // namespace

TEST(PatternSvg, OneMarkedRectanglePerPiece) {
    for (std::size_t pieces : {0u, 1u, 3u}) {
        SCOPED_TRACE(pieces);
        const std::string svg = patternSvg(sceneWith(pieces, {}));
        EXPECT_EQ(occurrences(svg, "<rect class=\"piece\""), pieces);
        EXPECT_EQ(occurrences(svg, "class=\"plate\""), 1u);
        EXPECT_EQ(occurrences(svg, "<line class=\"cut stage-1\""), pieces > 0 ? 1u : 0u);
        EXPECT_EQ(svg.rfind("</svg>\n"), svg.size() - 7);
    }
}

TEST(PatternSvg, TextsAreEscapedAndNumbersUseAPoint) {
    // A comma locale, where one is installed, must not reach the numbers of the drawing.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    for (const char* comma : {"pt_BR.UTF-8", "pt_BR.utf8", "de_DE.UTF-8", "fr_FR.UTF-8"})
        if (std::setlocale(LC_NUMERIC, comma))
            break;
    const std::string svg = patternSvg(sceneWith(2, {"Perda = 1,5 % <a & b>"}));
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_NE(svg.find("Perda = 1,5 % &lt;a &amp; b&gt;"), std::string::npos);
    EXPECT_EQ(svg.find("<a & b>"), std::string::npos);
    const std::regex attribute(R"( (x|y|width|height|x1|y1|x2|y2|font-size)="([^"]*)\")");
    std::size_t checked = 0;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), attribute);
         it != std::sregex_iterator(); ++it, ++checked) {
        const std::string value = (*it)[2];
        EXPECT_TRUE(std::regex_match(value, std::regex(R"(-?[0-9]+(\.[0-9]+)?|100%)"))) << value;
    }
    EXPECT_GT(checked, 20u);
}

TEST(PatternSvg, WritesAFileOrSaysWhyNot) {
    const auto folder = std::filesystem::temp_directory_path() / "quadrix-pattern-svg-test";
    std::filesystem::create_directories(folder);
    const PatternScene scene = sceneWith(1, {});
    ASSERT_TRUE(writePatternSvg(scene, folder / "drawing.svg").has_value());
    std::ifstream file(folder / "drawing.svg", std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(file)), {});
    EXPECT_EQ(written, patternSvg(scene));
    const auto failed = writePatternSvg(scene, folder / "missing" / "drawing.svg");
    ASSERT_FALSE(failed.has_value());
    EXPECT_NE(failed.error().find("drawing.svg"), std::string::npos);
    std::filesystem::remove_all(folder);
}
