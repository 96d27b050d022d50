// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/Difficulty.h"

namespace Difficulty {

namespace {

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

} // namespace Difficulty
