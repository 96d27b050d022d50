// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Difficulty.h"
#include "game/WordHistory.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class WordPool;

// The computer's words for one solo match: from one level and topic of the
// pool, never the same word twice, and words of earlier matches only once
// every other word of the level and topic has had its turn.
class WordDraw
{
public:
    // A whole number from 0 to bound - 1.
    using Random = std::function<int(int bound)>;

    // Without a random source the system's own is used.
    WordDraw(const WordPool &pool, Difficulty::Level level, const QString &topic, const WordHistory &history,
             Random random = {});
    // The same from words given as they are, such as a list of one's own.
    WordDraw(const QStringList &words, const WordHistory &history, Random random = {});

    // The next word, or nothing when every word has been drawn in this
    // match (the game then shows WordPool::NoWordMessage).
    std::optional<QString> next();

    // The history given, with the words of this match added: the caller
    // keeps it for the next match.
    const WordHistory &history() const { return m_history; }
    const QStringList &drawn() const { return m_drawn; }

private:
    // The words of the level and topic not drawn yet in this match.
    QStringList m_candidates;
    QStringList m_drawn;
    WordHistory m_history;
    Random m_random;
};
