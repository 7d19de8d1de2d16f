#pragma once

#include <QAbstractScrollArea>
#include <QStringList>

#include <algorithm>

// A read-only view of report lines that lays out and draws only the lines in sight, so that a
// report of a million lines shows at once and costs little beyond its text. Lines are selected
// whole, with the mouse or select-all, and the copy shortcut copies them.
class ReportView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ReportView(QWidget* parent = nullptr);

    const QStringList& lines() const { return m_lines; }
    void addLine(const QString& line);
    void setLines(const QStringList& lines);
    void clearLines();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent*) override {} // the press and the moves select
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool hasSelection() const { return m_anchor >= 0; }
    int selectionFirst() const { return std::min(m_anchor, m_current); }
    int selectionLast() const { return std::max(m_anchor, m_current); }
    void select(int anchor, int current);
    void selectAll();
    int lineHeight() const;
    int linesInSight() const;
    int lineAt(int y) const;
    void linesChanged();
    void updateScrollBars();
    void copySelection() const;

    QStringList m_lines;
    // The widest line drawn so far: lines are measured as they come into sight, as measuring
    // a long report at once would take seconds.
    int m_widest = 0;
    // The selection runs from the line first picked to the line picked last; -1: none.
    int m_anchor = -1;
    int m_current = -1;
};
