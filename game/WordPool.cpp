// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/WordPool.h"

#include "game/GameSettings.h"
#include "game/WordList.h"
#include "game/WordRules.h"

#include <QSet>

const QString WordPool::AllTopics = QStringLiteral("Alle Wörter");
const QString WordPool::NoWordMessage = QStringLiteral(
    "Zu diesen Einstellungen passen nicht genug Wörter. Wähle weniger Runden, eine andere Schwierigkeit "
    "oder ein anderes Thema, oder erlaube in den Einstellungen mehr Zeichen.");

WordPool::WordPool(const WordList &list, const GameSettings &settings)
    : m_rounds(settings.Rounds)
{
    const CharSet allowed = WordRules::allowedChars(WordRules::CharacterOptions::of(settings));
    QSet<QString> seen;
    for (const WordList::Entry &entry : list.entries()) {
        // The checks of the word page on the characters the player sees,
        // split once.
        const QStringList characters = WordRules::userCharacters(entry.word);
        if (characters.size() < MinLength || characters.size() > MaxLength)
            continue;
        if (settings.SetFirstLetter && WordRules::CountDistinctChars(characters) <= 1)
            continue;
        const WordRules::FoldResult folded = WordRules::foldToAllowed(characters, allowed);
        if (!folded.accepted())
            continue;
        // Two entries that differ only in case are one word to the guesser.
        QString capitals = folded.word;
        for (QChar &c : capitals)
            c = upperCaseOf(c);
        if (seen.contains(capitals))
            continue;
        seen.insert(capitals);
        m_words << Word{folded.word, entry.topics, entry.level};
    }

    for (const Word &word : std::as_const(m_words)) {
        for (const QString &topic : word.topics) {
            if (!m_topics.contains(topic))
                m_topics << topic;
        }
    }
    m_topics.sort();
}

QStringList WordPool::words(Difficulty::Level level, const QString &topic) const
{
    QStringList chosen;
    for (const Word &word : m_words) {
        const bool inLevel = level == Difficulty::Level::Mixed || word.level == level;
        if (inLevel && (topic == AllTopics || word.topics.contains(topic)))
            chosen << word.secret;
    }
    return chosen;
}

QStringList WordPool::topicsOffered(Difficulty::Level level) const
{
    QStringList offered{AllTopics};
    for (const QString &topic : m_topics) {
        if (words(level, topic).size() >= m_rounds)
            offered << topic;
    }
    return offered;
}
