// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/GameSettings.h"
#include "game/RoundState.h"
#include "game/Scoring.h"
#include "game/TurnRecord.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <optional>

class QTimer;
class Seat;

// A match as it is played, without a widget: its own copy of the settings
// and the names, the turn being played, the turns played so far and the
// one-second clock. Whoever sits at a seat (the keyboard, the other
// computer, the program choosing words) hands it the same moves, and it
// takes each only from the seat whose move it is (Seat.h); what becomes of
// a move comes back as a signal, which the window shows and the other
// computer is sent.
//
// A match goes: a word is awaited, set, guessing starts, the turn ends; the
// next turn awaits its word, until the last turn of the last round has
// been played.
class MatchState : public QObject
{
    Q_OBJECT

public:
    enum class Stage { Idle, AwaitingWord, AwaitingStart, Guessing, TurnOver };
    // Two players set words for each other in turns; alone, the program
    // sets every word (player 1's seat) and the player guesses them all,
    // one word a round.
    enum class Mode { TwoPlayers, Solo };

    // The two places, numbered as GuessingPlayer names the guesser.
    static constexpr int Player1 = 0;
    static constexpr int Player2 = 1;

    // What a seat may hand the match.
    enum class Move { SetWord, StartTurn, Guess, Hint, GiveUp, Leave };

    // What word acceptance says of a word.
    struct WordVerdict
    {
        enum class Problem {
            None,
            NotAwaited, // no word is asked for now, or not of this seat
            Empty,
            TooFewDistinct, // the given first letter would reveal it all
            RefusedCharacters,
        };
        Problem problem = Problem::None;
        // Each refused character as the user sees it, in order.
        QStringList refused;

        bool accepted() const { return problem == Problem::None; }
    };

    explicit MatchState(QObject *parent = nullptr);
    ~MatchState() override;

    // The turn being played, and where the match and a network game stand.
    const TRoundState &roundState() const { return RoundState; }
    // Whether this computer plays over the network, and as its host. Set
    // before a match starts: the seats are placed by it.
    void setNetworkGame(bool networkGame, bool isHost);

    Stage stage() const { return m_stage; }
    Mode mode() const { return m_mode; }
    const GameSettings &settings() const { return m_settings; }
    QString name(int player) const;
    // Who guesses and who set the word of the current turn.
    int guesser() const { return RoundState.GuessingPlayer; }
    int setter() const { return 1 - guesser(); }
    // The seat of this computer's player in a network game: the host is
    // player 1. In a game on one computer the keyboard sits at both.
    int localSeat() const { return RoundState.IsHost ? Player1 : Player2; }
    bool localSetsWord() const { return RoundState.NetworkGame && setter() == localSeat(); }
    bool localGuesses() const { return RoundState.NetworkGame && guesser() == localSeat(); }
    // The turns played in this match, in order.
    const QList<TurnRecord> &record() const { return m_record; }
    Scoring::WinnerRule winnerRule() const;
    Scoring::Standings standings() const;
    // The turn just played was the second of the last round.
    bool lastTurnPlayed() const;
    // The clock, owned here; it runs exactly while a timed turn is guessed
    // and the window is not minimised.
    QTimer *clock() const { return m_clock; }

    // A new match: round 1, player 1 sets the first word. The match takes
    // the seats of both places (one seat may sit at both, an empty place
    // makes no move) and deletes them once it is left or over, or the next
    // one starts; the seats of an earlier match make no move here.
    void start(const GameSettings &settings, const QString &player1, const QString &player2, Seat *seat1,
               Seat *seat2, Mode mode = Mode::TwoPlayers);
    // Whether the move is the seat's to make now.
    bool allows(const Seat &seat, Move move) const;
    // The word page's check, without changing anything.
    WordVerdict checkWord(const QString &typed) const;
    // The same check of a word for a match under these settings, whatever
    // the match awaits.
    static WordVerdict judgeWord(const GameSettings &settings, const QString &typed);
    // Alone, once a word, the player may have a hidden letter revealed for
    // a mistake, as long as that mistake does not end the turn and a
    // letter besides it is left to guess.
    bool hintAvailable() const;
    void tick();
    // The turn's result has been seen: the next turn awaits its word. False
    // when that was the last turn: the match is over.
    bool nextTurn();
    // The clock holds while the window is minimised.
    void pauseClock();
    void resumeClock();

Q_SIGNALS:
    // A new match, with nothing played yet.
    void matchStarted();
    // The turn's word was accepted: guessing can start.
    void wordSet(const QString &typed);
    // Guessing has started (after the first letter's answer, if given).
    void turnStarted();
    // The answer to a guess of the player at that place; atStart marks the
    // given first letter, which is nobody's move and makes no sound.
    void guessAnswered(int player, QChar key, Round::Guess result, bool atStart);
    // A letter was revealed for a mistake.
    void hintGiven(QChar letter);
    // A tick of the clock: the seconds left.
    void clockChanged(int secondsLeft);
    // The turn has ended, won or lost; it is in the record.
    void turnEnded(const TurnRecord &turn);
    void standingsChanged(const Scoring::Standings &standings);
    // The last turn has been played; the leader wins, or nobody does.
    void matchEnded(Scoring::Leader leader);
    // The next turn awaits its word.
    void turnChanged();

private:
    // The moves, refused unless they are the seat's to make now (Seat.h).
    friend class Seat;
    // The word of the coming turn, as typed by its setter; accepted, it is
    // folded and the turn waits for its start.
    WordVerdict setWord(const Seat &seat, const QString &typed);
    // Guessing begins; with the first letter given, that letter is guessed.
    bool startTurn(const Seat &seat);
    std::optional<Round::Guess> guess(const Seat &seat, QChar key);
    std::optional<QChar> takeHint(const Seat &seat);
    // The match is given up; a turn being guessed stops where it stands.
    bool leave(const Seat &seat);
    // The guesser gives the word up: the turn is lost with the maximum of
    // mistakes. Refused in a network game, whose messages cannot tell the
    // other computer.
    bool giveUp(const Seat &seat);

    bool sitsAt(const Seat &seat, int player) const;
    void stop();
    void releaseSeats();
    void endTurn(TurnRecord::Outcome outcome);
    void runClock();

    // Written here alone; the window reads it through roundState().
    TRoundState RoundState;
    QPointer<Seat> m_seats[2];

    GameSettings m_settings;
    QString m_names[2];
    QList<TurnRecord> m_record;
    Stage m_stage = Stage::Idle;
    Mode m_mode = Mode::TwoPlayers;
    bool m_hintTaken = false;
    QTimer *m_clock = nullptr;
};

Q_DECLARE_METATYPE(TurnRecord)
Q_DECLARE_METATYPE(Scoring::Standings)
