#include "widgets/StringGrid.h"

#include <QHeaderView>

#include <algorithm>

namespace {
constexpr int gridColumnWidth = 64;
constexpr int gridRowHeight = 24;
} // namespace

StringGrid::StringGrid(int columns, int rows, QWidget* parent) : QTableWidget(0, columns, parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setDefaultSectionSize(gridColumnWidth);
    horizontalHeader()->setMinimumSectionSize(gridColumnWidth);
    verticalHeader()->setDefaultSectionSize(gridRowHeight);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setRows(rows);
    setCellEditing(false);
}

QString StringGrid::cell(int column, int row) const
{
    const QTableWidgetItem* cellItem = item(row, column);
    return cellItem ? cellItem->text() : QString();
}

void StringGrid::setCell(int column, int row, const QString& text)
{
    prepareCell(column, row);
    item(row, column)->setText(text);
}

void StringGrid::setRows(int rows)
{
    const int previous = rowCount();
    setRowCount(rows);
    for (int row = previous; row < rows; ++row) {
        for (int column = 0; column < columnCount(); ++column)
            prepareCell(column, row);
    }
}

void StringGrid::setCellEditing(bool on)
{
    setEditTriggers(on ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
}

bool StringGrid::cellEditing() const
{
    return editTriggers() != QAbstractItemView::NoEditTriggers;
}

void StringGrid::setWidthAndScrollBar(int width, bool verticalScrollBar)
{
    resize(width, height());
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void StringGrid::setColumnWidths(const QList<int>& widths)
{
    for (int column = 0; column < widths.size(); ++column) {
        horizontalHeader()->setMinimumSectionSize(
            std::min(horizontalHeader()->minimumSectionSize(), widths[column]));
        setColumnWidth(column, widths[column]);
    }
}

void StringGrid::prepareCell(int column, int row)
{
    if (item(row, column))
        return;
    auto* cellItem = new QTableWidgetItem;
    if (row == 0 || column == 0) {
        cellItem->setFlags(Qt::ItemIsEnabled);
        cellItem->setBackground(palette().button());
    }
    setItem(row, column, cellItem);
}
