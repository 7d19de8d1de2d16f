#pragma once

#include "pattern/PatternScene.h"

#include <QImage>
#include <QSize>

class QPainter;

// Paints a laid-out pattern scene: hatched waste, pieces, cuts, legend and texts.
void paintPatternScene(QPainter& painter, const pattern::PatternScene& scene);

// Lays the pattern out for the image size and renders it on a white background.
QImage renderPatternImage(const pattern::CuttingPattern& pattern,
                          const problem::TInstance& instance,
                          const std::vector<std::string>& runLines, QSize size);
