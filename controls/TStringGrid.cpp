#include "controls/TStringGrid.h"

#include "controls/StringGridCells.h"

#include <QHeaderView>

TStringGrid::TStringGrid(int columns, int rows, QWidget *parent)
    : QTableView(parent)
    , m_cells(new StringGridCells(columns, rows, this))
{
    setModel(m_cells);

    // The fixed row is the horizontal header, the fixed column the
    // vertical one; the corner between them shows nothing and does nothing.
    QHeaderView *top = horizontalHeader();
    top->setDefaultSectionSize(64);
    top->setSectionResizeMode(QHeaderView::Interactive);
    top->setStretchLastSection(false);
    top->setSectionsClickable(false);
    top->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QHeaderView *left = verticalHeader();
    left->setSectionResizeMode(QHeaderView::Fixed);
    left->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    left->setFixedWidth(64);
    setCornerButtonEnabled(false);

    // Sideways by pixels: a column widened beyond the grid can still be
    // read to its end.
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::Box);
    // Text too long for its cell is cut off at the cell edge; the user can
    // widen the column to read it.
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
}

QString TStringGrid::Cells(int column, int row) const
{
    return m_cells->cell(column, row);
}

void TStringGrid::setCells(int column, int row, const QString &text)
{
    m_cells->setCell(column, row, text);
}

int TStringGrid::RowCount() const
{
    return m_cells->rows();
}

void TStringGrid::setRowCount(int rows)
{
    m_cells->setRows(rows);
}

int TStringGrid::columnCount() const
{
    return m_cells->columns();
}

void TStringGrid::setColWidth(int column, int width)
{
    if (column < 0 || column >= columnCount() || width < 0)
        return;
    if (column == 0)
        verticalHeader()->setFixedWidth(width);
    else
        setColumnWidth(column - 1, width);
}
