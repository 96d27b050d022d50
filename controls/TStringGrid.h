#pragma once

#include <QTableView>

class StringGridCells;

// A grid of text cells addressed as (column, row). The first row and the
// first column are fixed: they keep their place while the other cells
// scroll beneath them, and they look like headers. The user may drag the
// borders of the other columns; the first keeps the width set here. The
// cells are the data.
class TStringGrid : public QTableView
{
    Q_OBJECT

public:
    TStringGrid(int columns, int rows, QWidget *parent = nullptr);

    QString Cells(int column, int row) const;
    void setCells(int column, int row, const QString &text);

    int RowCount() const;
    void setRowCount(int rows);
    int columnCount() const;

    // A negative width is ignored.
    void setColWidth(int column, int width);

private:
    StringGridCells *m_cells;
};
