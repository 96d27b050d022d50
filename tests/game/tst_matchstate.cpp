// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/ComputerSeat.h"
#include "game/KeyboardSeat.h"
#include "game/MatchState.h"
#include "game/WordList.h"
#include "game/WordPool.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// A match played as a sequence of moves, separated by blanks:
//   w:WORD  the setter gives a word      +  the guesser starts guessing
//   x       the guesser guesses x        !  the guesser asks for a hint
//   .       a tick of the clock          >  the result has been seen
//   -       the guesser leaves the match ( )  the clock paused, resumed
//   ~       the seats let go are deleted, written as G and how many are
//   ?       the word is given up
// Each player has a seat of its own. A move marked o: comes from the other
// player's seat (o:x the setter guesses x, o:- the setter leaves), one
// marked s: from a seat that is not at the match. A match alone is marked
// "solo:" before its moves, one over the network "net:" (the host's
// computer).
// Each signal the match gives is written down as one token:
//   M match started, W word set, S turn started, the answer to a guess as
//   h/m/w/l/r/p (hit, miss, won, lost, refused, repeated; upper case for the
//   given first letter), C<seconds> the clock, E turn ended, T standings,
//   X<leader 0/1/2> match ended, N next turn, !<letter> a hint given, L the
//   match left. A refused word is written as ?empty, ?distinct, ?chars,
//   ?late; any move refused from a marked seat as ×. A refused move must
//   leave the match as it was.
// The record lists each turn as round/guesser/word/mistakes/outcome.
class TestMatchState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void moves_data();
    void moves();
    void computerSeat();
    void guessPerLetterBeginsAWholeSecond();
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

