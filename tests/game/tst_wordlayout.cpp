// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/WordLayout.h"

#include <QTest>

class TestWordLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellOrigin_data();
    void cellOrigin();
    void centredLeft_data();
    void centredLeft();
    void longestWordFillsFourLines();
};

void TestWordLayout::cellOrigin_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QPoint>("origin");

    QTest::newRow("first") << 1 << QPoint(24, 0);
    QTest::newRow("second") << 2 << QPoint(74, 0);
    QTest::newRow("last of the first line") << 15 << QPoint(724, 0);
    QTest::newRow("16th starts the second line") << 16 << QPoint(24, 70);
    QTest::newRow("17th") << 17 << QPoint(74, 70);
    QTest::newRow("last of the second line") << 30 << QPoint(724, 70);
    QTest::newRow("third line") << 31 << QPoint(24, 140);
    QTest::newRow("60th, the longest word's end") << 60 << QPoint(724, 210);
    QTest::newRow("0 counts as the first") << 0 << QPoint(24, 0);
}

void TestWordLayout::cellOrigin()
{
    QFETCH(int, position);
    QFETCH(QPoint, origin);
    QCOMPARE(WordLayout::cellOrigin(position), origin);
}

void TestWordLayout::centredLeft_data()
{
    QTest::addColumn<int>("centre");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("left");

    QTest::newRow("even width") << 49 << 40 << 29;
    QTest::newRow("odd width truncates the half") << 49 << 41 << 29;
    QTest::newRow("wider than the centre") << 10 << 31 << -5;
    QTest::newRow("empty text") << 49 << 0 << 49;
}

void TestWordLayout::centredLeft()
{
    QFETCH(int, centre);
    QFETCH(int, width);
    QFETCH(int, left);
    QCOMPARE(WordLayout::centredLeft(centre, width), left);
}

void TestWordLayout::longestWordFillsFourLines()
{
    // Every cell of a 60-character word lies inside the game page's box.
    for (int position = 1; position <= 60; ++position) {
        const QPoint origin = WordLayout::cellOrigin(position);
        QVERIFY2(origin.x() + WordLayout::kCellWidth <= 800, qPrintable(QString::number(position)));
        QVERIFY(origin.y() <= 210);
    }
    QCOMPARE(WordLayout::cellsPerLine(), 15);
}

QTEST_APPLESS_MAIN(TestWordLayout)
#include "tst_wordlayout.moc"
