// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/TKxBitBtn.h"

#include <QSignalSpy>
#include <QTest>

// A keyboard player presses the button that has the focus with space; a
// button put out of sight takes no key.
class TestKxBitBtn : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void spacePressesOnlyAButtonInSight_data();
    void spacePressesOnlyAButtonInSight();
};

void TestKxBitBtn::spacePressesOnlyAButtonInSight_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("clicks");

    QTest::newRow("in sight") << true << 1;
    QTest::newRow("hidden") << false << 0;
}

void TestKxBitBtn::spacePressesOnlyAButtonInSight()
{
    QFETCH(bool, shown);
    QFETCH(int, clicks);

    TKxBitBtn button(QStringLiteral("OK"));
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    if (shown) {
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
    }
    QTest::keyClick(&button, Qt::Key_Space);
    QCOMPARE(clicked.count(), clicks);
    QVERIFY(!button.isDown());
}

QTEST_MAIN(TestKxBitBtn)
#include "tst_kxbitbtn.moc"
