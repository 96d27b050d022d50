// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "text/CharSet.h"

#include <QString>
#include <QStringList>

#include <optional>

// How hard a word is to guess: the mistakes of a guesser who tries the
// letters in the order of their frequency in German. Length alone says
// little: HAUS costs more mistakes than GARTEN.
namespace Difficulty {

// The pool's easiest, middle and hardest third, and all of it.
enum class Level { Easy, Medium, Hard, Mixed };

// "leicht", "mittel", "schwer", "gemischt".
QString name(Level level);
// All four in the order above, as the player chooses among them.
QStringList names();
std::optional<Level> fromName(const QString &name);

// The guesser tries only what the game accepts as a guess; with the first
// letter given, that letter is revealed before the first try.
int mistakes(const QString &word, const CharSet &allowed, bool firstLetterGiven);

} // namespace Difficulty
