// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Seat.h"

// The person at this computer's keyboard, whose buttons and keys make the
// moves. On one computer it sits at both places and makes whichever
// player's move is due; in a network game it sits at this computer's
// player's place (the host's is player 1); alone, at the guesser's.
class KeyboardSeat : public Seat
{
    Q_OBJECT

public:
    using Seat::Seat;

    using Seat::giveUp;
    using Seat::guess;
    using Seat::leave;
    using Seat::setWord;
    using Seat::startTurn;
    using Seat::takeHint;
};