// All a move could change.
QString stateOf(const MatchState &match)
{
    const TRoundState &round = match.roundState();
    return round.SecretWord
        + QString::asprintf(" %d %u %u %d %d %d %d %d %d %d %d", int(match.stage()), round.RoundNumber,
                            unsigned(round.GuessingPlayer), round.AllowedChars.size(), round.GuessedChars.size(),
                            round.RoundRunning, round.RoundOver, round.mistakes(), round.secondsLeft(),
                            match.clock()->isActive(), int(match.record().size()));
}

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
        << 1 << 9 << 0 << "w:ab + b > w:cd + d > > w:ef + e o:- - ~"
        << "M W H S w E T N W H S w E T X0 ?late × G2" << "1/1/AB/0/won 1/0/CD/0/won" << false;
    QTest::newRow("a second round begins with player 1's word again")
        << 2 << 9 << 0 << "w:ab + b > w:cd + d > w:ef + f ~"
        << "M W H S w E T N W H S w E T N W H S w E T G0" << "1/1/AB/0/won 1/0/CD/0/won 2/1/EF/0/won" << false;
    QTest::newRow("words refused, and none before its time")
        << 1 << 9 << 0 << "+ a w: w:aa w:x1 w:ab w:cd"
        << "M ?empty ?distinct ?chars W ?late" << "" << false;
    QTest::newRow("no guess before the start, none from the other seat")
        << 1 << 9 << 0 << "w:haus a + o:a s:a a a 1"
        << "M W H S × × h p r" << "" << false;
    QTest::newRow("a word only from the setter's seat")
        << 1 << 9 << 0 << "o:w:haus s:w:haus w:haus" << "M × × W" << "" << false;
    QTest::newRow("the turn starts only from the guesser's seat")
        << 1 << 9 << 0 << "w:haus o:+ s:+ +" << "M W × × H S" << "" << false;
    QTest::newRow("a hint only for the guesser's seat")
        << 1 << 9 << 0 << "solo:w:haus + o:! s:! !" << "M W H S × × !A" << "" << false;
    QTest::newRow("the turn over, no word before the result is seen, from either seat")
        << 1 << 9 << 0 << "w:ab + b o:w:cd w:cd o:x x" << "M W H S w E T × ?late ×" << "1/1/AB/0/won" << false;
    QTest::newRow("the setter's seat may leave, a seat not at the match may not; then nothing moves")
        << 1 << 9 << 2 << "w:haus + s:- . o:- . a - o:w:haus" << "M W H S × C4 L ×" << "" << false;
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
        << 1 << 9 << 2 << "w:haus + . - . a ) > ~"
        << "M W H S C4 L G2" << "" << false;
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
        << 1 << 9 << 0 << "w:haus ? + o:? a" << "M W H S × h" << "" << false;
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
    const QPointer<KeyboardSeat> seats[] = {new KeyboardSeat(match), new KeyboardSeat(match)};
    KeyboardSeat stranger(match);
    match.start(settings, QStringLiteral("Computer"), QStringLiteral("Bert"), seats[0], seats[1],
                solo ? MatchState::Mode::Solo : MatchState::Mode::TwoPlayers);
    if (solo)
        moves.remove(0, 5);
    if (moves.startsWith(QLatin1String("net:"))) {
        moves.remove(0, 4);
        match.setNetworkGame(true, true);
    }
    // Ticks come from the moves alone.
    match.clock()->setInterval(24 * 3600 * 1000);

    for (QString move : moves.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const bool other = move.startsWith(QLatin1String("o:"));
        const bool outside = move.startsWith(QLatin1String("s:"));
        if (other || outside)
            move.remove(0, 2);
        const bool word = move.startsWith(QLatin1String("w:"));
        int player = word ? match.setter() : match.guesser();
        if (other)
            player = 1 - player;
        KeyboardSeat *seat = outside ? &stranger : seats[player].data();
        QVERIFY(seat);
        const QString before = stateOf(match);
        bool taken = true;
        if (word) {
            const MatchState::WordVerdict verdict = seat->setWord(move.mid(2));
            taken = verdict.accepted();
            if (!taken && !other && !outside)
                seen << QLatin1String(kVerdicts[int(verdict.problem)]);
        } else if (move == QLatin1String("+")) {
            taken = seat->startTurn();
        } else if (move == QLatin1String(".")) {
            match.tick();
        } else if (move == QLatin1String(">")) {
            match.nextTurn();
        } else if (move == QLatin1String("-")) {
            taken = seat->leave();
            if (taken)
                seen << QStringLiteral("L");
        } else if (move == QLatin1String("(")) {
            match.pauseClock();
            QVERIFY(!match.clock()->isActive());
        } else if (move == QLatin1String(")")) {
            match.resumeClock();
        } else if (move == QLatin1String("~")) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            seen << QStringLiteral("G%1").arg(int(!seats[0]) + int(!seats[1]));
        } else if (move == QLatin1String("!")) {
            taken = seat->takeHint().has_value();
        } else if (move == QLatin1String("?")) {
            taken = seat->giveUp();
        } else {
            taken = seat->guess(move.at(0)).has_value();
        }
        if (!taken) {
            if (other || outside)
                seen << QStringLiteral("×");
            QCOMPARE(stateOf(match), before);
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

// Alone, the computer sets a word of its list whenever the match awaits
// one, and says when none is left.
void TestMatchState::computerSeat()
{
    MatchState match;
    const WordPool pool(WordList::fromText("Haus\n"), GameSettings());
    auto *computer = new ComputerSeat(match, WordDraw(pool, Difficulty::Level::Mixed, WordPool::AllTopics, {}));
    QSignalSpy noWordLeft(computer, &ComputerSeat::noWordLeft);
    auto *player = new KeyboardSeat(match);
    match.start(GameSettings(), QStringLiteral("Computer"), QStringLiteral("Bert"), computer, player,
                MatchState::Mode::Solo);
    QCOMPARE(match.roundState().SecretWord, QStringLiteral("HAUS"));
    QCOMPARE(noWordLeft.count(), 0);

    QVERIFY(player->startTurn());
    for (const QChar key : QStringLiteral("aus"))
        player->guess(key);
    QVERIFY(match.nextTurn());
    QCOMPARE(noWordLeft.count(), 1);
    QVERIFY(match.allows(*computer, MatchState::Move::SetWord));
}

// The moves above tick by hand; here the clock runs, shortened. A guess
// half-way through a second must not be followed by a tick half a second
// later: its period starts whole.
void TestMatchState::guessPerLetterBeginsAWholeSecond()
{
    constexpr int second = 300;
    GameSettings settings;
    settings.TimeLimit = TimeLimitMode::PerLetter;
    MatchState match;
    auto *keyboard = new KeyboardSeat(match);
    match.start(settings, QStringLiteral("Anna"), QStringLiteral("Bert"), keyboard, keyboard);
    match.clock()->setInterval(second);
    QVERIFY(keyboard->setWord(QStringLiteral("haus")).accepted());
    QVERIFY(keyboard->startTurn());
    QSignalSpy ticks(&match, &MatchState::clockChanged);
    QVERIFY(ticks.wait());

    QElapsedTimer sinceGuess;
    QTimer::singleShot(second / 2, &match, [&] {
        QCOMPARE(keyboard->guess(QLatin1Char('a')), Round::Guess::Hit);
        sinceGuess.start();
    });
    QVERIFY(ticks.wait());
    // A timer may fire a little early, never by a tenth.
    QVERIFY2(sinceGuess.isValid() && sinceGuess.elapsed() >= second * 9 / 10,
             qPrintable(QString::number(sinceGuess.elapsed())));
}

QTEST_GUILESS_MAIN(TestMatchState)
#include "tst_matchstate.moc"
