// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The statistics grid of a long match through the real window: what stays
// in sight while it scrolls, and columns the user widens or narrows.
#include "controls/TKxBitBtn.h"
#include "controls/TStringGrid.h"
#include "support/FormFixture.h"
#include "support/GameTestMain.h"
#include "window/TForm1.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>
#include <QLineEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>

#include <memory>

class TestStatisticsPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void headersStayInSight_data();
    void headersStayInSight();
    void longTextsEndInAnEllipsis_data();
    void longTextsEndInAnEllipsis();
    void columnsFollowTheMouse_data();
    void columnsFollowTheMouse();

private:
    // A match of that many rounds with every cell written, on its
    // statistics page.
    void showLongMatch(int rounds = 30, const QString &player1 = QStringLiteral("Anna"));
    // The text the grid shows at this point of it, wherever it comes from.
    QString shownAt(const QPoint &point) const;
    // What shows along the top edge (horizontal) or the left edge of the grid.
    QStringList shownAlong(Qt::Orientation edge) const;
    // The x of the first point along the top that shows this text.
    int leftEdgeOf(const QString &text) const;

    std::unique_ptr<FormFixture> m_fixture;
    TForm1 *m_form = nullptr;
    TStringGrid *m_grid = nullptr;
};

void TestStatisticsPage::init()
{
    m_fixture = std::make_unique<FormFixture>();
    m_form = &m_fixture->createShown();
    // The tests reach into every page's controls.
    m_fixture->buildAllPages();
    m_grid = controlOf<TStringGrid>(m_form, "Statistik");
}

void TestStatisticsPage::cleanup()
{
    m_fixture.reset();
    m_form = nullptr;
    m_grid = nullptr;
}

void TestStatisticsPage::showLongMatch(int rounds, const QString &player1)
{
    controlOf<QSpinBox>(m_form, "Rounds")->setValue(rounds);
    QTest::mouseClick(m_fixture->control<TKxBitBtn>("StartGame"), Qt::LeftButton);
    QTest::keyClicks(controlOf<QLineEdit>(m_form, "Player1"), player1);
    QTest::keyClicks(controlOf<QLineEdit>(m_form, "Player2"), QStringLiteral("Bert"));
    QTest::mouseClick(m_fixture->control<TKxBitBtn>("PlayersOK"), Qt::LeftButton);
    QCOMPARE(m_grid->RowCount(), rounds + 1);
    for (int row = 1; row <= rounds; ++row) {
        m_grid->setCells(1, row, QStringLiteral("ANNAS%1").arg(row));
        m_grid->setCells(2, row, QString::number(row % 7));
        m_grid->setCells(3, row, QString::number(row % 5));
        m_grid->setCells(4, row, QStringLiteral("BERTS%1").arg(row));
    }
    m_form->showPage(TForm1::Statistics);
    QTRY_COMPARE(m_grid->verticalScrollBar()->maximum() > 0, rounds > 12);
}

QString TestStatisticsPage::shownAt(const QPoint &point) const
{
    for (QWidget *under = m_grid->childAt(point); under && under != m_grid; under = under->parentWidget()) {
        const QPoint local = under->mapFrom(m_grid, point);
        if (auto *header = qobject_cast<QHeaderView *>(under)) {
            const int section = header->logicalIndexAt(local);
            return section < 0 ? QString() : header->model()->headerData(section, header->orientation()).toString();
        }
        if (under == m_grid->viewport())
            return m_grid->indexAt(local).data().toString();
    }
    return QString();
}

QStringList TestStatisticsPage::shownAlong(Qt::Orientation edge) const
{
    QStringList texts;
    const int inset = m_grid->frameWidth() + 4;
    const int length = edge == Qt::Horizontal ? m_grid->width() : m_grid->height();
    for (int at = m_grid->frameWidth(); at < length - m_grid->frameWidth(); ++at) {
        const QString text = shownAt(edge == Qt::Horizontal ? QPoint(at, inset) : QPoint(inset, at));
        if (!text.isEmpty() && !texts.contains(text))
            texts << text;
    }
    return texts;
}

int TestStatisticsPage::leftEdgeOf(const QString &text) const
{
    for (int x = m_grid->frameWidth(); x < m_grid->width(); ++x) {
        if (shownAt({x, m_grid->frameWidth() + 4}) == text)
            return x;
    }
    return -1;
}

