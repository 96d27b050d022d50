// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// How hard a word of the solo list is to guess. The list itself gives each
// word its level: ranking needs the whole list and how common each word is,
// which the script that makes the list has and the game has not.
namespace Difficulty {

// The list's easy, middle and hard words, and all of them.
enum class Level { Easy, Medium, Hard, Mixed };

// "leicht", "mittel", "schwer", "gemischt".
QString name(Level level);
// All four in the order above, as the player chooses among them.
QStringList names();
std::optional<Level> fromName(const QString &name);

} // namespace Difficulty
