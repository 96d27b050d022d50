// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Difficulty.h"

#include <QList>
#include <QString>
#include <QStringList>

class WordList;
struct GameSettings;

// The words of the list that the current settings let a player type, as
// the word page would accept them, each at the level the list gives it.
class WordPool
{
public:
    static constexpr int MinLength = 4;
    static constexpr int MaxLength = 12;

    // The topic that is always offered: every word of the level.
    static const QString AllTopics;
    // Shown instead of a turn when no word is left for the match.
    static const QString NoWordMessage;

    // Reads the character options, the first letter and the number of
    // rounds from the settings.
    WordPool(const WordList &list, const GameSettings &settings);

    int size() const { return int(m_words.size()); }
    // The words of a level and topic as the turn shows them (folded to
    // capitals where the settings ask for it), in the list's order.
    QStringList words(Difficulty::Level level, const QString &topic = AllTopics) const;
    // AllTopics first, then every topic with at least one word for each
    // round of the match at this level.
    QStringList topicsOffered(Difficulty::Level level) const;

private:
    struct Word
    {
        QString secret;
        QStringList topics;
        Difficulty::Level level = Difficulty::Level::Mixed;
    };

    QList<Word> m_words;
    QStringList m_topics;
    int m_rounds = 1;
};
