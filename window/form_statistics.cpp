// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Statistics page: recording a turn, the standings and the end of a match.
#include "window/TForm1.h"

#include "controls/TKxBitBtn.h"
#include "controls/TStringGrid.h"
#include "game/Scoring.h"

#include <QLabel>

namespace {

QString outcomeText(TurnRecord::Outcome outcome)
{
    switch (outcome) {
    case TurnRecord::Outcome::Won:
        return QStringLiteral("erraten");
    case TurnRecord::Outcome::LostByMistakes:
        return QStringLiteral("nicht erraten");
    case TurnRecord::Outcome::LostByTime:
        return QStringLiteral("Zeit abgelaufen");
    }
    return QString();
}

void setBold(QLabel *label, bool bold)
{
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

} // namespace

void TForm1::GameOKClick()
{
    showPage(StatisticsPage);
}

// The grid shows the match's record of played turns, and the result once
// the last turn is in it.
void TForm1::showRecord()
{
    if (!isPageBuilt(StatisticsPage))
        return;
    const int rounds = m_match->settings().Rounds;
    Statistik->setRowCount(rounds + 1);
    for (int row = 1; row < Statistik->RowCount(); ++row) {
        Statistik->setCells(0, row, QString::number(row));
        for (int column = 1; column < Statistik->columnCount(); ++column)
            Statistik->setCells(column, row, QString());
    }
    const QString player1 = m_match->name(MatchState::Player1);
    const QString player2 = m_match->name(MatchState::Player2);
    const bool solo = m_match->mode() == MatchState::Mode::Solo;
    StatistikCancel->setVisible(solo && !m_match->lastTurnPlayed());
    // Alone, the fourth column takes the room of the outcome's words.
    Statistik->setColWidth(3, solo ? 160 : 64);
    Statistik->setColWidth(4, solo ? 0 : 192);
    if (solo) {
        // One player: the computer's words, the mistakes on each, and how it went.
        Statistik->setCells(1, 0, QStringLiteral("Wörter des Computers"));
        Statistik->setCells(2, 0, QStringLiteral("Fehler"));
        Statistik->setCells(3, 0, QStringLiteral("Ergebnis"));
        Statistik->setCells(4, 0, QString());
        for (const TurnRecord &turn : m_match->record()) {
            Statistik->setCells(1, turn.round, turn.word);
            Statistik->setCells(2, turn.round, QString::number(turn.mistakes));
            Statistik->setCells(3, turn.round, outcomeText(turn.outcome));
        }
        WinnerLabel->setText(m_match->lastTurnPlayed() ? soloResultText() : QString());
        return;
    }
    Statistik->setCells(1, 0, QStringLiteral("Worte von ") + player1);
    Statistik->setCells(2, 0, QStringLiteral("< Fehler"));
    Statistik->setCells(3, 0, QStringLiteral("Fehler >"));
    Statistik->setCells(4, 0, QStringLiteral("Worte von ") + player2);
    for (const TurnRecord &turn : m_match->record()) {
        // Player 2 guessed player 1's word, or player 1 player 2's.
        const bool ofPlayer1 = turn.guessingPlayer == 1;
        Statistik->setCells(ofPlayer1 ? 1 : 4, turn.round, turn.word);
        Statistik->setCells(ofPlayer1 ? 2 : 3, turn.round, QString::number(turn.mistakes));
    }
    WinnerLabel->setText(m_match->lastTurnPlayed()
                             ? Scoring::matchResultText(m_match->standings().leader, player1, player2)
                             : QString());
}

// A new match leaves the last match's standings until its first turn is in.
void TForm1::showStandings(const Scoring::Standings &standings)
{
    if (!isPageBuilt(StatisticsPage))
        return;
    if (m_match->mode() == MatchState::Mode::Solo) {
        const Scoring::SoloResult result = Scoring::soloResultOf(m_match->record());
        const QString player = m_match->name(MatchState::Player2);
        StatistikP1Info->setText(Scoring::soloGuessedLine(player, result.guessed));
        StatistikP2Info->setText(
            Scoring::standingsLine(Scoring::WinnerRule::FewestMistakes, player, result.mistakes));
        setBold(StatistikP1Info, false);
        setBold(StatistikP2Info, false);
        return;
    }
    const Scoring::WinnerRule rule = m_match->winnerRule();
    StatistikP1Info->setText(Scoring::standingsLine(rule, m_match->name(MatchState::Player1), standings.player1));
    StatistikP2Info->setText(Scoring::standingsLine(rule, m_match->name(MatchState::Player2), standings.player2));
    setBold(StatistikP1Info, standings.leader == Scoring::Leader::Player1);
    setBold(StatistikP2Info, standings.leader == Scoring::Leader::Player2);
}

void TForm1::StatistikOKClick()
{
    if (!m_match->nextTurn()) {
        // The match is over; a network game ends without a leave message.
        if (RoundState.NetworkGame)
            Button_IPCancelClick(nullptr);
        showPage(StartPage);
    }
}

// The next turn awaits its word; in a network game the seat of the other
// computer's player says who types it.
void TForm1::showNextTurn()
{
    // Alone, the computer sets the next word at once.
    if (m_match->mode() == MatchState::Mode::Solo)
        return;
    showPage(WordPage);
    if (!RoundState.NetworkGame)
        showWordEntry(WordEntry::Open);
}
