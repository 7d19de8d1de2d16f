#include "pattern/ui/PatternView.h"

#include "pattern/ui/PatternPainter.h"

#include <QPainter>

PatternView::PatternView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setMinimumSize(320, 240);
}

void PatternView::setPattern(const pattern::CuttingPattern& pattern,
                             const problem::TInstance& instance,
                             const std::vector<std::string>& runLines)
{
    m_pattern = pattern;
    m_instance = instance;
    m_runLines = runLines;
    update();
}

void PatternView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintPatternScene(
        painter, pattern::buildPatternScene(m_pattern, m_instance, m_runLines, width(), height()));
}
