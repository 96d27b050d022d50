// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/GameSettings.h"

#include "text/IniFile.h"

#include <QList>
#include <QtGlobal>

namespace {

const QString kProperties = QStringLiteral("Properties");
const QString kNames = QStringLiteral("Names");

} // namespace

GameSettings GameSettings::read(const IniFile &ini)
{
    const GameSettings defaults;
    GameSettings s;
    s.Rounds = ini.readInteger(kProperties, QStringLiteral("Rounds"), defaults.Rounds);
    s.Mistakes = ini.readInteger(kProperties, QStringLiteral("Mistakes"), defaults.Mistakes);
    const int mode = ini.readInteger(kProperties, QStringLiteral("TimeLimit"), int(defaults.TimeLimit));
    if (mode >= 0 && mode <= 2)
        s.TimeLimit = TimeLimitMode(mode);
    s.TimeLimitValue = ini.readInteger(kProperties, QStringLiteral("TimeLimitValue"), defaults.TimeLimitValue);
    s.NoSpecialChars = ini.readBool(kProperties, QStringLiteral("NoSpecialChars"), defaults.NoSpecialChars);
    s.CapitalLetters = ini.readBool(kProperties, QStringLiteral("CapitalLetters"), defaults.CapitalLetters);
    s.AcceptSentences = ini.readBool(kProperties, QStringLiteral("AcceptSentences"), defaults.AcceptSentences);
    s.AcceptNumbers = ini.readBool(kProperties, QStringLiteral("AcceptNumbers"), defaults.AcceptNumbers);
    s.SetFirstLetter = ini.readBool(kProperties, QStringLiteral("SetFirstLetter"), defaults.SetFirstLetter);
    s.WonRounds = ini.readBool(kProperties, QStringLiteral("WonRounds"), defaults.WonRounds);
    s.PlaySounds = ini.readBool(kProperties, QStringLiteral("PlaySounds"), defaults.PlaySounds);
    return s.clamped();
}

namespace {

// A key of the "Properties" section with its value as written: numbers in
// decimal, the switches as 1 or 0.
struct Entry
{
    QString key;
    int value;
};

QList<Entry> entriesOf(const GameSettings &s)
{
    return {
        {QStringLiteral("Rounds"), s.Rounds},
        {QStringLiteral("Mistakes"), s.Mistakes},
        {QStringLiteral("TimeLimit"), int(s.TimeLimit)},
        {QStringLiteral("TimeLimitValue"), s.TimeLimitValue},
        {QStringLiteral("NoSpecialChars"), int(s.NoSpecialChars)},
        {QStringLiteral("CapitalLetters"), int(s.CapitalLetters)},
        {QStringLiteral("AcceptSentences"), int(s.AcceptSentences)},
        {QStringLiteral("AcceptNumbers"), int(s.AcceptNumbers)},
        {QStringLiteral("SetFirstLetter"), int(s.SetFirstLetter)},
        {QStringLiteral("WonRounds"), int(s.WonRounds)},
        {QStringLiteral("PlaySounds"), int(s.PlaySounds)},
    };
}

} // namespace

void GameSettings::write(IniFile &ini) const
{
    for (const Entry &entry : entriesOf(*this))
        ini.writeInteger(kProperties, entry.key, entry.value);
}

void GameSettings::writeChanges(IniFile &ini, const GameSettings &loaded) const
{
    const QList<Entry> now = entriesOf(*this);
    const QList<Entry> before = entriesOf(loaded);
    for (int i = 0; i < now.size(); ++i) {
        if (now.at(i).value != before.at(i).value || !ini.contains(kProperties, now.at(i).key))
            ini.writeInteger(kProperties, now.at(i).key, now.at(i).value);
    }
}

GameSettings GameSettings::clamped() const
{
    GameSettings s = *this;
    s.Rounds = qBound(MinRounds, Rounds, MaxRounds);
    s.Mistakes = qBound(MinMistakes, Mistakes, MaxMistakes);
    s.TimeLimitValue = qBound(MinTimeLimit, TimeLimitValue, MaxTimeLimit);
    return s;
}

bool GameSettings::operator==(const GameSettings &o) const
{
    return Rounds == o.Rounds && Mistakes == o.Mistakes && TimeLimit == o.TimeLimit
        && TimeLimitValue == o.TimeLimitValue && NoSpecialChars == o.NoSpecialChars
        && CapitalLetters == o.CapitalLetters && AcceptSentences == o.AcceptSentences
        && AcceptNumbers == o.AcceptNumbers && SetFirstLetter == o.SetFirstLetter
        && WonRounds == o.WonRounds && PlaySounds == o.PlaySounds;
}

PlayerNames PlayerNames::read(const IniFile &ini)
{
    return PlayerNames{ini.readString(kNames, QStringLiteral("Player1")), ini.readString(kNames, QStringLiteral("Player2"))};
}

void PlayerNames::write(IniFile &ini) const
{
    ini.writeString(kNames, QStringLiteral("Player1"), Player1);
    ini.writeString(kNames, QStringLiteral("Player2"), Player2);
}

void PlayerNames::writeChanges(IniFile &ini, const PlayerNames &loaded) const
{
    const QString player1 = QStringLiteral("Player1");
    const QString player2 = QStringLiteral("Player2");
    if (Player1 != loaded.Player1 || !ini.contains(kNames, player1))
        ini.writeString(kNames, player1, Player1);
    if (Player2 != loaded.Player2 || !ini.contains(kNames, player2))
        ini.writeString(kNames, player2, Player2);
}
