// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The text cells of a string grid, addressed as (column, row) and holding
// the fixed first row and first column too. A view sees only the part
// that scrolls: row 0 comes out as the horizontal header's texts and
// column 0 as the vertical header's, so both stay where they are while
// the rest moves beneath them.
class StringGridCells : public QAbstractTableModel
{
public:
    StringGridCells(int columns, int rows, QObject *parent = nullptr);

    int columns() const { return m_columns; }
    int rows() const { return int(m_cells.size()); }
    // Rows added at the end are empty; a negative count is ignored.
    void setRows(int rows);

    // Empty outside the grid; writing outside it does nothing.
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    int m_columns;
    // m_cells[row][column]
    QList<QStringList> m_cells;
};
