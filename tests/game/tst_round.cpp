// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/Round.h"

#include <QTest>

// A turn played as a sequence of events: a character is a guess, "." a tick
// of the clock. Each answer is one letter: R refused, P repeated, H hit,
// M miss, W won, L lost; c counted, i ignored, t timed out.
class TestRound : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void turn_data();
    void turn();
    // What a screen reader reads of the turn.
    void spokenWord_data();
    void spokenWord();
};

void TestRound::turn_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("maxMistakes");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("firstLetter");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<int>("mistakes");
    QTest::addColumn<int>("seconds");

    const int none = int(Round::TimeLimit::None);
    const int perGuess = int(Round::TimeLimit::PerGuess);
    const int whole = int(Round::TimeLimit::WholeTurn);
    QTest::newRow("first letter revealed") << "HAUS" << 9 << none << true << "H" << "h" << "P" << 0 << 4;
    QTest::newRow("first letter completes a word of one letter") << "AAA" << 9 << none << true << "W" << "a." << "Ri" << 0 << 4;
    QTest::newRow("nothing to reveal, nothing given") << "HAUS" << 9 << none << false << "" << "" << "" << 0 << 4;
    QTest::newRow("exact maximum loses, then nothing counts") << "HAUS" << 2 << none << false << "" << "xyz." << "MLRi" << 2 << 4;
    QTest::newRow("maximum 0 is never reached") << "AB" << 0 << none << false << "" << "xyab" << "MMHW" << 2 << 4;
    QTest::newRow("whole turn runs out at the maximum") << "HAUS" << 7 << whole << false << "" << "x...." << "Mccct" << 7 << 0;
    QTest::newRow("a new guess restarts the period") << "HAUS" << 9 << perGuess << false << "" << "..ah.." << "ccHHcc" << 0 << 1;
    QTest::newRow("a repeated guess does not") << "HAUS" << 9 << perGuess << false << "" << ".a.a." << "cHcPc" << 0 << 1;
    QTest::newRow("a won turn ignores ticks") << "AB" << 9 << whole << false << "" << "ab." << "HWi" << 0 << 4;
}

void TestRound::turn()
{
    QFETCH(QString, word);
    QFETCH(int, maxMistakes);
    QFETCH(int, limit);
    QFETCH(bool, firstLetter);
    QFETCH(QString, start);
    QFETCH(QString, events);
    QFETCH(QString, answers);
    QFETCH(int, mistakes);
    QFETCH(int, seconds);

    Round round;
    round.SecretWord = word;
    for (const char c : QByteArrayLiteral("ABHSUXYZ"))
        round.AllowedChars.insert(QLatin1Char(c));
    Round::Rules rules;
    rules.maxMistakes = maxMistakes;
    rules.timeLimit = Round::TimeLimit(limit);
    // Apart, so that a period begun with the start's seconds is seen.
    rules.startSeconds = 4;
    rules.periodSeconds = 3;
    rules.firstLetterGiven = firstLetter;

    const QString letters = QStringLiteral("RPHMWL");
    const QString ticks = QStringLiteral("ict");
    const std::optional<Round::Guess> revealed = round.start(rules);
    QCOMPARE(revealed ? QString(letters.at(int(*revealed))) : QString(), start);

    QString seen;
    for (const QChar event : events)
        seen += event == QLatin1Char('.') ? ticks.at(int(round.tick())) : letters.at(int(round.guess(event)));
    QCOMPARE(seen, answers);
    QCOMPARE(round.mistakes(), mistakes);
    QCOMPARE(round.secondsLeft(), seconds);
    // A turn that ended stays ended, and a word shown in full is not won twice.
    QCOMPARE(round.RoundOver, answers.contains(QLatin1Char('W')) || answers.contains(QLatin1Char('L'))
                                  || answers.contains(QLatin1Char('t')) || start == QLatin1String("W"));
    QVERIFY(!round.settle());
}

void TestRound::spokenWord_data()
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

void TestRound::spokenWord()
{
    QFETCH(QString, word);
    QFETCH(QString, guessed);
    QFETCH(bool, running);
    QFETCH(bool, over);
    QFETCH(QString, spoken);

    Round round;
    round.SecretWord = word;
    for (const QChar c : guessed)
        round.GuessedChars.insert(c);
    round.RoundRunning = running;
    round.RoundOver = over;
    QCOMPARE(round.spokenWord(), spoken);
}

QTEST_APPLESS_MAIN(TestRound)
#include "tst_round.moc"
