// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QTableView>

class StringGridCells;

// A grid of text cells addressed as (column, row). The first row and the
// first column are fixed: they keep their place while the other cells
// scroll beneath them, and they look like headers. The cells are the data.
//
// The widths set with setColWidth are what the columns would like. While
// the grid is narrower than their sum, the columns wider than the default
// give up the difference between them, so that every column stays in
// sight; a text too long for its cell ends in an ellipsis and shows whole
// in its tooltip. Once the user drags the border of a column the widths
// are the user's, and the grid scrolls sideways when they need to.
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

    // A negative width is ignored. The first column keeps its width.
    void setColWidth(int column, int width);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitColumns();
    // Shows the text whole over its place when it is cut there; else no tip.
    void showTip(const QPoint &globalPos, bool cut, const QString &text, const QRect &place, QWidget *over);

    StringGridCells *m_cells;
    // What the scrolling columns would like, by their own index.
    QList<int> m_wantedWidths;
    bool m_fitting = false;
    bool m_userSized = false;
};
