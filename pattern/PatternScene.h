#pragma once

#include "pattern/CuttingPattern.h"
#include "problem/Instance.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pattern {

// A rectangle of the drawing, in drawing units (pixels of the canvas).
struct SceneRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// An opaque colour of the drawing.
struct SceneColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const SceneColour&) const = default;
};

// One piece as drawn: its rectangle, its type's colour and the type's number.
struct ScenePiece {
    SceneRect rect;
    int type = 0; // 0-based index into the piece table
    SceneColour colour;
    std::string label;
    double labelSize = 0; // 0 when the piece is too small to carry its number
};

// One guillotine cut as drawn, heavier for the first stage.
struct SceneCut {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double width = 0;
    int stage = 1;
};

// Where a text stands relative to its point.
enum class TextAnchor { Start, Middle };

// One line of text, vertically centred on its point; vertical texts read bottom to top.
struct SceneText {
    double x = 0;
    double y = 0;
    std::string text; // UTF-8
    double size = 0;  // pixel height of the font
    TextAnchor anchor = TextAnchor::Start;
    bool vertical = false;
};

// A colour sample of the legend.
struct SceneSwatch {
    SceneRect rect;
    SceneColour colour;
};

// Everything a drawing of a pattern shows, laid out for one canvas size. Painters draw, in this
// order: the plate hatched as waste, the pieces, the cuts, the swatches and the texts.
struct PatternScene {
    double width = 0;
    double height = 0;
    SceneRect plate;
    std::vector<ScenePiece> pieces;
    std::vector<SceneCut> cuts; // in the order they are made
    std::vector<SceneSwatch> swatches;
    std::vector<SceneText> texts;
};

// The fill behind the waste hatching, the hatching itself, piece outlines and cuts.
inline constexpr SceneColour wasteColour{232, 232, 232};
inline constexpr SceneColour hatchColour{120, 120, 120};
inline constexpr SceneColour outlineColour{40, 40, 40};
inline constexpr SceneColour cutColour{192, 32, 32};
// Distance between two hatch lines, in drawing units.
inline constexpr double hatchSpacing = 8;
// Canvas of a drawing written to a file, and the least size of an exported image.
inline constexpr double fileDrawingWidth = 960;
inline constexpr double fileDrawingHeight = 640;

// The colour of a piece type: distinct neighbours for the first types, then spread hues.
SceneColour typeColour(int type);

// The totals a drawing shows beside the legend: total value and area covered by the pieces.
std::vector<std::string> patternTotalLines(const CuttingPattern& pattern,
                                           const problem::TInstance& instance);

// The run's lines of a five-line summary that a drawing repeats: optimal area and loss.
std::vector<std::string> summaryLinesForDrawing(const std::vector<std::string>& summary);

// Lays the pattern, its legend and the run's lines out on a canvas of the given size.
PatternScene buildPatternScene(const CuttingPattern& pattern, const problem::TInstance& instance,
                               const std::vector<std::string>& runLines, double width,
                               double height);

} // namespace pattern
