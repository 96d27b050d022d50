#include "game/GameSettings.h"

#include "text/IniFile.h"

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

void GameSettings::write(IniFile &ini) const
{
    ini.writeInteger(kProperties, QStringLiteral("Rounds"), Rounds);
    ini.writeInteger(kProperties, QStringLiteral("Mistakes"), Mistakes);
    ini.writeInteger(kProperties, QStringLiteral("TimeLimit"), int(TimeLimit));
    ini.writeInteger(kProperties, QStringLiteral("TimeLimitValue"), TimeLimitValue);
    ini.writeBool(kProperties, QStringLiteral("NoSpecialChars"), NoSpecialChars);
    ini.writeBool(kProperties, QStringLiteral("CapitalLetters"), CapitalLetters);
    ini.writeBool(kProperties, QStringLiteral("AcceptSentences"), AcceptSentences);
    ini.writeBool(kProperties, QStringLiteral("AcceptNumbers"), AcceptNumbers);
    ini.writeBool(kProperties, QStringLiteral("SetFirstLetter"), SetFirstLetter);
    ini.writeBool(kProperties, QStringLiteral("WonRounds"), WonRounds);
    ini.writeBool(kProperties, QStringLiteral("PlaySounds"), PlaySounds);
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
