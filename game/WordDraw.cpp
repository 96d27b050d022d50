// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/WordDraw.h"

#include "game/WordPool.h"

#include <QRandomGenerator>

WordDraw::WordDraw(const WordPool &pool, Difficulty::Level level, const QString &topic, const WordHistory &history,
                   Random random)
    : WordDraw(pool.words(level, topic), history, std::move(random))
{
}

WordDraw::WordDraw(const QStringList &words, const WordHistory &history, Random random)
    : m_candidates(words)
    , m_history(history)
    , m_random(std::move(random))
{
    if (!m_random)
        m_random = [](int bound) { return int(QRandomGenerator::global()->bounded(bound)); };
}

std::optional<QString> WordDraw::next()
{
    QStringList unseen;
    QString oldest;
    int oldestRecency = WordHistory::Capacity;
    for (const QString &word : std::as_const(m_candidates)) {
        const int recency = m_history.recency(word);
        if (recency < 0)
            unseen << word;
        else if (recency < oldestRecency) {
            oldest = word;
            oldestRecency = recency;
        }
    }

    QString word;
    if (!unseen.isEmpty())
        word = unseen.at(qBound(0, m_random(int(unseen.size())), int(unseen.size()) - 1));
    else if (!oldest.isEmpty())
        word = oldest; // every word was seen lately: the one seen longest ago
    else
        return std::nullopt;

    m_candidates.removeOne(word);
    m_drawn << word;
    m_history.add(word);
    return word;
}
