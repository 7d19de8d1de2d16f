#pragma once

#include "pattern/PatternScene.h"

#include <expected>
#include <filesystem>
#include <string>

namespace pattern {

// The scene as a standalone SVG document; each piece is a <rect class="piece">.
std::string patternSvg(const PatternScene& scene);

// Writes patternSvg(scene) to a file, replacing it whole; an error text when it cannot be
// written, and the file then as it was.
std::expected<void, std::string> writePatternSvg(const PatternScene& scene,
                                                 const std::filesystem::path& path);

} // namespace pattern
