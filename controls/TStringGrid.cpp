// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/TStringGrid.h"

#include "controls/StringGridCells.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QToolTip>

#include <numeric>

namespace {

constexpr int kDefaultWidth = 64;

// Qt's own header cuts a text too long for its section wherever the
// section ends, mid-glyph; this one ends it in an ellipsis.
class ElidingHeader : public QHeaderView
{
public:
    using QHeaderView::QHeaderView;

    bool isCut(int logicalIndex) const
    {
        QStyleOptionHeader option = optionFor(logicalIndex, sectionRect(logicalIndex));
        return option.fontMetrics.horizontalAdvance(option.text) > labelWidth(option);
    }

    QRect sectionRect(int logicalIndex) const
    {
        return QRect(sectionViewportPosition(logicalIndex), 0, sectionSize(logicalIndex), height());
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        // A column of no width has nothing to show, and the style would
        // draw it on a picture of no size.
        if (rect.isEmpty())
            return;
        QStyleOptionHeader option = optionFor(logicalIndex, rect);
        option.text = option.fontMetrics.elidedText(option.text, Qt::ElideRight, labelWidth(option));
        style()->drawControl(QStyle::CE_Header, &option, painter, this);
    }

private:
    QStyleOptionHeader optionFor(int logicalIndex, const QRect &rect) const
    {
        QStyleOptionHeader option;
        initStyleOption(&option);
        initStyleOptionForIndex(&option, logicalIndex);
        option.rect = rect;
        return option;
    }

    int labelWidth(const QStyleOptionHeader &option) const
    {
        return style()->subElementRect(QStyle::SE_HeaderLabel, &option, this).width();
    }
};

} // namespace

TStringGrid::TStringGrid(int columns, int rows, QWidget *parent)
    : QTableView(parent)
    , m_cells(new StringGridCells(columns, rows, this))
{
    setHorizontalHeader(new ElidingHeader(Qt::Horizontal, this));
    setModel(m_cells);
    m_wantedWidths = QList<int>(m_cells->columnCount(), kDefaultWidth);

    // The fixed row is the horizontal header, the fixed column the
    // vertical one; the corner between them shows nothing and does nothing.
    QHeaderView *top = horizontalHeader();
    top->setDefaultSectionSize(kDefaultWidth);
    top->setSectionResizeMode(QHeaderView::Interactive);
    top->setStretchLastSection(false);
    top->setSectionsClickable(false);
    top->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    top->viewport()->installEventFilter(this);
    QHeaderView *left = verticalHeader();
    left->setSectionResizeMode(QHeaderView::Fixed);
    left->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    left->setFixedWidth(kDefaultWidth);
    setCornerButtonEnabled(false);
    connect(top, &QHeaderView::sectionResized, this, [this] {
        if (!m_fitting)
            m_userSized = true;
    });

    // Sideways by pixels: a column widened beyond the grid can still be
    // read to its end.
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::Box);
    setTextElideMode(Qt::ElideRight);
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
    if (column == 0) {
        verticalHeader()->setFixedWidth(width);
        return;
    }
    m_wantedWidths[column - 1] = width;
    fitColumns();
}

void TStringGrid::resizeEvent(QResizeEvent *event)
{
    // The viewport's size: a scroll bar coming or going changes it too.
    QTableView::resizeEvent(event);
    fitColumns();
}

void TStringGrid::fitColumns()
{
    if (m_userSized)
        return;
    const int wanted = std::accumulate(m_wantedWidths.cbegin(), m_wantedWidths.cend(), 0);
    const int missing = qMax(0, wanted - viewport()->width());
    int spare = 0;
    for (int width : qAsConst(m_wantedWidths))
        spare += qMax(0, width - kDefaultWidth);

    // Each wide column gives up its share of what is missing, by how much
    // it is wider than the default; the shares add up exactly.
    m_fitting = true;
    int spareSoFar = 0;
    int givenSoFar = 0;
    for (int column = 0; column < m_wantedWidths.size(); ++column) {
        const int width = m_wantedWidths.at(column);
        int given = 0;
        if (spare > 0) {
            spareSoFar += qMax(0, width - kDefaultWidth);
            const int givenUpToHere = int(qint64(qMin(missing, spare)) * spareSoFar / spare);
            given = givenUpToHere - givenSoFar;
            givenSoFar = givenUpToHere;
        }
        setColumnWidth(column, width - given);
    }
    m_fitting = false;
}

bool TStringGrid::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString text = index.data().toString();
    const QRect cell = visualRect(index);
    // The margin the style leaves on either side of a cell's text.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    showTip(help->globalPos(), fontMetrics().horizontalAdvance(text) > cell.width() - 2 * margin, text, cell,
            viewport());
    return true;
}

bool TStringGrid::eventFilter(QObject *watched, QEvent *event)
{
    const auto *top = static_cast<ElidingHeader *>(horizontalHeader());
    if (watched != top->viewport() || event->type() != QEvent::ToolTip)
        return QTableView::eventFilter(watched, event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const int section = top->logicalIndexAt(help->pos());
    showTip(help->globalPos(), section >= 0 && top->isCut(section),
            model()->headerData(section, Qt::Horizontal).toString(), top->sectionRect(section), top->viewport());
    return true;
}

void TStringGrid::showTip(const QPoint &globalPos, bool cut, const QString &text, const QRect &place, QWidget *over)
{
    if (cut)
        QToolTip::showText(globalPos, text, over, place);
    else
        QToolTip::hideText();
}
