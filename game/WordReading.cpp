// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/WordReading.h"

#include "game/RoundState.h"

#include <QStringList>

QString WordReading::spokenWord(const TRoundState &state)
{
    if (!state.RoundRunning && !state.RoundOver)
        return QString();
    QStringList positions;
    for (const QChar c : state.SecretWord) {
        // A blank alone would be read as nothing at all.
        const QString shown = c == QLatin1Char(' ') ? QStringLiteral("Leerzeichen") : QString(c);
        if (state.isRevealed(c))
            positions << shown;
        else if (state.RoundOver)
            positions << shown + QStringLiteral(" (nicht erraten)");
        else
            positions << QStringLiteral("Lücke");
    }
    return positions.join(QLatin1Char(' '));
}
