// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

struct TRoundState;

// The word of the game page as a screen reader gives it: position after
// position, a revealed character as itself and a hidden one as "Lücke".
namespace WordReading {

// Empty until guessing starts, as the page shows nothing then. Once the
// turn is over, a character that was not guessed is named with
// "(nicht erraten)" after it, where the page shows it in red.
QString spokenWord(const TRoundState &state);

} // namespace WordReading
