// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/SettingsRecord.h"

#include <QtEndian>

#include <algorithm>
#include <array>

namespace {

enum Offset {
    RoundsAt = 0,
    MistakesAt = 4,
    TimeLimitAt = 8,
    ModeAt = 12,
    NoSpecialCharsAt = 13,
    CapitalLettersAt = 14,
    AcceptSentencesAt = 15,
    AcceptNumbersAt = 16,
    SetFirstLetterAt = 17,
    WonRoundsAt = 18,
};

} // namespace

SettingsRecord SettingsRecord::fromSettings(const GameSettings &settings)
{
    SettingsRecord record;
    record.Rounds = settings.Rounds;
    record.Mistakes = settings.Mistakes;
    record.TimeLimitValue = settings.TimeLimitValue;
    record.ModeByte = quint8(settings.TimeLimit);
    record.NoSpecialChars = settings.NoSpecialChars;
    record.CapitalLetters = settings.CapitalLetters;
    record.AcceptSentences = settings.AcceptSentences;
    record.AcceptNumbers = settings.AcceptNumbers;
    record.SetFirstLetter = settings.SetFirstLetter;
    record.WonRounds = settings.WonRounds;
    return record;
}

QByteArray SettingsRecord::encode() const
{
    std::array<uchar, Size> bytes{};
    qToLittleEndian<qint32>(Rounds, bytes.data() + RoundsAt);
    qToLittleEndian<qint32>(Mistakes, bytes.data() + MistakesAt);
    qToLittleEndian<qint32>(TimeLimitValue, bytes.data() + TimeLimitAt);
    bytes[ModeAt] = ModeByte;
    bytes[NoSpecialCharsAt] = NoSpecialChars;
    bytes[CapitalLettersAt] = CapitalLetters;
    bytes[AcceptSentencesAt] = AcceptSentences;
    bytes[AcceptNumbersAt] = AcceptNumbers;
    bytes[SetFirstLetterAt] = SetFirstLetter;
    bytes[WonRoundsAt] = WonRounds;
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), Size);
}

SettingsRecord SettingsRecord::decode(const QByteArray &received)
{
    std::array<uchar, Size> bytes{};
    std::copy_n(received.constData(), std::min<qsizetype>(received.size(), Size), bytes.begin());

    SettingsRecord record;
    record.Rounds = qFromLittleEndian<qint32>(bytes.data() + RoundsAt);
    record.Mistakes = qFromLittleEndian<qint32>(bytes.data() + MistakesAt);
    record.TimeLimitValue = qFromLittleEndian<qint32>(bytes.data() + TimeLimitAt);
    record.ModeByte = bytes[ModeAt];
    record.NoSpecialChars = bytes[NoSpecialCharsAt] != 0;
    record.CapitalLetters = bytes[CapitalLettersAt] != 0;
    record.AcceptSentences = bytes[AcceptSentencesAt] != 0;
    record.AcceptNumbers = bytes[AcceptNumbersAt] != 0;
    record.SetFirstLetter = bytes[SetFirstLetterAt] != 0;
    record.WonRounds = bytes[WonRoundsAt] != 0;
    return record;
}

std::optional<TimeLimitMode> SettingsRecord::timeLimitMode() const
{
    if (ModeByte > quint8(TimeLimitMode::WholeWord))
        return std::nullopt;
    return TimeLimitMode(ModeByte);
}

GameSettings SettingsRecord::appliedTo(const GameSettings &own) const
{
    GameSettings settings = own;
    settings.Rounds = Rounds;
    settings.Mistakes = Mistakes;
    settings.TimeLimitValue = TimeLimitValue;
    if (const auto mode = timeLimitMode())
        settings.TimeLimit = *mode;
    settings.NoSpecialChars = NoSpecialChars;
    settings.CapitalLetters = CapitalLetters;
    settings.AcceptSentences = AcceptSentences;
    settings.AcceptNumbers = AcceptNumbers;
    settings.SetFirstLetter = SetFirstLetter;
    settings.WonRounds = WonRounds;
    return settings.clamped();
}

bool SettingsRecord::operator==(const SettingsRecord &o) const
{
    return Rounds == o.Rounds && Mistakes == o.Mistakes && TimeLimitValue == o.TimeLimitValue
        && ModeByte == o.ModeByte && NoSpecialChars == o.NoSpecialChars
        && CapitalLetters == o.CapitalLetters && AcceptSentences == o.AcceptSentences
        && AcceptNumbers == o.AcceptNumbers && SetFirstLetter == o.SetFirstLetter
        && WonRounds == o.WonRounds;
}
