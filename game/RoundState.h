#pragma once

#include "text/CharSet.h"

#include <QString>

// The game in progress. Each main window owns one.
struct TRoundState
{
    // The word or sentence of the turn, folded by word acceptance.
    QString SecretWord;
    // Characters allowed in the word and accepted as guesses.
    CharSet AllowedChars;
    // Upper-case forms of everything guessed this turn.
    CharSet GuessedChars;
    bool RoundRunning = false;
    bool RoundOver = false;
    // 0: player 1 guesses player 2's word; 1: player 2 guesses player 1's.
    quint8 GuessingPlayer = 1;
    // 1-based round in progress, also the statistics row of that round.
    quint32 RoundNumber = 0;
    bool NetworkGame = false;
    bool IsHost = false;
};
