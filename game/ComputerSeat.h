// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/WordDraw.h"

#include <QObject>

class MatchState;

// The program at the setter's seat of a match played alone: whenever the
// match awaits a word, it sets the next one of its draw.
class ComputerSeat : public QObject
{
    Q_OBJECT

public:
    ComputerSeat(MatchState &match, WordDraw draw, QObject *parent = nullptr);

    // The draw as it stands, with this match's words in its history.
    const WordDraw &draw() const { return m_draw; }

Q_SIGNALS:
    // Every word of the level and topic has been played in this match.
    void noWordLeft();

private:
    void setNextWord();

    MatchState &m_match;
    WordDraw m_draw;
};
