// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

// The standings of a match, worked out from the statistics grid's mistake
// cells alone: the grid is the only record of the match.
namespace Scoring {

enum class WinnerRule { MostRoundsWon, FewestMistakes };

// One round's two mistake cells as the grid holds them: what player 2 made
// guessing player 1's word, and what player 1 made guessing player 2's.
struct RoundCells
{
    QString mistakesOfPlayer2;
    QString mistakesOfPlayer1;
};

enum class Leader { Nobody, Player1, Player2 };

struct Standings
{
    // Rounds won, or total mistakes, depending on the rule.
    long long player1 = 0;
    long long player2 = 0;
    Leader leader = Leader::Nobody;
};

// A mistake cell read back as a whole number; an empty cell (a turn not yet
// played) counts as 0, and so does anything that is not a number.
long long mistakesInCell(const QString &cell);

Standings standingsOf(const QList<RoundCells> &rounds, WinnerRule rule);

// "Gewonnene Runden Anna: 2" or "Fehleranzahl Anna: 7".
QString standingsLine(WinnerRule rule, const QString &playerName, long long value);

// The closing words of a match for the player in the lead, or the draw.
QString matchResultText(Leader leader, const QString &player1Name, const QString &player2Name);

} // namespace Scoring
