#include "problem/ui/InstanceView.h"

#include "widgets/StringGrid.h"

#include <QStringList>

#include <algorithm>

namespace {

void setRow(StringGrid& grid, int row, const QStringList& texts)
{
    for (int column = 0; column < texts.size(); ++column)
        grid.setCell(column, row, texts[column]);
}

// Rows of a count or piece grid: the heading row always stays.
int rowsFor(int pieceCount)
{
    return std::clamp(pieceCount, 0, problem::maxPieceTypes) + 1;
}

} // namespace

void setPieceGridColumns(StringGrid& grid)
{
    grid.setColumnWidths({54, 64, 64, 74, 64});
}

void fillPieceGrid(StringGrid& grid, const problem::TInstance& instance, int narrowUpTo)
{
    grid.setRows(rowsFor(instance.pieceCount));
    setRow(grid, 0,
           {QStringLiteral("Peça nº"), QStringLiteral("Valor"), QStringLiteral("Altura"),
            QStringLiteral("Comprimento"), QStringLiteral("Demanda")});
    for (int row = 1; row < grid.rowCount(); ++row) {
        const problem::TPieceType& piece = instance.pieces[row - 1];
        setRow(grid, row,
               {QString::number(row), QString::number(piece.value), QString::number(piece.height),
                QString::number(piece.length), QString::number(piece.demand)});
    }
    const bool narrow = instance.pieceCount <= narrowUpTo;
    grid.setWidthAndScrollBar(narrow ? 329 : 347, !narrow);
}

void fillCountGrid(StringGrid& grid, const std::array<std::int32_t, problem::maxPieceTypes>& counts,
                   int pieceCount)
{
    grid.setRows(rowsFor(pieceCount));
    setRow(grid, 0, {QStringLiteral("Peça nº"), QStringLiteral("Demanda")});
    for (int row = 1; row < grid.rowCount(); ++row)
        setRow(grid, row, {QString::number(row), QString::number(counts[row - 1])});
    const bool narrow = pieceCount <= 12;
    grid.setWidthAndScrollBar(narrow ? 133 : 153, !narrow);
}
