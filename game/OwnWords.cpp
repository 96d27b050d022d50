// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/OwnWords.h"

#include "game/GameSettings.h"
#include "game/MatchState.h"
#include "game/WordRules.h"
#include "text/SharedFile.h"

#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>

const QString OwnWords::TopicPrefix = QStringLiteral("Eigene Wörter: ");

namespace {

// UTF-8 when the bytes are valid UTF-8 (a byte order mark is dropped),
// else Windows-1252, where every byte is a character.
QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1252("windows-1252");
    return cp1252(bytes);
}

QString reasonOf(const MatchState::WordVerdict &verdict)
{
    using Problem = MatchState::WordVerdict::Problem;
    switch (verdict.problem) {
    case Problem::TooFewDistinct:
        return QStringLiteral("braucht mindestens zwei verschiedene Buchstaben, da der erste vorgegeben wird");
    case Problem::RefusedCharacters:
        return QStringLiteral("unzulässige Zeichen: ") + verdict.refused.join(QStringLiteral("; "));
    default:
        return QStringLiteral("kein Wort");
    }
}

} // namespace

QString OwnWords::topicName(const QString &path, const QString &fileTopic)
{
    const QString name = TopicPrefix + QFileInfo(path).fileName();
    return fileTopic.isEmpty() ? name : name + QStringLiteral(" – ") + fileTopic;
}

OwnWords OwnWords::read(const QString &path, const GameSettings &settings)
{
    const SharedFile::Contents contents = SharedFile::read(path, MaxFileSize);
    OwnWords own;
    switch (contents.status) {
    case SharedFile::Status::Read:
        own = fromBytes(contents.bytes, settings);
        break;
    case SharedFile::Status::Missing:
        own.m_problem = Problem::Missing;
        break;
    case SharedFile::Status::TooLarge:
        own.m_problem = Problem::TooLarge;
        break;
    case SharedFile::Status::NotRegular:
    case SharedFile::Status::Unreadable:
        own.m_problem = Problem::Unreadable;
        break;
    }
    own.m_path = path;
    return own;
}

OwnWords OwnWords::fromBytes(const QByteArray &bytes, const GameSettings &settings)
{
    OwnWords own;
    QSet<QString> seen;
    const QStringList lines = decode(bytes).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        const QString text = line.left(tab).trimmed();
        const QString topic = tab < 0 ? QString() : line.mid(tab + 1).trimmed();
        const int number = i + 1;
        if (text.size() > WordRules::MaxWordLength) {
            own.m_refused << Refusal{number, text.left(WordRules::MaxWordLength) + QStringLiteral("…"),
                                     QStringLiteral("zu lang (höchstens %1 Zeichen)").arg(WordRules::MaxWordLength)};
            continue;
        }
        const MatchState::WordVerdict verdict = MatchState::judgeWord(settings, text);
        if (!verdict.accepted()) {
            own.m_refused << Refusal{number, text, reasonOf(verdict)};
            continue;
        }
        // The same word twice is one word to the guesser.
        QString capitals = text;
        for (QChar &c : capitals)
            c = upperCaseOf(c);
        if (seen.contains(capitals))
            continue;
        seen.insert(capitals);
        own.m_words << Word{text, topic};
    }
    if (own.m_words.isEmpty())
        own.m_problem = Problem::NoWord;
    return own;
}

QStringList OwnWords::words(const QString &pageTopic) const
{
    QStringList chosen;
    for (const Word &word : m_words) {
        if (pageTopic.isEmpty() || pageTopic == topicName(m_path) || pageTopic == topicName(m_path, word.topic))
            chosen << word.text;
    }
    return chosen;
}

QStringList OwnWords::topicsOffered(int least) const
{
    QStringList offered{topicName(m_path)};
    QStringList fileTopics;
    for (const Word &word : m_words) {
        if (!word.topic.isEmpty() && !fileTopics.contains(word.topic))
            fileTopics << word.topic;
    }
    fileTopics.sort();
    for (const QString &topic : std::as_const(fileTopics)) {
        if (words(topicName(m_path, topic)).size() >= least)
            offered << topicName(m_path, topic);
    }
    return offered;
}

QString OwnWords::problemText(const QString &fileName) const
{
    switch (m_problem) {
    case Problem::None:
        return QString();
    case Problem::Missing:
        return QStringLiteral("Die Datei „%1“ gibt es nicht mehr.").arg(fileName);
    case Problem::Unreadable:
        return QStringLiteral("Die Datei „%1“ lässt sich nicht lesen.").arg(fileName);
    case Problem::TooLarge:
        return QStringLiteral("Die Datei „%1“ ist zu groß: Eine eigene Wortliste darf höchstens %2 KB haben.")
            .arg(fileName)
            .arg(MaxFileSize / 1024);
    case Problem::NoWord:
        return QStringLiteral("In der Datei „%1“ steht kein Wort, das zu den Einstellungen passt.").arg(fileName);
    }
    return QString();
}

QString OwnWords::refusedText(int shown) const
{
    QStringList lines;
    for (const Refusal &refusal : m_refused.mid(0, shown))
        lines << QStringLiteral("Zeile %1: %2 – %3").arg(refusal.line).arg(refusal.text, refusal.reason);
    const qsizetype more = m_refused.size() - shown;
    if (more == 1)
        lines << QStringLiteral("… und eine weitere Zeile");
    else if (more > 1)
        lines << QStringLiteral("… und %1 weitere Zeilen").arg(more);
    return lines.join(QLatin1Char('\n'));
}
