#pragma once

#include <QTableWidget>

// A grid of text cells addressed as (column, row), with the first row and
// the first column drawn as fixed headers. The cells are the data.
class TStringGrid : public QTableWidget
{
    Q_OBJECT

public:
    TStringGrid(int columns, int rows, QWidget *parent = nullptr);

    QString Cells(int column, int row) const;
    void setCells(int column, int row, const QString &text);

    int RowCount() const { return rowCount(); }
    void setRowCount(int rows);

    void setColWidth(int column, int width);

private:
    void styleCell(int column, int row);
};
