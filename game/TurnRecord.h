// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

// One played turn as the match keeps it: whose word, how it went.
struct TurnRecord
{
    enum class Outcome { Won, LostByMistakes, LostByTime, GivenUp };

    // 1-based round the turn belongs to.
    int round = 0;
    // As the turn's GuessingPlayer: 1, player 2 guessed player 1's word;
    // 0, player 1 guessed player 2's.
    quint8 guessingPlayer = 1;
    // The word as it was played, folded by word acceptance.
    QString word;
    // A turn lost by time or given up counts the maximum.
    int mistakes = 0;
    Outcome outcome = Outcome::Won;

    bool operator==(const TurnRecord &other) const
    {
        return round == other.round && guessingPlayer == other.guessingPlayer && word == other.word
            && mistakes == other.mistakes && outcome == other.outcome;
    }
};
