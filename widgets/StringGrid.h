#pragma once

#include <QTableWidget>

// A grid of strings whose first row and first column are fixed headings,
// addressed as (column, row) like the grids the windows were designed with.
class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    StringGrid(int columns, int rows, QWidget* parent = nullptr);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    // Changes the row count; the texts of the rows kept stay.
    void setRows(int rows);
    void setCellEditing(bool on);
    bool cellEditing() const;
    // Sets the width and shows a vertical scroll bar or none.
    void setWidthAndScrollBar(int width, bool verticalScrollBar);
    // Widths of the columns from the first; the others keep the default width.
    void setColumnWidths(const QList<int>& widths);

private:
    void prepareCell(int column, int row);
};
