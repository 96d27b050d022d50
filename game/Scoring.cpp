// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/Scoring.h"

namespace Scoring {

long long mistakesInCell(const QString &cell)
{
    bool ok = false;
    const long long value = cell.trimmed().toLongLong(&ok);
    return ok ? value : 0;
}

Standings standingsOf(const QList<RoundCells> &rounds, WinnerRule rule)
{
    Standings standings;
    for (const RoundCells &round : rounds) {
        const long long ofPlayer2 = mistakesInCell(round.mistakesOfPlayer2);
        const long long ofPlayer1 = mistakesInCell(round.mistakesOfPlayer1);
        if (rule == WinnerRule::MostRoundsWon) {
            // A round goes to the player who made fewer mistakes; a round
            // whose second turn is still to come counts its empty cell as 0.
            if (ofPlayer1 > ofPlayer2)
                ++standings.player2;
            else if (ofPlayer1 < ofPlayer2)
                ++standings.player1;
        } else {
            standings.player1 += ofPlayer1;
            standings.player2 += ofPlayer2;
        }
    }

    const bool higherLeads = rule == WinnerRule::MostRoundsWon;
    if (standings.player1 != standings.player2) {
        const bool player1Higher = standings.player1 > standings.player2;
        standings.leader = player1Higher == higherLeads ? Leader::Player1 : Leader::Player2;
    }
    return standings;
}

QString standingsLine(WinnerRule rule, const QString &playerName, long long value)
{
    const QString prefix = rule == WinnerRule::MostRoundsWon ? QStringLiteral("Gewonnene Runden ")
                                                             : QStringLiteral("Fehleranzahl ");
    return prefix + playerName + QStringLiteral(": ") + QString::number(value);
}

QString matchResultText(Leader leader, const QString &player1Name, const QString &player2Name)
{
    switch (leader) {
    case Leader::Player1:
        return QStringLiteral("Herzlichen Glückwunsch, ") + player1Name
            + QStringLiteral("! Du hast das Spiel gewonnen!");
    case Leader::Player2:
        return QStringLiteral("Herzlichen Glückwunsch, ") + player2Name
            + QStringLiteral("! Du hast das Spiel gewonnen!");
    case Leader::Nobody:
        break;
    }
    return QStringLiteral("Unentschieden! Beide Spieler haben ihr Bestes gegeben!");
}

} // namespace Scoring
