// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class IniFile;

// Which of the three time options is chosen.
enum class TimeLimitMode { NoLimit = 0, PerLetter = 1, WholeWord = 2 };

// The game options as Properties.ini keeps them. While the program runs
// the settings page's controls hold them; this record carries them to and
// from the file.
struct GameSettings
{
    static constexpr int MinRounds = 1;
    static constexpr int MaxRounds = 100;
    static constexpr int MinMistakes = 0;
    static constexpr int MaxMistakes = 25;
    static constexpr int MinTimeLimit = 5;
    static constexpr int MaxTimeLimit = 600;

    int Rounds = 5;
    int Mistakes = 9;
    TimeLimitMode TimeLimit = TimeLimitMode::NoLimit;
    // Seconds per guess or per word, by the mode.
    int TimeLimitValue = 30;
    bool NoSpecialChars = true;
    bool CapitalLetters = true;
    bool AcceptSentences = false;
    bool AcceptNumbers = false;
    bool SetFirstLetter = true;
    // False: the fewest mistakes in total win.
    bool WonRounds = true;
    bool PlaySounds = true;

    // Missing or malformed values take their defaults, numbers are brought
    // into their ranges, a time mode other than 0, 1 or 2 means no limit.
    static GameSettings read(const IniFile &ini);
    // Every key, in the order the file has always had.
    void write(IniFile &ini) const;
    // Only what differs from the values loaded at the start of the run, and
    // what the file lacks: another copy of the program that saved in
    // between keeps its own changes.
    void writeChanges(IniFile &ini, const GameSettings &loaded) const;

    // Numbers brought to the nearest bound of their ranges.
    GameSettings clamped() const;

    bool operator==(const GameSettings &other) const;
    bool operator!=(const GameSettings &other) const { return !(*this == other); }
};

// The two names, kept in the same file after the options.
struct PlayerNames
{
    QString Player1;
    QString Player2;

    static PlayerNames read(const IniFile &ini);
    void write(IniFile &ini) const;
    // As GameSettings::writeChanges.
    void writeChanges(IniFile &ini, const PlayerNames &loaded) const;
};
