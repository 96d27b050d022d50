// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/Scoring.h"
#include "game/TurnOutcome.h"

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

// "shown/total" of the figure after these mistakes, during the turn or
// once it is lost.
static QString figure(int maxMistakes, int mistakes, bool lost)
{
    const TurnOutcome::FigureSteps steps = TurnOutcome::figureSteps(maxMistakes, mistakes, lost);
    return QStringLiteral("%1/%2").arg(steps.shown).arg(steps.total);
}

static QString outcome(TurnRecord::Outcome outcome, int mistakes, TurnOutcome::Viewer viewer)
{
    return TurnOutcome::line(outcome, mistakes, viewer, QStringLiteral("Bert")).text();
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
    QTest::newRow("alone, one word") << Scoring::soloResultText(QStringLiteral("Anna"), 1, 1)
                                     << QStringLiteral("Anna hat 1 von 1 Wort erraten.");
    QTest::newRow("alone, two words") << Scoring::soloResultText(QStringLiteral("Anna"), 0, 2)
                                      << QStringLiteral("Anna hat 0 von 2 Wörtern erraten.");

    using Outcome = TurnRecord::Outcome;
    using Viewer = TurnOutcome::Viewer;
    QTest::newRow("won, on a screen both share") << outcome(Outcome::Won, 2, Viewer::BothPlayers)
                                                 << QStringLiteral("Bert hat das Wort erraten, mit 2 Fehlern.");
    QTest::newRow("won with one mistake, the guesser's own screen")
        << outcome(Outcome::Won, 1, Viewer::Guesser) << QStringLiteral("Du hast das Wort erraten, mit 1 Fehler.");
    QTest::newRow("won without a mistake, the setter's screen")
        << outcome(Outcome::Won, 0, Viewer::Setter) << QStringLiteral("Bert hat dein Wort erraten, ohne Fehler.");
    QTest::newRow("lost by mistakes") << outcome(Outcome::LostByMistakes, 9, Viewer::BothPlayers)
                                      << QStringLiteral("9 Fehler: Bert hat das Wort nicht erraten.");
    QTest::newRow("lost by time, the setter's screen") << outcome(Outcome::LostByTime, 9, Viewer::Setter)
                                                       << QStringLiteral("Zeit abgelaufen: Bert hat dein Wort nicht erraten.");
    QTest::newRow("given up, alone") << outcome(Outcome::GivenUp, 9, Viewer::Guesser)
                                     << QStringLiteral("Aufgegeben: Du hast das Wort nicht erraten.");

    QTest::newRow("figure: a step a mistake") << figure(9, 3, false) << QStringLiteral("3/9");
    QTest::newRow("figure: complete at the maximum") << figure(25, 25, false) << QStringLiteral("25/25");
    QTest::newRow("figure: complete at once when lost otherwise") << figure(9, 2, true) << QStringLiteral("9/9");
    QTest::newRow("figure: maximum 1") << figure(1, 0, false) << QStringLiteral("0/1");
    QTest::newRow("figure: no maximum, a part a mistake") << figure(0, 4, false) << QStringLiteral("4/11");
    QTest::newRow("figure: no maximum, the last part waits for a lost turn")
        << figure(0, 30, false) << QStringLiteral("10/11");
    QTest::newRow("figure: no maximum, lost by time") << figure(0, 0, true) << QStringLiteral("11/11");
}

void TestScoring::texts()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

QTEST_APPLESS_MAIN(TestScoring)
#include "tst_scoring.moc"
