// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/GameSettings.h"

#include <QByteArray>

#include <optional>

// The host's game options as they travel to the participant: one record of
// 20 bytes, integers little-endian, nothing before or after it.
//
//   offset  size  content
//    0      4     Rounds, signed 32-bit
//    4      4     Mistakes, signed 32-bit
//    8      4     time limit in seconds, signed 32-bit
//   12      1     time-limit mode: 0 no limit, 1 per letter, 2 whole word
//   13      1     NoSpecialChars   1 ticked, 0 not
//   14      1     CapitalLetters   1 ticked, 0 not
//   15      1     AcceptSentences  1 ticked, 0 not
//   16      1     AcceptNumbers    1 ticked, 0 not
//   17      1     SetFirstLetter   1 ticked, 0 not
//   18      1     winner rule: 1 most rounds won, 0 fewest mistakes
//   19      1     always 0
//
// The player names and the sound option stay on each computer.
struct SettingsRecord
{
    static constexpr int Size = 20;

    qint32 Rounds = 0;
    qint32 Mistakes = 0;
    qint32 TimeLimitValue = 0;
    // Kept as it came: a mode the receiver does not know leaves its own
    // selection alone rather than being read as "no limit".
    quint8 ModeByte = 0;
    bool NoSpecialChars = false;
    bool CapitalLetters = false;
    bool AcceptSentences = false;
    bool AcceptNumbers = false;
    bool SetFirstLetter = false;
    bool WonRounds = false;

    static SettingsRecord fromSettings(const GameSettings &settings);
    QByteArray encode() const;
    // Reads the first 20 bytes; a shorter read leaves the missing bytes 0.
    // Any non-zero flag byte counts as ticked.
    static SettingsRecord decode(const QByteArray &bytes);

    // Empty for a mode byte other than 0, 1 or 2.
    std::optional<TimeLimitMode> timeLimitMode() const;

    // The participant's settings once the host's record has replaced them.
    // Numbers are brought into the settings page's ranges, since a peer can
    // send anything a signed 32-bit field holds; an unknown mode and the
    // participant's own sound option stay as they were.
    GameSettings appliedTo(const GameSettings &own) const;

    bool operator==(const SettingsRecord &other) const;
    bool operator!=(const SettingsRecord &other) const { return !(*this == other); }
};
