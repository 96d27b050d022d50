// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/Scoring.h"

#include <QTest>

using Scoring::Leader;
using Scoring::WinnerRule;

Q_DECLARE_METATYPE(Scoring::WinnerRule)
Q_DECLARE_METATYPE(Scoring::Leader)

class TestScoring : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void standings_data();
    void standings();
    void texts_data();
    void texts();
};

// Rows are written as "player 2's mistakes/player 1's mistakes" per round,
// rounds separated by blanks; a missing side is a turn not yet played.
static QList<TurnRecord> turns(const QString &description)
{
    QList<TurnRecord> result;
    int round = 0;
    for (const QString &each : description.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        ++round;
        const QStringList sides = each.split(QLatin1Char('/'));
        for (int side = 0; side < 2; ++side) {
            if (sides.value(side).isEmpty())
                continue;
            TurnRecord turn;
            turn.round = round;
            // Player 2 guesses first, player 1 second.
            turn.guessingPlayer = quint8(1 - side);
            turn.mistakes = sides.value(side).toInt();
            result.append(turn);
        }
    }
    return result;
}

void TestScoring::standings_data()
{
    QTest::addColumn<QString>("grid");
    QTest::addColumn<WinnerRule>("rule");
    QTest::addColumn<qlonglong>("player1");
    QTest::addColumn<qlonglong>("player2");
    QTest::addColumn<Leader>("leader");

    const WinnerRule won = WinnerRule::MostRoundsWon;
    const WinnerRule few = WinnerRule::FewestMistakes;

    QTest::newRow("rounds: no round played") << "/ / /" << won << 0LL << 0LL << Leader::Nobody;
    QTest::newRow("rounds: equal mistakes tie the round") << "2/2" << won << 0LL << 0LL << Leader::Nobody;
    QTest::newRow("rounds: after its first turn a round is nobody's yet") << "3/" << won << 0LL << 0LL << Leader::Nobody;
    QTest::newRow("rounds: a round counts once both turns are played")
        << "1/0 3/" << won << 1LL << 0LL << Leader::Player1;
    QTest::newRow("rounds: first turn without mistakes wins nobody the round") << "0/" << won << 0LL << 0LL << Leader::Nobody;
    QTest::newRow("rounds: fewer mistakes win the round") << "5/1 0/4 2/3" << won << 1LL << 2LL << Leader::Player2;
    QTest::newRow("rounds: more wins lead, not fewer mistakes")
        << "1/0 1/0 0/9" << won << 2LL << 1LL << Leader::Player1;
    QTest::newRow("rounds: equal wins") << "1/0 0/1 4/4" << won << 1LL << 1LL << Leader::Nobody;
    QTest::newRow("rounds: lost turns both at the maximum tie") << "9/9" << won << 0LL << 0LL << Leader::Nobody;
    QTest::newRow("rounds: two-digit counts compare as numbers") << "10/9" << won << 1LL << 0LL << Leader::Player1;

    QTest::newRow("mistakes: totals 7 and 5") << "3/4 2/3" << few << 7LL << 5LL << Leader::Player2;
    QTest::newRow("mistakes: player 1 fewer") << "6/1 1/2" << few << 3LL << 7LL << Leader::Player1;
    QTest::newRow("mistakes: equal totals") << "4/1 0/3" << few << 4LL << 4LL << Leader::Nobody;
    QTest::newRow("mistakes: empty cells count 0") << "2/ / /" << few << 0LL << 2LL << Leader::Player1;
    QTest::newRow("mistakes: nothing played") << "/" << few << 0LL << 0LL << Leader::Nobody;
    QTest::newRow("mistakes: a round's winner does not matter") << "0/1 0/1 9/0" << few << 2LL << 9LL << Leader::Player1;
}

void TestScoring::standings()
{
    QFETCH(QString, grid);
    QFETCH(WinnerRule, rule);
    QFETCH(qlonglong, player1);
    QFETCH(qlonglong, player2);
    QFETCH(Leader, leader);

    const Scoring::Standings standings = Scoring::standingsOf(turns(grid), rule);
    QCOMPARE(standings.player1, player1);
    QCOMPARE(standings.player2, player2);
    QCOMPARE(standings.leader, leader);
}

void TestScoring::texts_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");

    QTest::newRow("rounds line") << Scoring::standingsLine(WinnerRule::MostRoundsWon, QStringLiteral("Anna"), 2)
                                 << QStringLiteral("Gewonnene Runden Anna: 2");
    QTest::newRow("mistakes line") << Scoring::standingsLine(WinnerRule::FewestMistakes, QStringLiteral("Jörg"), 17)
                                   << QStringLiteral("Fehleranzahl Jörg: 17");
    QTest::newRow("player 1 wins")
        << Scoring::matchResultText(Leader::Player1, QStringLiteral("Anna"), QStringLiteral("Bert"))
        << QStringLiteral("Herzlichen Glückwunsch, Anna! Du hast das Spiel gewonnen!");
    QTest::newRow("player 2 wins")
        << Scoring::matchResultText(Leader::Player2, QStringLiteral("Anna"), QStringLiteral("Bert"))
        << QStringLiteral("Herzlichen Glückwunsch, Bert! Du hast das Spiel gewonnen!");
    QTest::newRow("draw") << Scoring::matchResultText(Leader::Nobody, QStringLiteral("Anna"), QStringLiteral("Bert"))
                          << QStringLiteral("Unentschieden! Beide Spieler haben ihr Bestes gegeben!");
}

void TestScoring::texts()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

QTEST_APPLESS_MAIN(TestScoring)
#include "tst_scoring.moc"