void TestStatisticsPage::headersStayInSight_data()
{
    QTest::addColumn<bool>("down");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QStringList>("onTop");
    QTest::addColumn<QStringList>("onTheLeft");

    QTest::newRow("to the last round") << true << false << QStringList{"Worte von Anna", "< Fehler", "Fehler >"}
                                       << QStringList{"29", "30"};
    QTest::newRow("to the last column") << false << true << QStringList{"< Fehler", "Fehler >", "Worte von Bert"}
                                        << QStringList{"1", "2", "10"};
    QTest::newRow("to the far corner") << true << true << QStringList{"< Fehler", "Fehler >", "Worte von Bert"}
                                       << QStringList{"29", "30"};
}

void TestStatisticsPage::headersStayInSight()
{
    QFETCH(bool, down);
    QFETCH(bool, right);
    QFETCH(QStringList, onTop);
    QFETCH(QStringList, onTheLeft);

    showLongMatch();
    // The columns fit beside the scroll bar of a long match.
    QCOMPARE(m_grid->horizontalScrollBar()->maximum(), 0);
    if (down)
        m_grid->verticalScrollBar()->setValue(m_grid->verticalScrollBar()->maximum());
    if (right)
        m_grid->horizontalScrollBar()->setValue(m_grid->horizontalScrollBar()->maximum());

    const QStringList top = shownAlong(Qt::Horizontal);
    const QStringList left = shownAlong(Qt::Vertical);
    for (const QString &text : onTop)
        QVERIFY2(top.contains(text), qPrintable(text + QLatin1String(" not in: ") + top.join(QLatin1String(" | "))));
    for (const QString &text : onTheLeft)
        QVERIFY2(left.contains(text), qPrintable(text + QLatin1String(" not in: ") + left.join(QLatin1String(" | "))));
}

void TestStatisticsPage::longTextsEndInAnEllipsis_data()
{
    QTest::addColumn<int>("rounds");
    QTest::addColumn<QString>("player1");
    QTest::addColumn<bool>("cut");

    QTest::newRow("short name, short match") << 5 << "Anna" << false;
    QTest::newRow("long name, short match") << 5 << "Maximiliane-Josephine" << true;
    QTest::newRow("long name, long match") << 30 << "Maximiliane-Josephine" << true;
}

// At the page's size all five columns are in sight; what does not fit in
// its cell ends in an ellipsis and shows whole in its tooltip.
void TestStatisticsPage::longTextsEndInAnEllipsis()
{
    QFETCH(int, rounds);
    QFETCH(QString, player1);
    QFETCH(bool, cut);

    showLongMatch(rounds, player1);
    QCOMPARE(m_grid->horizontalScrollBar()->maximum(), 0);
    const QString header = QStringLiteral("Worte von ") + player1;
    QVERIFY(leftEdgeOf(header) >= 0);
    QVERIFY(leftEdgeOf(QStringLiteral("Worte von Bert")) >= 0);

    QHeaderView *top = m_grid->horizontalHeader();
    const QPoint onHeader(top->sectionViewportPosition(0) + 10, top->height() / 2);
    QHelpEvent help(QEvent::ToolTip, onHeader, top->viewport()->mapToGlobal(onHeader));
    QApplication::sendEvent(top->viewport(), &help);
    QTRY_COMPARE(QToolTip::text(), cut ? header : QString());
    QToolTip::hideText();
}

void TestStatisticsPage::columnsFollowTheMouse_data()
{
    QTest::addColumn<int>("drag");
    QTest::newRow("wider") << 60;
    QTest::newRow("narrower") << -80;
}

void TestStatisticsPage::columnsFollowTheMouse()
{
    QFETCH(int, drag);

    // Player 1's words, followed by the mistakes column.
    showLongMatch();
    const int left = leftEdgeOf(QStringLiteral("Worte von Anna"));
    const int border = leftEdgeOf(QStringLiteral("< Fehler"));
    QVERIFY(left >= 0);
    QVERIFY(border > left);

    // Press on the column's last pixel and drag its right border.
    const QPoint from(border - 1, m_grid->frameWidth() + 4);
    QWidget *target = m_grid->childAt(from);
    QVERIFY(target);
    const QPoint start = target->mapFrom(m_grid, from);
    QTest::mousePress(target, Qt::LeftButton, {}, start);
    QTest::mouseMove(target, start + QPoint(drag / 2, 0));
    QTest::mouseMove(target, start + QPoint(drag, 0));
    QTest::mouseRelease(target, Qt::LeftButton, {}, start + QPoint(drag, 0));

    QCOMPARE(leftEdgeOf(QStringLiteral("Worte von Anna")), left);
    QCOMPARE(leftEdgeOf(QStringLiteral("< Fehler")), border + drag);
}

GAME_TEST_MAIN(TestStatisticsPage)
#include "tst_statisticspage.moc"
