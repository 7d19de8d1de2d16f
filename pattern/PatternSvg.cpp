#include "pattern/PatternSvg.h"

#include "problem/AtomicFile.h"

#include <charconv>
#include <cstdio>
#include <sstream>

namespace pattern {

namespace {

std::string number(double value)
{
    // Two decimals are finer than any screen or printer needs; to_chars ignores the locale,
    // which may have switched printf to a decimal comma.
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    std::string result(text, end.ptr);
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.')
        result.pop_back();
    return result == "-0" ? "0" : result;
}

std::string colour(const SceneColour& c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.red, c.green, c.blue);
    return text;
}

std::string escaped(const std::string& text)
{
    std::string result;
    for (char c : text) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '"':
            result += "&quot;";
            break;
        default:
            result += c;
        }
    }
    return result;
}

std::string rectAttributes(const SceneRect& r)
{
    return "x=\"" + number(r.x) + "\" y=\"" + number(r.y) + "\" width=\"" + number(r.width) +
           "\" height=\"" + number(r.height) + "\"";
}

void writeDefinitions(std::ostringstream& svg)
{
    const std::string step = number(hatchSpacing);
    svg << "<defs><pattern id=\"waste\" width=\"" << step << "\" height=\"" << step
        << "\" patternUnits=\"userSpaceOnUse\"><rect width=\"" << step << "\" height=\"" << step
        << "\" fill=\"" << colour(wasteColour) << "\"/><path d=\"M0," << step << " L" << step
        << ",0\" stroke=\"" << colour(hatchColour) << "\" stroke-width=\"1\"/></pattern></defs>\n";
}

void writePieces(std::ostringstream& svg, const PatternScene& scene)
{
    for (const ScenePiece& piece : scene.pieces) {
        svg << "<rect class=\"piece\" data-type=\"" << piece.type + 1 << "\" "
            << rectAttributes(piece.rect) << " fill=\"" << colour(piece.colour) << "\" stroke=\""
            << colour(outlineColour) << "\" stroke-width=\"1\"/>\n";
        if (piece.labelSize > 0)
            svg << "<text class=\"piece-label\" x=\"" << number(piece.rect.x + piece.rect.width / 2)
                << "\" y=\"" << number(piece.rect.y + piece.rect.height / 2) << "\" font-size=\""
                << number(piece.labelSize) << "\" text-anchor=\"middle\" "
                << "dominant-baseline=\"central\">" << escaped(piece.label) << "</text>\n";
    }
}

void writeCuts(std::ostringstream& svg, const PatternScene& scene)
{
    int order = 0;
    for (const SceneCut& cut : scene.cuts)
        svg << "<line class=\"cut stage-" << cut.stage << "\" data-order=\"" << ++order
            << "\" x1=\"" << number(cut.x1) << "\" y1=\"" << number(cut.y1) << "\" x2=\""
            << number(cut.x2) << "\" y2=\"" << number(cut.y2) << "\" stroke=\"" << colour(cutColour)
            << "\" stroke-width=\"" << number(cut.width) << "\"/>\n";
}

void writeTexts(std::ostringstream& svg, const PatternScene& scene)
{
    for (const SceneSwatch& swatch : scene.swatches)
        svg << "<rect class=\"swatch\" " << rectAttributes(swatch.rect) << " fill=\""
            << colour(swatch.colour) << "\" stroke=\"" << colour(outlineColour) << "\"/>\n";
    for (const SceneText& text : scene.texts) {
        svg << "<text x=\"" << number(text.x) << "\" y=\"" << number(text.y) << "\" font-size=\""
            << number(text.size) << "\" text-anchor=\""
            << (text.anchor == TextAnchor::Middle ? "middle" : "start")
            << "\" dominant-baseline=\"central\"";
        if (text.vertical)
            svg << " transform=\"rotate(-90 " << number(text.x) << ' ' << number(text.y) << ")\"";
        svg << '>' << escaped(text.text) << "</text>\n";
    }
}

} // namespace

std::string patternSvg(const PatternScene& scene)
{
    std::ostringstream svg;
    // A stream keeps a failed allocation to itself and drops the rest of the text; the drawing
    // must fail whole instead.
    svg.exceptions(std::ios::badbit);
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << number(scene.width)
        << "\" height=\"" << number(scene.height) << "\" viewBox=\"0 0 " << number(scene.width)
        << ' ' << number(scene.height) << "\" font-family=\"sans-serif\">\n";
    writeDefinitions(svg);
    svg << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n"
        << "<rect class=\"plate\" " << rectAttributes(scene.plate)
        << " fill=\"url(#waste)\" stroke=\"" << colour(outlineColour)
        << "\" stroke-width=\"2\"/>\n";
    writePieces(svg, scene);
    writeCuts(svg, scene);
    writeTexts(svg, scene);
    svg << "</svg>\n";
    return svg.str();
}

std::expected<void, std::string> writePatternSvg(const PatternScene& scene,
                                                 const std::filesystem::path& path)
{
    return problem::writeFileAtomically(path, patternSvg(scene));
}

} // namespace pattern
