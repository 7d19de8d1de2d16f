#include "pattern/ui/PatternPainter.h"

#include <QPainter>

namespace {

QColor toQColor(const pattern::SceneColour& colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

QRectF toQRect(const pattern::SceneRect& rect)
{
    return QRectF(rect.x, rect.y, rect.width, rect.height);
}

void paintText(QPainter& painter, const pattern::SceneText& text)
{
    QFont font = painter.font();
    font.setPixelSize(std::max(1, static_cast<int>(text.size + 0.5)));
    painter.setFont(font);
    painter.save();
    painter.translate(text.x, text.y);
    if (text.vertical)
        painter.rotate(-90);
    // A wide box around the point, so that the anchor alone decides where the text stands.
    const double wide = 4000, high = 2 * text.size;
    const bool middle = text.anchor == pattern::TextAnchor::Middle;
    const QRectF box(middle ? -wide / 2 : 0, -high / 2, wide, high);
    painter.drawText(box, (middle ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter,
                     QString::fromStdString(text.text));
    painter.restore();
}

void paintWaste(QPainter& painter, const pattern::SceneRect& plate)
{
    const QRectF area = toQRect(plate);
    painter.fillRect(area, toQColor(pattern::wasteColour));
    painter.save();
    painter.setClipRect(area);
    painter.setPen(QPen(toQColor(pattern::hatchColour), 1));
    // Diagonals rising to the right, one every hatchSpacing along the plate's width and height.
    for (double d = 0; d < plate.width + plate.height; d += pattern::hatchSpacing)
        painter.drawLine(QPointF(plate.x + d, plate.y),
                         QPointF(plate.x + d - plate.height, plate.y + plate.height));
    painter.restore();
    painter.setPen(QPen(toQColor(pattern::outlineColour), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
}

// Outlined rectangles filled with their own colours: pieces and legend swatches alike.
template <typename Boxes> void paintBoxes(QPainter& painter, const Boxes& boxes)
{
    painter.setPen(QPen(toQColor(pattern::outlineColour), 1));
    for (const auto& box : boxes) {
        painter.setBrush(toQColor(box.colour));
        painter.drawRect(toQRect(box.rect));
    }
}

void paintPieces(QPainter& painter, const pattern::PatternScene& scene)
{
    paintBoxes(painter, scene.pieces);
    painter.setPen(Qt::black);
    for (const pattern::ScenePiece& piece : scene.pieces)
        if (piece.labelSize > 0)
            paintText(painter,
                      {piece.rect.x + piece.rect.width / 2, piece.rect.y + piece.rect.height / 2,
                       piece.label, piece.labelSize, pattern::TextAnchor::Middle, false});
}

} // namespace

void paintPatternScene(QPainter& painter, const pattern::PatternScene& scene)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    paintWaste(painter, scene.plate);
    paintPieces(painter, scene);
    for (const pattern::SceneCut& cut : scene.cuts) {
        painter.setPen(QPen(toQColor(pattern::cutColour), cut.width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(cut.x1, cut.y1), QPointF(cut.x2, cut.y2));
    }
    paintBoxes(painter, scene.swatches);
    painter.setPen(Qt::black);
    for (const pattern::SceneText& text : scene.texts)
        paintText(painter, text);
    painter.restore();
}

QImage renderPatternImage(const pattern::CuttingPattern& pattern,
                          const problem::TInstance& instance,
                          const std::vector<std::string>& runLines, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPatternScene(painter, pattern::buildPatternScene(pattern, instance, runLines, size.width(),
                                                          size.height()));
    return image;
}
