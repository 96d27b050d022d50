// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct GameSettings;

// A word list of one's own for playing alone, such as a teacher's words of
// the week: a text file in UTF-8 or Windows-1252, a word or sentence a
// line, optionally followed by a tab and its topic; lines starting with
// "#" and blank lines say nothing. Each line must pass what the word page
// would accept under the settings of the match.
class OwnWords
{
public:
    // A list of a few hundred lines fits many times over.
    static constexpr qint64 MaxFileSize = 64 * 1024;
    // The topics of the solo page that stand for such a list.
    static const QString TopicPrefix;

    enum class Problem {
        None,
        Missing,
        // Not a regular file, or not to be opened or read.
        Unreadable,
        TooLarge,
        // Not one line passes.
        NoWord,
    };
    struct Refusal
    {
        int line = 0;
        QString text;
        // "zu lang (höchstens 60 Zeichen)", "unzulässige Zeichen: ß", ...
        QString reason;
    };

    // The file's topic on the solo page: "Eigene Wörter: woche.txt", and
    // with a topic of the file "Eigene Wörter: woche.txt – Tiere".
    static QString topicName(const QString &path, const QString &fileTopic = QString());
    static bool isOwnTopic(const QString &topic) { return topic.startsWith(TopicPrefix); }

    static OwnWords read(const QString &path, const GameSettings &settings);
    static OwnWords fromBytes(const QByteArray &bytes, const GameSettings &settings);

    Problem problem() const { return m_problem; }
    const QList<Refusal> &refused() const { return m_refused; }
    // The words that pass, in the file's order, each once; of one topic of
    // the file when a topic of the solo page names it.
    QStringList words(const QString &pageTopic = QString()) const;
    // The topics of the solo page for the file: the whole file first, then
    // each of its own topics with at least `least` words.
    QStringList topicsOffered(int least) const;

    // The boxes' texts, for the file's name.
    QString problemText(const QString &fileName) const;
    // One line per refused line, at most `shown` of them and how many more.
    QString refusedText(int shown = 12) const;

private:
    struct Word
    {
        QString text;
        QString topic;
    };

    QString m_path;
    Problem m_problem = Problem::None;
    QList<Word> m_words;
    QList<Refusal> m_refused;
};
