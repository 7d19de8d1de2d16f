#include "widgets/ReportView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

namespace {

// Room between the frame and the text, as a text edit leaves it.
constexpr int textMargin = 4;

} // namespace

ReportView::ReportView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
}

void ReportView::addLine(const QString& line)
{
    m_lines.append(line);
    linesChanged();
}

void ReportView::setLines(const QStringList& lines)
{
    m_lines = lines;
    m_widest = 0;
    m_anchor = m_current = -1;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    linesChanged();
}

void ReportView::clearLines()
{
    setLines({});
}

int ReportView::lineHeight() const
{
    return fontMetrics().lineSpacing();
}

int ReportView::linesInSight() const
{
    return std::max(1, (viewport()->height() - textMargin) / lineHeight());
}

// The line under a viewport position, clamped to the lines there are.
int ReportView::lineAt(int y) const
{
    const int line = verticalScrollBar()->value() + std::max(0, y - textMargin) / lineHeight();
    return std::clamp(line, 0, static_cast<int>(m_lines.size()) - 1);
}

void ReportView::linesChanged()
{
    updateScrollBars();
    viewport()->update();
}

// The vertical bar steps by line; the horizontal one spans the widest line drawn so far.
void ReportView::updateScrollBars()
{
    const int count = static_cast<int>(m_lines.size());
    verticalScrollBar()->setPageStep(linesInSight());
    verticalScrollBar()->setRange(0, std::max(0, count - linesInSight()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth());
    horizontalScrollBar()->setRange(0,
                                    std::max(0, m_widest + 2 * textMargin - viewport()->width()));
}

void ReportView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QFontMetrics metrics = fontMetrics();
    const int height = metrics.lineSpacing();
    const int first = verticalScrollBar()->value();
    const int last = std::min(static_cast<int>(m_lines.size()), first + linesInSight() + 1);
    const int left = textMargin - horizontalScrollBar()->value();
    const int widestBefore = m_widest;
    for (int line = first; line < last; ++line) {
        const QString& text = m_lines[line];
        const int top = textMargin + (line - first) * height;
        const bool selected = hasSelection() && line >= selectionFirst() && line <= selectionLast();
        if (selected)
            painter.fillRect(0, top, viewport()->width(), height,
                             palette().brush(QPalette::Highlight));
        painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(left, top + metrics.ascent(), text);
        m_widest = std::max(m_widest, metrics.horizontalAdvance(text));
    }
    if (m_widest != widestBefore)
        updateScrollBars();
}

void ReportView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

// A click picks a line; with shift, or dragging, it extends the selection from the first.
void ReportView::mousePressEvent(QMouseEvent* event)
{
    if (m_lines.isEmpty() || event->button() != Qt::LeftButton)
        return;
    const int line = lineAt(event->position().toPoint().y());
    const bool extend = hasSelection() && (event->modifiers() & Qt::ShiftModifier);
    select(extend ? m_anchor : line, line);
}

void ReportView::mouseMoveEvent(QMouseEvent* event)
{
    if (hasSelection() && (event->buttons() & Qt::LeftButton))
        select(m_anchor, lineAt(event->position().toPoint().y()));
}

void ReportView::select(int anchor, int current)
{
    m_anchor = anchor;
    m_current = current;
    viewport()->update();
}

void ReportView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::MoveToStartOfDocument)) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    } else if (event->matches(QKeySequence::MoveToEndOfDocument)) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void ReportView::selectAll()
{
    if (!m_lines.isEmpty())
        select(0, static_cast<int>(m_lines.size()) - 1);
}

void ReportView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("Copiar"), this, &ReportView::copySelection);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(hasSelection());
    QAction* all = menu.addAction(QStringLiteral("Selecionar tudo"), this, &ReportView::selectAll);
    all->setShortcut(QKeySequence::SelectAll);
    all->setEnabled(!m_lines.isEmpty());
    menu.exec(event->globalPos());
}

void ReportView::copySelection() const
{
    if (!hasSelection())
        return;
    const QStringList selected =
        m_lines.mid(selectionFirst(), selectionLast() - selectionFirst() + 1);
    QGuiApplication::clipboard()->setText(selected.join(QLatin1Char('\n')));
}
