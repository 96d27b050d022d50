// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/TurnRecord.h"

#include <QList>
#include <QString>

// The standings of a match, worked out from the turns it has played.
namespace Scoring {

enum class WinnerRule { MostRoundsWon, FewestMistakes };

enum class Leader { Nobody, Player1, Player2 };

struct Standings
{
    // Rounds won, or total mistakes, depending on the rule.
    long long player1 = 0;
    long long player2 = 0;
    Leader leader = Leader::Nobody;

    bool operator==(const Standings &other) const
    {
        return player1 == other.player1 && player2 == other.player2 && leader == other.leader;
    }
};

// A round goes to the player who made fewer mistakes guessing, once both
// have guessed; until then it counts for nobody. The totals of mistakes
// count every turn played.
Standings standingsOf(const QList<TurnRecord> &turns, WinnerRule rule);

// "Gewonnene Runden Anna: 2" or "Fehleranzahl Anna: 7".
QString standingsLine(WinnerRule rule, const QString &playerName, long long value);

// A match played alone: the words guessed of those played, and the
// mistakes made on them all.
struct SoloResult
{
    int guessed = 0;
    int played = 0;
    long long mistakes = 0;
};

SoloResult soloResultOf(const QList<TurnRecord> &turns);

// "Erratene Wörter Anna: 2", "Fehleranzahl Anna: 7".
QString soloGuessedLine(const QString &playerName, int guessed);

// "Anna hat 4 von 5 Wörtern erraten."
QString soloResultText(const QString &playerName, int guessed, int words);

// The closing words of a match for the player in the lead, or the draw.
QString matchResultText(Leader leader, const QString &player1Name, const QString &player2Name);

} // namespace Scoring
