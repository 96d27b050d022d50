// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/ComputerSeat.h"
#include "game/KeyboardSeat.h"
#include "game/MatchState.h"
#include "game/WordList.h"
#include "game/WordPool.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

// Moves are played from the seat whose move each is, separated by blanks:
//   w  the setter's seat sets AB     +  the guesser's seat starts
//   x  the guesser guesses x         >  the result has been seen
//   -  the guesser's seat leaves     *  a new match starts, with new seats
// What a seat may do is written as five places, w + g h - (set the word,
// start, guess, take a hint, leave), a dot where it may not.
class TestSeats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void movesByStage_data();
    void movesByStage();
    void seatsGoWithTheirMatch_data();
    void seatsGoWithTheirMatch();
};

namespace {

// Alone, the computer has a single word.
const WordList oneWord = WordList::fromText("Haus\n");

QString mayMake(const MatchState &match, const Seat &seat)
{
    using Move = MatchState::Move;
    QString places;
    for (const auto &[move, letter] : {std::pair{Move::SetWord, 'w'}, {Move::StartTurn, '+'}, {Move::Guess, 'g'},
                                        {Move::Hint, 'h'}, {Move::Leave, '-'}})
        places += QLatin1Char(match.allows(seat, move) ? letter : '.');
    return places;
}

void play(MatchState &match, KeyboardSeat *const seats[2], const QString &moves)
{
    for (const QString &move : moves.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        KeyboardSeat *due = seats[move == QLatin1String("w") ? match.setter() : match.guesser()];
        if (move == QLatin1String("w"))
            due->setWord(QStringLiteral("AB"));
        else if (move == QLatin1String("+"))
            due->startTurn();
        else if (move == QLatin1String(">"))
            match.nextTurn();
        else if (move == QLatin1String("-"))
            due->leave();
        else
            due->guess(move.at(0));
    }
}

GameSettings twoRounds()
{
    GameSettings settings;
    settings.Rounds = 2;
    return settings;
}

} // namespace

void TestSeats::movesByStage_data()
{
    // both: the keyboard at both places, as on one computer; host: at
    // player 1, the peer standing in at player 2; alone: at player 2,
    // the computer at player 1.
    QTest::addColumn<QString>("seating");
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QString>("keyboard");
    QTest::addColumn<QString>("computer");
    QTest::addColumn<QString>("secret");

    QTest::newRow("one computer, the word set: the guesser starts") << "both" << "w" << ".+..-" << "" << "AB";
    QTest::newRow("one computer, guessing; no hint in a game of two") << "both" << "w +" << "..g.-" << "" << "AB";
    QTest::newRow("one computer, the match over: no place left")
        << "both" << "w + b > w + b > w + b > w + b >" << "....." << "" << "AB";
    QTest::newRow("host, its own word awaited") << "host" << "" << "w...-" << "" << "";
    QTest::newRow("host, its word set: the peer starts, not the host") << "host" << "w" << "....-" << "" << "AB";
    QTest::newRow("host, the peer guessing") << "host" << "w +" << "....-" << "" << "AB";
    QTest::newRow("host, the peer's word set: the host starts") << "host" << "w + b > w" << ".+..-" << "" << "AB";
    QTest::newRow("alone, the computer's word set at the start") << "alone" << "" << ".+..-" << "....-" << "HAUS";
    QTest::newRow("alone, guessing: the hint is the player's") << "alone" << "+" << "..gh-" << "....-" << "HAUS";
    QTest::newRow("alone, no word left for the second round: the computer's to set")
        << "alone" << "+ a u s >" << "....-" << "w...-" << "HAUS";
}

void TestSeats::movesByStage()
{
    QFETCH(QString, seating);
    QFETCH(QString, moves);
    QFETCH(QString, keyboard);
    QFETCH(QString, computer);
    QFETCH(QString, secret);

    MatchState match;
    auto *seat = new KeyboardSeat(match);
    auto *other = new KeyboardSeat(match);
    KeyboardSeat *seats[] = {seat, seating == QLatin1String("both") ? seat : other};
    const GameSettings settings = twoRounds();
    const WordPool pool(oneWord, settings);
    ComputerSeat *machine = nullptr;
    if (seating == QLatin1String("alone")) {
        seats[0] = other;
        seats[1] = seat;
        machine = new ComputerSeat(match, WordDraw(pool, Difficulty::Level::Mixed, WordPool::AllTopics, {}));
    }
    std::unique_ptr<QSignalSpy> noWordLeft;
    if (machine) {
        noWordLeft = std::make_unique<QSignalSpy>(machine, &ComputerSeat::noWordLeft);
        match.start(settings, QStringLiteral("Computer"), QStringLiteral("Bert"), machine, seat,
                    MatchState::Mode::Solo);
    } else {
        match.start(settings, QStringLiteral("Anna"), QStringLiteral("Bert"), seats[0], seats[1]);
    }
    play(match, seats, moves);

    QCOMPARE(mayMake(match, *seat), keyboard);
    if (machine) {
        QCOMPARE(mayMake(match, *machine), computer);
        QCOMPARE(noWordLeft->count(), computer.startsWith(QLatin1Char('w')) ? 1 : 0);
    }
    QCOMPARE(match.roundState().SecretWord, secret);
}

void TestSeats::seatsGoWithTheirMatch_data()
{
    QTest::addColumn<QString>("moves");
    QTest::addColumn<bool>("gone");

    QTest::newRow("seated while the match runs") << "w +" << false;
    QTest::newRow("a turn seen, the next one to come") << "w + b >" << false;
    QTest::newRow("the match left") << "w + -" << true;
    QTest::newRow("the last turn seen") << "w + b > w + b > w + b > w + b >" << true;
    QTest::newRow("the next match started") << "w *" << true;
}

void TestSeats::seatsGoWithTheirMatch()
{
    QFETCH(QString, moves);
    QFETCH(bool, gone);

    MatchState match;
    const QPointer<KeyboardSeat> first = new KeyboardSeat(match);
    const QPointer<KeyboardSeat> second = new KeyboardSeat(match);
    match.start(twoRounds(), QStringLiteral("Anna"), QStringLiteral("Bert"), first, second);
    KeyboardSeat *const seats[] = {first, second};
    if (moves.endsWith(QLatin1Char('*'))) {
        play(match, seats, moves.chopped(1));
        match.start(twoRounds(), QStringLiteral("Anna"), QStringLiteral("Bert"), new KeyboardSeat(match),
                    new KeyboardSeat(match));
    } else {
        play(match, seats, moves);
    }
    // What is gone may still be finishing its own move.
    QVERIFY(first && second);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(first.isNull(), gone);
    QCOMPARE(second.isNull(), gone);
}

QTEST_GUILESS_MAIN(TestSeats)
#include "tst_seats.moc"
