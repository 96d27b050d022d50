// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/WordList.h"

#include <QFile>
#include <QSet>

WordList WordList::fromText(const QByteArray &utf8)
{
    WordList list;
    const QString text = QString::fromUtf8(utf8);
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        // A list saved with Windows line ends reads the same.
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QList<QStringView> fields = line.split(QLatin1Char('\t'));
        Entry entry;
        entry.word = fields.first().toString();
        // A word without a level is one of "gemischt", all words.
        if (fields.size() > 1)
            entry.level = Difficulty::fromName(fields[1].toString()).value_or(Difficulty::Level::Mixed);
        for (qsizetype i = 2; i < fields.size(); ++i) {
            if (!fields[i].isEmpty())
                entry.topics << fields[i].toString();
        }
        list.m_entries << entry;
    }
    return list;
}

WordList WordList::readShipped()
{
    QFile file(QStringLiteral(":/words/nouns-de.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return fromText(file.readAll());
}

const WordList &WordList::shipped()
{
    static const WordList list = readShipped();
    return list;
}

QStringList WordList::topics() const
{
    QSet<QString> seen;
    for (const Entry &entry : m_entries) {
        for (const QString &topic : entry.topics)
            seen.insert(topic);
    }
    QStringList topics(seen.cbegin(), seen.cend());
    topics.sort();
    return topics;
}
