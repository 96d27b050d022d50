// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "text/CharSet.h"

#include <QString>

#include <optional>

// One turn's guessing, without a widget: the word, what may be guessed and
// what has been, the mistakes against their maximum, and the clock. Each
// operation answers with what happened; the window shows the answer and
// plays its sounds.
class Round
{
public:
    enum class TimeLimit { None, PerGuess, WholeTurn };

    struct Rules
    {
        // Exact: a maximum of 0 is never reached, and only the word or the
        // clock ends the turn.
        int maxMistakes = 0;
        TimeLimit timeLimit = TimeLimit::None;
        // On the clock when guessing starts.
        int startSeconds = 0;
        // Per guess: every new guess starts a period of this length.
        int periodSeconds = 0;
        // The word's first character is revealed at the start, as a guess
        // of its own.
        bool firstLetterGiven = false;
    };

    enum class Guess {
        Refused,  // not a character of the word's alphabet, or no turn runs
        Repeated, // guessed before, in either case
        Hit,
        Miss,
        Won,  // a hit that completed the word
        Lost, // a miss that reached the maximum
    };

    enum class Tick {
        Ignored, // no turn runs: a tick left over from the end of one
        Counted,
        TimedOut, // lost: the turn counts the maximum of mistakes
    };

    // The word or sentence, folded by word acceptance.
    QString SecretWord;
    // Characters allowed in the word and accepted as guesses.
    CharSet AllowedChars;
    // Upper-case forms of everything guessed this turn.
    CharSet GuessedChars;
    bool RoundRunning = false;
    bool RoundOver = false;

    // Guessing begins: nothing guessed, no mistakes, the clock at its start.
    // With the first letter given, the answer to that letter's guess.
    std::optional<Guess> start(const Rules &rules);
    Guess guess(QChar key);
    Tick tick();
    // The guesser gives the word up: lost, as a turn lost by time counts.
    // False when no turn runs.
    bool giveUp();
    // Ends the turn as won when no character is hidden any more; true when
    // this call ended it.
    bool settle();

    // Reveals the first hidden character of the word for the guesser, at
    // the cost of a mistake; nothing when no turn runs or nothing is hidden.
    std::optional<QChar> giveHint();

    bool isRevealed(QChar c) const;
    // The different characters still hidden.
    int hiddenDistinct() const;
    // The word as a screen reader gives it: position after position, a
    // revealed character as itself and a hidden one as "Lücke". Empty until
    // guessing starts, as the page shows nothing then; once the turn is
    // over, a character that was not guessed is named with "(nicht erraten)"
    // after it, where the page shows it in red.
    QString spokenWord() const;
    int hiddenCount() const;
    int mistakes() const { return m_mistakes; }
    int secondsLeft() const { return m_seconds; }
    TimeLimit timeLimit() const { return m_rules.timeLimit; }
    // Whether the countdown runs now.
    bool clockRuns() const { return RoundRunning && m_rules.timeLimit != TimeLimit::None; }

private:
    void end();
    void loseWithMaximum();

    Rules m_rules;
    int m_mistakes = 0;
    int m_seconds = 0;
};
