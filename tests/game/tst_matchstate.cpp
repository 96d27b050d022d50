// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/MatchState.h"

#include <QTest>
#include <QTimer>

// A match played as a sequence of moves, separated by blanks:
//   w:WORD  the setter gives a word      +  guessing starts
//   x       the guesser guesses x        o:x  the other seat guesses x
//   .       a tick of the clock          >  the result has been seen
//   -       the match is given up        ( )  the clock paused, resumed
//   !       a hint is asked for          ?  the guesser gives up
//   o?      the other seat gives up
// A match alone is marked "solo:" before its moves, one over the network
// "net:" (the host's computer).
// Each signal the match gives is written down as one token:
//   M match started, W word set, S turn started, the answer to a guess as
//   h/m/w/l/r/p (hit, miss, won, lost, refused, repeated; upper case for the
//   given first letter), C<seconds> the clock, E turn ended, T standings,
//   X<leader 0/1/2> match ended, N next turn, !<letter> a hint given. A
//   refused word is written as
//   ?empty, ?distinct, ?chars, ?late.
// The record lists each turn as round/guesser/word/mistakes/outcome.
class TestMatchState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void moves_data();
    void moves();
};

namespace {

QString answerToken(Round::Guess result, bool atStart)
{
    const char *tokens = "rphmwl";
    const QChar token = QLatin1Char(tokens[int(result)]);
    return atStart ? QString(token.toUpper()) : QString(token);
}

// In the order of the enumerations.
const char *const kOutcomes[] = {"won", "lost", "time", "gave"};
const char *const kVerdicts[] = {"", "?late", "?empty", "?distinct", "?chars"};

} // namespace

void TestMatchState::moves_data()
{
    QTest::addColumn<int>("rounds");
    QTest::addColumn<int>("mistakes");
    // 0 none, 1 per guess, 2 whole word; 5 seconds.
    QTest::addColumn<int>("timeMode");
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("clockRuns");

    QTest::newRow("a round of two turns, each player's word in its row")
        << 1 << 2 << 0 << "w:haus + a u s > w:maus + x y >"
        << "M W H S h h w E T N W H S m l E T X2" << "1/1/HAUS/0/won 1/0/MAUS/2/lost" << false;
    QTest::newRow("after the last turn nothing more is taken")
        << 1 << 9 << 0 << "w:ab + b > w:cd + d > > w:ef + e"
        << "M W H S w E T N W H S w E T X0 ?late" << "1/1/AB/0/won 1/0/CD/0/won" << false;
    QTest::newRow("a second round begins with player 1's word again")
        << 2 << 9 << 0 << "w:ab + b > w:cd + d > w:ef + f"
        << "M W H S w E T N W H S w E T N W H S w E T" << "1/1/AB/0/won 1/0/CD/0/won 2/1/EF/0/won" << false;
    QTest::newRow("words refused, and none before its time")
        << 1 << 9 << 0 << "+ a w: w:aa w:x1 w:ab w:cd"
        << "M ?empty ?distinct ?chars W ?late" << "" << false;
    QTest::newRow("no guess before the start, none from the other seat")
        << 1 << 9 << 0 << "w:haus a + o:a a a 1"
        << "M W H S h p r" << "" << false;
    QTest::newRow("the whole word's time runs out at the maximum of mistakes")
        << 1 << 7 << 2 << "w:haus + x . . . . . a"
        << "M W H S m C4 C3 C2 C1 C0 E T" << "1/1/HAUS/7/time" << false;
    QTest::newRow("the clock runs while guessing, a guess per letter restarts its period")
        << 1 << 9 << 1 << "w:haus + . . a . x"
        << "M W H S C4 C3 h C4 m" << "" << true;
    QTest::newRow("paused, the clock waits; resumed, it goes on")
        << 1 << 9 << 2 << "w:haus + . ( ) ."
        << "M W H S C4 C3" << "" << true;
    QTest::newRow("given up in the middle of a turn, nothing runs on")
        << 1 << 9 << 2 << "w:haus + . - . a ) >"
        << "M W H S C4" << "" << false;
    QTest::newRow("alone, every word is the computer's, one a round")
        << 2 << 9 << 0 << "solo:w:ab + b > w:cd + d > w:ef"
        << "M W H S w E T N W H S w E T X0 ?late" << "1/1/AB/0/won 2/1/CD/0/won" << false;
    QTest::newRow("a hint once a word, for a mistake; never in a game of two")
        << 1 << 9 << 0 << "solo:w:haus + ! ! s" << "M W H S !A h" << "" << false;
    QTest::newRow("no hint in a game of two") << 1 << 9 << 0 << "w:haus + !" << "M W H S" << "" << false;
    QTest::newRow("a hint while its mistake leaves room and two letters are hidden")
        << 1 << 3 << 0 << "solo:w:haus + x a !" << "M W H S m h !U" << "" << false;
    QTest::newRow("no hint when its mistake would end the turn")
        << 1 << 3 << 0 << "solo:w:haus + x y !" << "M W H S m m" << "" << false;
    QTest::newRow("no hint for the last letter left")
        << 1 << 9 << 0 << "solo:w:haus + a u ! s" << "M W H S h h w E T X0" << "1/1/HAUS/0/won" << false;
    QTest::newRow("a maximum of 0: a hint costs a mistake that ends nothing")
        << 1 << 0 << 0 << "solo:w:haus + ! a u s" << "M W H S !A p h w E T X0" << "1/1/HAUS/1/won" << false;
    QTest::newRow("given up: lost with the maximum of mistakes, the clock stops")
        << 1 << 7 << 2 << "w:haus + x . ? . a" << "M W H S m C4 E T" << "1/1/HAUS/7/gave" << false;
    QTest::newRow("only the guesser gives up, only while guessing")
        << 1 << 9 << 0 << "w:haus ? + o? a" << "M W H S h" << "" << false;
    QTest::newRow("a turn over is not given up after")
        << 1 << 9 << 0 << "w:ab + b ?" << "M W H S w E T" << "1/1/AB/0/won" << false;
    QTest::newRow("a maximum of 0: given up with 0 mistakes")
        << 1 << 0 << 0 << "w:haus + x ?" << "M W H S m E T" << "1/1/HAUS/0/gave" << false;
    QTest::newRow("no giving up over the network, which could not tell the other computer")
        << 1 << 9 << 0 << "net:w:haus + ? a" << "M W H S h" << "" << false;
    QTest::newRow("a turn lost by mistakes stops the clock")
        << 1 << 1 << 2 << "w:haus + x a"
        << "M W H S l E T" << "1/1/HAUS/1/lost" << false;
}

