#include "widgets/ElidedLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {}

QString ElidedLabel::firstLine() const
{
    const QString whole = text();
    const auto end = std::ranges::find_if(
        whole, [](QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); });
    return whole.left(end - whole.begin());
}

QString ElidedLabel::shownText() const
{
    return fontMetrics().elidedText(firstLine(), Qt::ElideRight, contentsRect().width());
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(contentsRect(), int(alignment()) | Qt::TextSingleLine, shownText());
}

bool ElidedLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const QString line = firstLine();
        if (shownText() != line) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), line, this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QLabel::event(event);
}
