// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Scoring.h"

#include <QWidget>

class MatchState;
class QLabel;
class TImage;
class TKxBitBtn;
class TStringGrid;

// The record of the match's played turns, the standings and, after the
// last turn, the result.
class StatisticsPage : public QWidget
{
    Q_OBJECT

public:
    StatisticsPage(const MatchState &match, QWidget *parent);

    // The grid as the match's record has it; alone, with the result's
    // words once the last word is played.
    void showRecord(const QString &soloResult);
    void showStandings(const Scoring::Standings &standings);

    void StatistikOKClick();
    // Alone: the match ends before its last word.
    void StatistikCancelClick();

Q_SIGNALS:
    void okClicked();
    void cancelClicked();

private:
    const MatchState &m_match;
    QLabel *Panel4 = nullptr;
    TStringGrid *Statistik = nullptr;
    QLabel *StatistikP1Info = nullptr;
    QLabel *StatistikP2Info = nullptr;
    QLabel *WinnerLabel = nullptr;
    TKxBitBtn *StatistikOK = nullptr;
    TKxBitBtn *StatistikCancel = nullptr;
    TImage *Logo4 = nullptr;
};
