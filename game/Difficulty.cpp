// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/Difficulty.h"

namespace Difficulty {

namespace {

// The letters of German text, most frequent first.
const QString &lettersByFrequency()
{
    static const QString letters = QString::fromUtf8("ENISRATDHULCGMOBWFKZPVÜÄßÖJYXQ");
    return letters;
}

constexpr Level kLevels[] = {Level::Easy, Level::Medium, Level::Hard, Level::Mixed};

} // namespace

QString name(Level level)
{
    switch (level) {
    case Level::Easy:
        return QStringLiteral("leicht");
    case Level::Medium:
        return QStringLiteral("mittel");
    case Level::Hard:
        return QStringLiteral("schwer");
    case Level::Mixed:
        break;
    }
    return QStringLiteral("gemischt");
}

QStringList names()
{
    QStringList all;
    for (Level level : kLevels)
        all << name(level);
    return all;
}

std::optional<Level> fromName(const QString &text)
{
    for (Level level : kLevels) {
        if (name(level) == text)
            return level;
    }
    return std::nullopt;
}

int mistakes(const QString &word, const CharSet &allowed, bool firstLetterGiven)
{
    // Guesses are matched by their capitals, as the turn matches them. A
    // character that is not a letter (a blank, a digit) costs no mistake
    // whenever it is tried, so only the letters count.
    CharSet hidden;
    for (QChar c : word)
        hidden.insert(upperCaseOf(c));
    const QChar given = firstLetterGiven && !word.isEmpty() ? upperCaseOf(word.at(0)) : QChar();

    int count = 0;
    int left = 0;
    for (QChar letter : lettersByFrequency())
        left += hidden.contains(letter) && letter != given;
    for (QChar letter : lettersByFrequency()) {
        if (left == 0)
            break;
        if (letter == given || !allowed.contains(letter))
            continue;
        if (hidden.contains(letter))
            --left;
        else
            ++count;
    }
    return count;
}

} // namespace Difficulty