void TestMatchState::moves()
{
    QFETCH(int, rounds);
    QFETCH(int, mistakes);
    QFETCH(int, timeMode);
    QFETCH(QString, moves);
    QFETCH(QString, given);
    QFETCH(QString, record);
    QFETCH(bool, clockRuns);

    MatchState match;
    QStringList seen;
    connect(&match, &MatchState::matchStarted, this, [&seen] { seen << QStringLiteral("M"); });
    connect(&match, &MatchState::wordSet, this, [&seen] { seen << QStringLiteral("W"); });
    connect(&match, &MatchState::turnStarted, this, [&seen] { seen << QStringLiteral("S"); });
    connect(&match, &MatchState::guessAnswered, this,
            [&seen](int, QChar, Round::Guess result, bool atStart) { seen << answerToken(result, atStart); });
    connect(&match, &MatchState::clockChanged, this, [&seen](int seconds) { seen << QStringLiteral("C%1").arg(seconds); });
    connect(&match, &MatchState::turnEnded, this, [&seen] { seen << QStringLiteral("E"); });
    connect(&match, &MatchState::standingsChanged, this, [&seen] { seen << QStringLiteral("T"); });
    connect(&match, &MatchState::matchEnded, this,
            [&seen](Scoring::Leader leader) { seen << QStringLiteral("X%1").arg(int(leader)); });
    connect(&match, &MatchState::turnChanged, this, [&seen] { seen << QStringLiteral("N"); });
    connect(&match, &MatchState::hintGiven, this, [&seen](QChar letter) { seen << QStringLiteral("!") + letter; });

    GameSettings settings;
    settings.Rounds = rounds;
    settings.Mistakes = mistakes;
    settings.TimeLimit = TimeLimitMode(timeMode);
    settings.TimeLimitValue = 5;
    const bool solo = moves.startsWith(QLatin1String("solo:"));
    match.start(settings, QStringLiteral("Computer"), QStringLiteral("Bert"),
                solo ? MatchState::Mode::Solo : MatchState::Mode::TwoPlayers);
    if (solo)
        moves.remove(0, 5);
    if (moves.startsWith(QLatin1String("net:"))) {
        moves.remove(0, 4);
        match.RoundState.NetworkGame = true;
        match.RoundState.IsHost = true;
    }
    // Ticks come from the moves alone.
    match.clock()->setInterval(24 * 3600 * 1000);

    for (const QString &move : moves.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (move.startsWith(QLatin1String("w:"))) {
            const QString verdict = QLatin1String(kVerdicts[int(match.setWord(move.mid(2)).problem)]);
            if (!verdict.isEmpty())
                seen << verdict;
        } else if (move.startsWith(QLatin1String("o:"))) {
            QVERIFY(!match.guess(match.setter(), move.at(2)).has_value());
        } else if (move == QLatin1String("+")) {
            match.startTurn();
        } else if (move == QLatin1String(".")) {
            match.tick();
        } else if (move == QLatin1String(">")) {
            match.nextTurn();
        } else if (move == QLatin1String("-")) {
            match.leave();
        } else if (move == QLatin1String("(")) {
            match.pauseClock();
            QVERIFY(!match.clock()->isActive());
        } else if (move == QLatin1String(")")) {
            match.resumeClock();
        } else if (move == QLatin1String("!")) {
            match.takeHint();
        } else if (move == QLatin1String("?")) {
            match.giveUp(match.guesser());
        } else if (move == QLatin1String("o?")) {
            QVERIFY(!match.giveUp(match.setter()));
        } else {
            match.guess(match.guesser(), move.at(0));
        }
    }

    QCOMPARE(seen.join(QLatin1Char(' ')), given);
    QStringList turns;
    for (const TurnRecord &turn : match.record())
        turns << QStringLiteral("%1/%2/%3/%4/%5")
                     .arg(turn.round)
                     .arg(turn.guessingPlayer)
                     .arg(turn.word)
                     .arg(turn.mistakes)
                     .arg(QLatin1String(kOutcomes[int(turn.outcome)]));
    QCOMPARE(turns.join(QLatin1Char(' ')), record);
    QCOMPARE(match.clock()->isActive(), clockRuns);
}

QTEST_GUILESS_MAIN(TestMatchState)
#include "tst_matchstate.moc"
