// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/StringGridCells.h"

namespace {

// Rows or columns of the scrolling part for a grid of this many.
int scrolling(int count)
{
    return count > 1 ? count - 1 : 0;
}

} // namespace

StringGridCells::StringGridCells(int columns, int rows, QObject *parent)
    : QAbstractTableModel(parent)
    , m_columns(qMax(columns, 0))
{
    setRows(rows);
}

void StringGridCells::setRows(int rows)
{
    const int old = this->rows();
    if (rows < 0 || rows == old)
        return;
    if (rows > old) {
        const bool growing = scrolling(rows) > scrolling(old);
        if (growing)
            beginInsertRows(QModelIndex(), scrolling(old), scrolling(rows) - 1);
        while (m_cells.size() < rows)
            m_cells.append(QStringList(QList<QString>(m_columns)));
        if (growing)
            endInsertRows();
    } else {
        const bool shrinking = scrolling(rows) < scrolling(old);
        if (shrinking)
            beginRemoveRows(QModelIndex(), scrolling(rows), scrolling(old) - 1);
        m_cells.resize(rows);
        if (shrinking)
            endRemoveRows();
    }
    // The fixed row appears or goes with the first row.
    if ((old == 0) != (rows == 0) && m_columns > 1)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, m_columns - 2);
}

QString StringGridCells::cell(int column, int row) const
{
    if (column < 0 || column >= m_columns || row < 0 || row >= rows())
        return QString();
    return m_cells.at(row).at(column);
}

void StringGridCells::setCell(int column, int row, const QString &text)
{
    if (column < 0 || column >= m_columns || row < 0 || row >= rows() || m_cells.at(row).at(column) == text)
        return;
    m_cells[row][column] = text;
    if (row == 0 && column > 0) {
        Q_EMIT headerDataChanged(Qt::Horizontal, column - 1, column - 1);
    } else if (column == 0 && row > 0) {
        Q_EMIT headerDataChanged(Qt::Vertical, row - 1, row - 1);
    } else if (row > 0) {
        const QModelIndex changed = index(row - 1, column - 1);
        Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole});
    }
}

int StringGridCells::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : scrolling(rows());
}

int StringGridCells::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : scrolling(m_columns);
}

QVariant StringGridCells::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return QVariant();
    return cell(index.column() + 1, index.row() + 1);
}

QVariant StringGridCells::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return QVariant();
    return orientation == Qt::Horizontal ? cell(section + 1, 0) : cell(0, section + 1);
}

Qt::ItemFlags StringGridCells::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
