#include "controls/TStringGrid.h"

#include <QHeaderView>

TStringGrid::TStringGrid(int columns, int rows, QWidget *parent)
    : QTableWidget(parent)
{
    setColumnCount(columns);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setDefaultSectionSize(64);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::Box);
    // Text too long for its cell is cut off at the cell edge.
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    setRowCount(rows);
}

QString TStringGrid::Cells(int column, int row) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

void TStringGrid::setCells(int column, int row, const QString &text)
{
    if (column < 0 || column >= columnCount() || row < 0 || row >= rowCount())
        return;
    QTableWidgetItem *cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        setItem(row, column, cell);
        styleCell(column, row);
    }
    cell->setText(text);
}

void TStringGrid::setRowCount(int rows)
{
    const int old = rowCount();
    QTableWidget::setRowCount(rows);
    for (int row = old; row < rows; ++row)
        for (int column = 0; column < columnCount(); ++column)
            setCells(column, row, QString());
}

void TStringGrid::setColWidth(int column, int width)
{
    setColumnWidth(column, width);
}

void TStringGrid::styleCell(int column, int row)
{
    QTableWidgetItem *cell = item(row, column);
    if (row == 0 || column == 0) {
        cell->setBackground(palette().button());
        cell->setFlags(Qt::ItemIsEnabled);
    }
}
