// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/MatchState.h"

#include "game/Seat.h"
#include "game/WordRules.h"

#include <QTimer>

namespace {

constexpr int kTickMs = 1000;

Round::TimeLimit timeLimitOf(TimeLimitMode mode)
{
    switch (mode) {
    case TimeLimitMode::PerLetter:
        return Round::TimeLimit::PerGuess;
    case TimeLimitMode::WholeWord:
        return Round::TimeLimit::WholeTurn;
    case TimeLimitMode::NoLimit:
        break;
    }
    return Round::TimeLimit::None;
}

} // namespace

MatchState::MatchState(QObject *parent)
    : QObject(parent)
    , m_clock(new QTimer(this))
{
    m_clock->setObjectName(QStringLiteral("Timer"));
    m_clock->setInterval(kTickMs);
    connect(m_clock, &QTimer::timeout, this, &MatchState::tick);
}

MatchState::~MatchState() = default;

QString MatchState::name(int player) const
{
    return m_names[player == Player1 ? 0 : 1];
}

Scoring::WinnerRule MatchState::winnerRule() const
{
    return m_settings.WonRounds ? Scoring::WinnerRule::MostRoundsWon : Scoring::WinnerRule::FewestMistakes;
}

Scoring::Standings MatchState::standings() const
{
    return Scoring::standingsOf(m_record, winnerRule());
}

bool MatchState::lastTurnPlayed() const
{
    // Alone the player guesses every word, one a round.
    return !m_record.isEmpty() && m_record.constLast().round == m_settings.Rounds
        && (m_mode == Mode::Solo || m_record.constLast().guessingPlayer == Player1);
}

void MatchState::setNetworkGame(bool networkGame, bool isHost)
{
    RoundState.NetworkGame = networkGame;
    RoundState.IsHost = isHost;
}

void MatchState::start(const GameSettings &settings, const QString &player1, const QString &player2, Seat *seat1,
                       Seat *seat2, Mode mode)
{
    stop();
    for (Seat *seat : {seat1, seat2}) {
        if (seat)
            seat->setParent(this);
    }
    m_seats[Player1] = seat1;
    m_seats[Player2] = seat2;
    m_mode = mode;
    m_settings = settings;
    m_names[0] = player1;
    m_names[1] = player2;
    m_record.clear();
    RoundState.RoundNumber = 1;
    RoundState.GuessingPlayer = 1;
    m_stage = Stage::AwaitingWord;
    Q_EMIT matchStarted();
}

bool MatchState::sitsAt(const Seat &seat, int player) const
{
    return m_seats[player] == &seat;
}

bool MatchState::allows(const Seat &seat, Move move) const
{
    switch (move) {
    case Move::SetWord:
        return m_stage == Stage::AwaitingWord && sitsAt(seat, setter());
    // The guesser says when it is ready to guess.
    case Move::StartTurn:
        return m_stage == Stage::AwaitingStart && sitsAt(seat, guesser());
    case Move::Guess:
        return m_stage == Stage::Guessing && sitsAt(seat, guesser());
    case Move::Hint:
        return hintAvailable() && sitsAt(seat, guesser());
    case Move::GiveUp:
        return m_stage == Stage::Guessing && !RoundState.NetworkGame && sitsAt(seat, guesser());
    case Move::Leave:
        return sitsAt(seat, Player1) || sitsAt(seat, Player2);
    }
    return false;
}

MatchState::WordVerdict MatchState::checkWord(const QString &typed) const
{
    if (m_stage != Stage::AwaitingWord) {
        WordVerdict verdict;
        verdict.problem = WordVerdict::Problem::NotAwaited;
        return verdict;
    }
    return judgeWord(m_settings, typed);
}

MatchState::WordVerdict MatchState::judgeWord(const GameSettings &settings, const QString &typed)
{
    WordVerdict verdict;
    if (typed.isEmpty())
        verdict.problem = WordVerdict::Problem::Empty;
    else if (WordRules::CountDistinctChars(typed) <= 1 && settings.SetFirstLetter)
        verdict.problem = WordVerdict::Problem::TooFewDistinct;
    else {
        const CharSet allowed = WordRules::allowedChars(WordRules::CharacterOptions::of(settings));
        verdict.refused = WordRules::foldToAllowed(typed, allowed).rejected;
        if (!verdict.refused.isEmpty())
            verdict.problem = WordVerdict::Problem::RefusedCharacters;
    }
    return verdict;
}

MatchState::WordVerdict MatchState::setWord(const Seat &seat, const QString &typed)
{
    if (!allows(seat, Move::SetWord)) {
        WordVerdict refused;
        refused.problem = WordVerdict::Problem::NotAwaited;
        return refused;
    }
    const WordVerdict verdict = checkWord(typed);
    if (!verdict.accepted())
        return verdict;

    RoundState.AllowedChars = WordRules::allowedChars(WordRules::CharacterOptions::of(m_settings));
    RoundState.SecretWord = WordRules::foldToAllowed(typed, RoundState.AllowedChars).word;
    RoundState.RoundOver = false;
    m_hintTaken = false;
    m_stage = Stage::AwaitingStart;
    Q_EMIT wordSet(typed);
    return verdict;
}

