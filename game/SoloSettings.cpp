// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/SoloSettings.h"

#include "game/WordPool.h"
#include "text/IniFile.h"

#include <QStringList>

namespace {

const QString kSolo = QStringLiteral("Solo");

QString bestKey(Difficulty::Level level)
{
    QString name = Difficulty::name(level);
    name[0] = name.at(0).toUpper();
    return QStringLiteral("Best") + name;
}

constexpr Difficulty::Level kLevels[] = {Difficulty::Level::Easy, Difficulty::Level::Medium, Difficulty::Level::Hard,
                                         Difficulty::Level::Mixed};

} // namespace

bool SoloBest::betterThan(const SoloBest &other) const
{
    // A match without a word guessed is nobody's best.
    if (isEmpty() || guessed == 0)
        return false;
    if (other.isEmpty())
        return true;
    // guessed / words against other.guessed / other.words, in whole numbers.
    const qint64 mine = qint64(guessed) * other.words;
    const qint64 theirs = qint64(other.guessed) * words;
    if (mine != theirs)
        return mine > theirs;
    if (words != other.words)
        return words > other.words;
    return mistakes < other.mistakes;
}

QString SoloBest::toString() const
{
    return isEmpty() ? QString() : QStringLiteral("%1/%2/%3").arg(guessed).arg(words).arg(mistakes);
}

SoloBest SoloBest::fromString(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return {};
    int values[3] = {};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        values[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok || values[i] < 0)
            return {};
    }
    SoloBest best{values[0], values[1], values[2]};
    if (best.words == 0 || best.guessed > best.words)
        return {};
    return best;
}

SoloSettings SoloSettings::read(const IniFile &ini)
{
    SoloSettings s;
    s.Name = ini.readString(kSolo, QStringLiteral("Name"));
    s.Level = Difficulty::fromName(ini.readString(kSolo, QStringLiteral("Difficulty"))).value_or(s.Level);
    s.Topic = ini.readString(kSolo, QStringLiteral("Topic"), WordPool::AllTopics);
    s.WordFile = ini.readString(kSolo, QStringLiteral("WordFile"));
    for (const Difficulty::Level level : kLevels)
        s.bestAt(level) = SoloBest::fromString(ini.readString(kSolo, bestKey(level)));
    s.History = WordHistory::fromString(ini.readString(kSolo, QStringLiteral("History")));
    return s;
}

void SoloSettings::writeChanges(IniFile &ini, const SoloSettings &loaded) const
{
    auto write = [&ini](const QString &key, const QString &now, const QString &before) {
        if (now != before)
            ini.writeString(kSolo, key, now);
    };
    write(QStringLiteral("Name"), Name, loaded.Name);
    write(QStringLiteral("Difficulty"), Difficulty::name(Level), Difficulty::name(loaded.Level));
    write(QStringLiteral("Topic"), Topic, loaded.Topic);
    write(QStringLiteral("WordFile"), WordFile, loaded.WordFile);
    for (const Difficulty::Level level : kLevels)
        write(bestKey(level), bestAt(level).toString(), loaded.bestAt(level).toString());
    write(QStringLiteral("History"), History.toString(), loaded.History.toString());
}
