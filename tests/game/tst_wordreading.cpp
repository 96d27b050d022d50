// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/RoundState.h"
#include "game/WordReading.h"

#include <QTest>

class TestWordReading : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void spokenWord_data();
    void spokenWord();
};

void TestWordReading::spokenWord_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("guessed");
    QTest::addColumn<bool>("running");
    QTest::addColumn<bool>("over");
    QTest::addColumn<QString>("spoken");

    QTest::newRow("before the start nothing is shown") << "HAUS" << "H" << false << false << "";
    QTest::newRow("first letter given") << "ANNA" << "A" << true << false << QString::fromUtf8("A Lücke Lücke A");
    QTest::newRow("lower case revealed by its capital") << "haus" << "HU" << true << false
                                                        << QString::fromUtf8("h Lücke u Lücke");
    QTest::newRow("blanks and punctuation hidden like letters")
        << "ES GEHT." << "EST" << true << false << QString::fromUtf8("E S Lücke Lücke E Lücke T Lücke");
    QTest::newRow("a guessed blank is named") << "JA JA" << "JA " << true << false << "J A Leerzeichen J A";
    QTest::newRow("lost: what was missing is named")
        << "HAUS" << "HA" << false << true << "H A U (nicht erraten) S (nicht erraten)";
}

void TestWordReading::spokenWord()
{
    QFETCH(QString, word);
    QFETCH(QString, guessed);
    QFETCH(bool, running);
    QFETCH(bool, over);
    QFETCH(QString, spoken);

    TRoundState state;
    state.SecretWord = word;
    for (const QChar c : guessed)
        state.GuessedChars.insert(c);
    state.RoundRunning = running;
    state.RoundOver = over;
    QCOMPARE(WordReading::spokenWord(state), spoken);
}

QTEST_APPLESS_MAIN(TestWordReading)
#include "tst_wordreading.moc"
