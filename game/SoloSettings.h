// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Difficulty.h"
#include "game/WordHistory.h"

#include <QString>

#include <array>

class IniFile;

// A player's best match alone at one level: the most words guessed of
// those played, and the fewest mistakes among equal results.
struct SoloBest
{
    int guessed = 0;
    int words = 0;
    int mistakes = 0;

    bool isEmpty() const { return words == 0; }
    // A larger share of the words guessed is better; at the same share,
    // more words, then fewer mistakes. Guessing none is never better.
    bool betterThan(const SoloBest &other) const;
    // "4/5/7"; anything else reads as no best at all.
    QString toString() const;
    static SoloBest fromString(const QString &text);

    bool operator==(const SoloBest &other) const
    {
        return guessed == other.guessed && words == other.words && mistakes == other.mistakes;
    }
    bool operator!=(const SoloBest &other) const { return !(*this == other); }
};

// What solo play keeps in Properties.ini, in a section of its own that
// copies of the game without solo play leave alone.
struct SoloSettings
{
    QString Name;
    Difficulty::Level Level = Difficulty::Level::Medium;
    // A topic's name, or the one that stands for every word.
    QString Topic;
    // The path of the player's own word list; empty: none chosen.
    QString WordFile;
    std::array<SoloBest, 4> Best;
    WordHistory History;

    SoloBest &bestAt(Difficulty::Level level) { return Best[size_t(level)]; }
    const SoloBest &bestAt(Difficulty::Level level) const { return Best[size_t(level)]; }

    // A missing or malformed value takes its default.
    static SoloSettings read(const IniFile &ini);
    // Only what differs from what was loaded: a run that never played
    // alone leaves the file as it found it.
    void writeChanges(IniFile &ini, const SoloSettings &loaded) const;
};
