// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Seat.h"
#include "game/WordDraw.h"

// The program at the setter's place of a match played alone: whenever the
// match awaits a word of it, it sets the next one of its draw.
class ComputerSeat : public Seat
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

    WordDraw m_draw;
};