bool MatchState::startTurn(const Seat &seat)
{
    if (!allows(seat, Move::StartTurn))
        return false;

    Round::Rules rules;
    rules.maxMistakes = m_settings.Mistakes;
    rules.timeLimit = timeLimitOf(m_settings.TimeLimit);
    rules.startSeconds = m_settings.TimeLimitValue;
    rules.periodSeconds = m_settings.TimeLimitValue;
    rules.firstLetterGiven = m_settings.SetFirstLetter;
    m_stage = Stage::Guessing;

    // The given first letter is a guess of its own, but nobody's move.
    if (const std::optional<Round::Guess> reveal = RoundState.start(rules))
        Q_EMIT guessAnswered(guesser(), RoundState.SecretWord.at(0), *reveal, true);
    // Word acceptance leaves something to guess after the first letter;
    // a word that is complete all the same is won at once.
    if (RoundState.RoundOver || RoundState.settle())
        endTurn(TurnRecord::Outcome::Won);
    else
        runClock();
    Q_EMIT turnStarted();
    return true;
}

std::optional<Round::Guess> MatchState::guess(const Seat &seat, QChar key)
{
    if (!allows(seat, Move::Guess))
        return std::nullopt;

    const Round::Guess result = RoundState.guess(key);
    const bool counted = result != Round::Guess::Refused && result != Round::Guess::Repeated;
    // A fresh period: the next tick comes a whole second after the guess.
    if (counted && RoundState.timeLimit() == Round::TimeLimit::PerGuess && m_clock->isActive())
        m_clock->start();
    Q_EMIT guessAnswered(guesser(), key, result, false);

    if (result == Round::Guess::Won)
        endTurn(TurnRecord::Outcome::Won);
    else if (result == Round::Guess::Lost)
        endTurn(TurnRecord::Outcome::LostByMistakes);
    return result;
}

bool MatchState::hintAvailable() const
{
    if (m_mode != Mode::Solo || m_stage != Stage::Guessing || m_hintTaken)
        return false;
    const int maximum = m_settings.Mistakes;
    const bool mistakeEnds = maximum != 0 && RoundState.mistakes() + 1 >= maximum;
    return !mistakeEnds && RoundState.hiddenDistinct() >= 2;
}

std::optional<QChar> MatchState::takeHint(const Seat &seat)
{
    if (!allows(seat, Move::Hint))
        return std::nullopt;
    m_hintTaken = true;
    const std::optional<QChar> letter = RoundState.giveHint();
    if (letter)
        Q_EMIT hintGiven(*letter);
    return letter;
}

void MatchState::tick()
{
    if (m_stage != Stage::Guessing) {
        // A tick that was already due when the turn ended changes nothing.
        m_clock->stop();
        return;
    }
    const Round::Tick tick = RoundState.tick();
    if (tick == Round::Tick::Ignored) {
        m_clock->stop();
        return;
    }
    Q_EMIT clockChanged(RoundState.secondsLeft());
    if (tick == Round::Tick::TimedOut)
        endTurn(TurnRecord::Outcome::LostByTime);
}

bool MatchState::giveUp(const Seat &seat)
{
    if (!allows(seat, Move::GiveUp) || !RoundState.giveUp())
        return false;
    endTurn(TurnRecord::Outcome::GivenUp);
    return true;
}

void MatchState::endTurn(TurnRecord::Outcome outcome)
{
    m_clock->stop();
    m_stage = Stage::TurnOver;
    TurnRecord turn;
    turn.round = int(RoundState.RoundNumber);
    turn.guessingPlayer = RoundState.GuessingPlayer;
    turn.word = RoundState.SecretWord;
    turn.mistakes = RoundState.mistakes();
    turn.outcome = outcome;
    m_record.append(turn);

    Q_EMIT turnEnded(turn);
    const Scoring::Standings now = standings();
    Q_EMIT standingsChanged(now);
    // Alone there is nobody to lead.
    if (lastTurnPlayed())
        Q_EMIT matchEnded(m_mode == Mode::Solo ? Scoring::Leader::Nobody : now.leader);
}

bool MatchState::nextTurn()
{
    if (m_stage != Stage::TurnOver)
        return m_stage != Stage::Idle;

    if (m_mode == Mode::Solo) {
        ++RoundState.RoundNumber;
    } else {
        RoundState.GuessingPlayer = quint8(1 - RoundState.GuessingPlayer);
        if (RoundState.GuessingPlayer == 1)
            ++RoundState.RoundNumber;
    }
    if (RoundState.RoundNumber > quint32(m_settings.Rounds)) {
        m_stage = Stage::Idle;
        releaseSeats();
        return false;
    }
    m_stage = Stage::AwaitingWord;
    Q_EMIT turnChanged();
    return true;
}

bool MatchState::leave(const Seat &seat)
{
    if (!allows(seat, Move::Leave))
        return false;
    stop();
    return true;
}

// A turn being guessed stops where it stands, and the seats go.
void MatchState::stop()
{
    m_clock->stop();
    RoundState.RoundRunning = false;
    m_stage = Stage::Idle;
    releaseSeats();
}

void MatchState::releaseSeats()
{
    QList<Seat *> seats;
    for (QPointer<Seat> &place : m_seats) {
        // One seat may sit at both places.
        if (place && !seats.contains(place.data()))
            seats << place.data();
        place = nullptr;
    }
    for (Seat *seat : seats) {
        // What the match says from now on is no longer the seat's business.
        disconnect(this, nullptr, seat, nullptr);
        seat->unseated();
        // A seat may be releasing itself: it goes once its move is over.
        seat->deleteLater();
    }
}

void MatchState::pauseClock()
{
    m_clock->stop();
}

void MatchState::resumeClock()
{
    runClock();
}

void MatchState::runClock()
{
    if (m_stage == Stage::Guessing && RoundState.clockRuns())
        m_clock->start();
    else
        m_clock->stop();
}
