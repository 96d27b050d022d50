// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/Scoring.h"

#include <QMap>

namespace Scoring {

Standings standingsOf(const QList<TurnRecord> &turns, WinnerRule rule)
{
    // Mistakes by round: what player 1 made guessing player 2's word, and
    // what player 2 made guessing player 1's, and whether each was played.
    struct RoundMistakes
    {
        long long ofPlayer1 = 0;
        long long ofPlayer2 = 0;
        bool player1Guessed = false;
        bool player2Guessed = false;
    };
    QMap<int, RoundMistakes> rounds;
    for (const TurnRecord &turn : turns) {
        RoundMistakes &round = rounds[turn.round];
        if (turn.guessingPlayer == 0) {
            round.ofPlayer1 += turn.mistakes;
            round.player1Guessed = true;
        } else {
            round.ofPlayer2 += turn.mistakes;
            round.player2Guessed = true;
        }
    }

    Standings standings;
    for (const RoundMistakes &round : qAsConst(rounds)) {
        if (rule == WinnerRule::MostRoundsWon) {
            // Half a round is nobody's yet: its second guesser has made no
            // mistake so far, not fewer than the first.
            if (!round.player1Guessed || !round.player2Guessed)
                continue;
            if (round.ofPlayer1 > round.ofPlayer2)
                ++standings.player2;
            else if (round.ofPlayer1 < round.ofPlayer2)
                ++standings.player1;
        } else {
            standings.player1 += round.ofPlayer1;
            standings.player2 += round.ofPlayer2;
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

SoloResult soloResultOf(const QList<TurnRecord> &turns)
{
    SoloResult result;
    for (const TurnRecord &turn : turns) {
        ++result.played;
        result.mistakes += turn.mistakes;
        if (turn.outcome == TurnRecord::Outcome::Won)
            ++result.guessed;
    }
    return result;
}

QString soloGuessedLine(const QString &playerName, int guessed)
{
    return QStringLiteral("Erratene Wörter ") + playerName + QStringLiteral(": ") + QString::number(guessed);
}

QString soloResultText(const QString &playerName, int guessed, int words)
{
    const QString of = words == 1 ? QStringLiteral(" Wort") : QStringLiteral(" Wörtern");
    return playerName + QStringLiteral(" hat ") + QString::number(guessed) + QStringLiteral(" von ")
        + QString::number(words) + of + QStringLiteral(" erraten.");
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
