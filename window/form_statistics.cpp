// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Statistics page: recording a turn, the standings and the end of a match.
#include "window/TForm1.h"

#include "controls/TKxBitBtn.h"
#include "controls/TKxDigit.h"
#include "controls/TStringGrid.h"
#include "game/Scoring.h"
#include "net/PeerLink.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

namespace {

void setBold(QLabel *label, bool bold)
{
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

} // namespace

void TForm1::GameOKClick()
{
    const int n = int(RoundState.RoundNumber);
    const QString mistakes = QString::number(qint64(curMistakes->Value()));

    Statistik->setCells(0, n, QString::number(n));
    if (RoundState.GuessingPlayer == 1) {
        Statistik->setCells(1, n, RoundState.SecretWord);
        Statistik->setCells(2, n, mistakes);
    } else {
        Statistik->setCells(4, n, RoundState.SecretWord);
        Statistik->setCells(3, n, mistakes);
    }

    QList<Scoring::RoundCells> rounds;
    for (int r = 1; r < Statistik->RowCount(); ++r)
        rounds.append({Statistik->Cells(2, r), Statistik->Cells(3, r)});
    const Scoring::WinnerRule rule =
        WonRounds->isChecked() ? Scoring::WinnerRule::MostRoundsWon : Scoring::WinnerRule::FewestMistakes;
    const Scoring::Standings standings = Scoring::standingsOf(rounds, rule);

    StatistikP1Info->setText(Scoring::standingsLine(rule, Player1->text(), standings.player1));
    StatistikP2Info->setText(Scoring::standingsLine(rule, Player2->text(), standings.player2));
    setBold(StatistikP1Info, standings.leader == Scoring::Leader::Player1);
    setBold(StatistikP2Info, standings.leader == Scoring::Leader::Player2);

    // The second turn of the last round has just been recorded.
    if (Rounds->value() == n && RoundState.GuessingPlayer == 0)
        WinnerLabel->setText(Scoring::matchResultText(standings.leader, Player1->text(), Player2->text()));

    showPage(StatisticsPage);
}

void TForm1::StatistikOKClick()
{
    RoundState.GuessingPlayer = quint8(1 - RoundState.GuessingPlayer);
    if (RoundState.GuessingPlayer == 1)
        ++RoundState.RoundNumber;

    if (RoundState.RoundNumber > quint32(Rounds->value())) {
        // The match is over; a network game ends without a leave message.
        if (RoundState.NetworkGame)
            Button_IPCancelClick(nullptr);
        showPage(StartPage);
        return;
    }

    showPage(WordPage);
    if (!RoundState.NetworkGame) {
        showWordEntry(WordEntry::Open);
        return;
    }

    // This computer has left its statistics page.
    peer().sendTurnOver();
    if (LocalGuesses())
        showWordEntry(WordEntry::PeerTypes);
    else if (peer().phase() == NetPhase::TurnRunning)
        // The peer's "%" opens the word entry.
        showWordEntry(WordEntry::PeerOnStatistics);
    else
        showWordEntry(WordEntry::Open);
}
