// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Round.h"

#include <QtGlobal>

// The game in progress: the turn being guessed, and where the match and
// the network game stand. Each main window owns one.
struct TRoundState : Round
{
    // 0: player 1 guesses player 2's word; 1: player 2 guesses player 1's.
    quint8 GuessingPlayer = 1;
    // 1-based round in progress, also the statistics row of that round.
    quint32 RoundNumber = 0;
    bool NetworkGame = false;
    bool IsHost = false;
};
