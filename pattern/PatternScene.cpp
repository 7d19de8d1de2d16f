#include "pattern/PatternScene.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pattern {

namespace {

// Smallest font that stays legible; a piece whose number would need less shows none.
constexpr double smallestLabel = 6;
// Average advance of a glyph relative to the font size, for a layout without font metrics.
constexpr double glyphAdvance = 0.6;

std::size_t glyphCount(const std::string& utf8)
{
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

SceneColour fromHue(double hue)
{
    // A light, saturated-enough colour so that black numbers stay readable on it.
    const double value = 0.92, saturation = 0.45;
    const double chroma = value * saturation;
    const double sector = std::fmod(hue / 60.0, 6.0);
    const double x = chroma * (1 - std::fabs(std::fmod(sector, 2.0) - 1));
    std::array<double, 3> rgb{};
    switch (static_cast<int>(sector)) {
    case 0:
        rgb = {chroma, x, 0};
        break;
    case 1:
        rgb = {x, chroma, 0};
        break;
    case 2:
        rgb = {0, chroma, x};
        break;
    case 3:
        rgb = {0, x, chroma};
        break;
    case 4:
        rgb = {x, 0, chroma};
        break;
    default:
        rgb = {chroma, 0, x};
        break;
    }
    auto channel = [&](double c) {
        return static_cast<std::uint8_t>(std::lround((c + value - chroma) * 255));
    };
    return {channel(rgb[0]), channel(rgb[1]), channel(rgb[2])};
}

// The largest pattern extent drawn: the plate, grown by any piece that reaches beyond it.
std::pair<std::int32_t, std::int32_t> drawnExtent(const CuttingPattern& pattern)
{
    std::int32_t height = pattern.plateHeight, length = pattern.plateLength;
    for (const PlacedPiece& piece : pattern.pieces) {
        height = std::max(height, piece.top + piece.height);
        length = std::max(length, piece.left + piece.length);
    }
    return {height, length};
}

std::vector<std::int64_t> countsByType(const CuttingPattern& pattern,
                                       const problem::TInstance& instance)
{
    std::vector<std::int64_t> counts(static_cast<std::size_t>(std::max(instance.pieceCount, 0)));
    for (const PlacedPiece& piece : pattern.pieces)
        if (piece.type >= 0 && static_cast<std::size_t>(piece.type) < counts.size())
            ++counts[static_cast<std::size_t>(piece.type)];
    return counts;
}

double labelSizeFor(const std::string& label, const SceneRect& rect, double font)
{
    const double glyphs = static_cast<double>(glyphCount(label));
    const double size =
        std::min({font, rect.height * 0.7, rect.width / (glyphAdvance * glyphs + 0.4)});
    return size >= smallestLabel ? size : 0;
}

void addPieces(PatternScene& scene, const CuttingPattern& pattern, double scale, double font)
{
    for (const PlacedPiece& piece : pattern.pieces) {
        ScenePiece drawn;
        drawn.rect = {scene.plate.x + piece.left * scale, scene.plate.y + piece.top * scale,
                      piece.length * scale, piece.height * scale};
        drawn.type = piece.type;
        drawn.colour = typeColour(piece.type);
        drawn.label = std::to_string(piece.type + 1);
        drawn.labelSize = labelSizeFor(drawn.label, drawn.rect, font);
        scene.pieces.push_back(std::move(drawn));
    }
}

void addCuts(PatternScene& scene, const CuttingPattern& pattern, double scale, double font)
{
    const double heavy = std::max(2.0, font / 4), light = std::max(1.0, font / 10);
    for (const PatternCut& cut : pattern.cuts)
        scene.cuts.push_back({scene.plate.x + cut.left * scale, scene.plate.y + cut.top * scale,
                              scene.plate.x + cut.right * scale, scene.plate.y + cut.bottom * scale,
                              cut.stage == 1 ? heavy : light, cut.stage});
}

void addDimensions(PatternScene& scene, const CuttingPattern& pattern, double font)
{
    const SceneRect& plate = scene.plate;
    scene.texts.push_back({plate.x + plate.width / 2, plate.y - 0.9 * font,
                           "W = " + std::to_string(pattern.plateLength), font, TextAnchor::Middle,
                           false});
    scene.texts.push_back({plate.x - 0.9 * font, plate.y + plate.height / 2,
                           "H = " + std::to_string(pattern.plateHeight), font, TextAnchor::Middle,
                           true});
}

// The legend column: one swatch and count per type cut, then the totals and the run's lines.
void addLegend(PatternScene& scene, const std::vector<std::int64_t>& counts,
               const std::vector<std::string>& closingLines, double left, double top, double bottom,
               double font)
{
    const auto shown = std::count_if(counts.begin(), counts.end(), [](auto c) { return c > 0; });
    const double rows = 3.0 + static_cast<double>(std::max<std::ptrdiff_t>(shown, 1)) +
                        static_cast<double>(closingLines.size());
    const double row = std::max(0.0, std::min(1.6 * font, (bottom - top) / rows));
    const double size = row / 1.6;
    double y = top + row / 2;
    scene.texts.push_back({left, y, "Peças", size, TextAnchor::Start, false});
    y += row;
    if (shown == 0) {
        scene.texts.push_back({left, y, "Nenhuma peça", size, TextAnchor::Start, false});
        y += row;
    }
    for (std::size_t type = 0; type < counts.size(); ++type) {
        if (counts[type] == 0)
            continue;
        const int index = static_cast<int>(type);
        scene.swatches.push_back({{left, y - size / 2, size, size}, typeColour(index)});
        scene.texts.push_back(
            {left + 1.6 * size, y,
             "Peça " + std::to_string(index + 1) + ": " + std::to_string(counts[type]), size,
             TextAnchor::Start, false});
        y += row;
    }
    y += row;
    for (const std::string& line : closingLines) {
        scene.texts.push_back({left, y, line, size, TextAnchor::Start, false});
        y += row;
    }
}

} // namespace

SceneColour typeColour(int type)
{
    static constexpr std::array<SceneColour, 12> palette{{{141, 182, 226},
                                                          {246, 178, 107},
                                                          {147, 209, 140},
                                                          {238, 138, 138},
                                                          {190, 160, 222},
                                                          {214, 180, 150},
                                                          {240, 168, 216},
                                                          {255, 229, 127},
                                                          {128, 214, 214},
                                                          {196, 214, 120},
                                                          {170, 170, 240},
                                                          {250, 200, 170}}};
    if (type >= 0 && static_cast<std::size_t>(type) < palette.size())
        return palette[static_cast<std::size_t>(type)];
    // The golden angle keeps consecutive types apart on the hue circle.
    return fromHue(std::fmod(std::fabs(static_cast<double>(type)) * 137.508, 360.0));
}

std::vector<std::string> patternTotalLines(const CuttingPattern& pattern,
                                           const problem::TInstance& instance)
{
    std::int64_t value = 0, area = 0;
    for (const PlacedPiece& piece : pattern.pieces) {
        if (piece.type < 0 || piece.type >= instance.pieceCount)
            continue;
        value += instance.pieces[static_cast<std::size_t>(piece.type)].value;
        area += std::int64_t{piece.height} * piece.length;
    }
    return {"Valor total = " + std::to_string(value), "Área usada = " + std::to_string(area)};
}

std::vector<std::string> summaryLinesForDrawing(const std::vector<std::string>& summary)
{
    // The summary alternates lines and blanks: optimal area, loss, time.
    if (summary.size() < 3)
        return summary;
    return {summary[0], summary[2]};
}

PatternScene buildPatternScene(const CuttingPattern& pattern, const problem::TInstance& instance,
                               const std::vector<std::string>& runLines, double width,
                               double height)
{
    PatternScene scene;
    scene.width = width;
    scene.height = height;
    const double font = std::clamp(std::min(width, height) / 40, 9.0, 16.0);
    const double margin = std::max(8.0, font);
    const double legendWidth = std::min(width * 0.3, 22 * font);
    const double left = margin + 1.5 * font, top = margin + 1.5 * font;
    const double room = std::max(0.0, width - legendWidth - left - margin);
    const double depth = std::max(0.0, height - top - margin);
    const auto [extentHeight, extentLength] = drawnExtent(pattern);
    double scale = 0;
    if (extentHeight > 0 && extentLength > 0)
        scale = std::min(room / extentLength, depth / extentHeight);
    scene.plate = {left, top, std::max(0, pattern.plateLength) * scale,
                   std::max(0, pattern.plateHeight) * scale};

    addPieces(scene, pattern, scale, font);
    addCuts(scene, pattern, scale, font);
    addDimensions(scene, pattern, font);
    std::vector<std::string> closing = patternTotalLines(pattern, instance);
    closing.insert(closing.end(), runLines.begin(), runLines.end());
    // The legend stands close to the plate when the plate leaves room on its right.
    const double legendLeft =
        std::min(scene.plate.x + scene.plate.width + 2 * font, width - legendWidth + font / 2);
    addLegend(scene, countsByType(pattern, instance), closing, legendLeft, margin, height - margin,
              font);
    return scene;
}

} // namespace pattern
