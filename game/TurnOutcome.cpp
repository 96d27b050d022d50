// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/TurnOutcome.h"

#include <QtGlobal>

namespace TurnOutcome {

FigureSteps figureSteps(int maxMistakes, int mistakes, bool lost)
{
    FigureSteps steps;
    if (maxMistakes <= 0) {
        steps.total = kFigureParts;
        steps.shown = lost ? kFigureParts : qBound(0, mistakes, kFigureParts - 1);
    } else {
        steps.total = maxMistakes;
        steps.shown = lost ? maxMistakes : qBound(0, mistakes, maxMistakes);
    }
    return steps;
}

namespace {

QString withMistakes(int mistakes)
{
    if (mistakes == 0)
        return QStringLiteral("ohne Fehler");
    if (mistakes == 1)
        return QStringLiteral("mit 1 Fehler");
    return QStringLiteral("mit %1 Fehlern").arg(mistakes);
}

QString causeOf(TurnRecord::Outcome outcome, int mistakes)
{
    switch (outcome) {
    case TurnRecord::Outcome::Won:
        break;
    case TurnRecord::Outcome::LostByMistakes:
        return QStringLiteral("%1 Fehler: ").arg(mistakes);
    case TurnRecord::Outcome::LostByTime:
        return QStringLiteral("Zeit abgelaufen: ");
    case TurnRecord::Outcome::GivenUp:
        return QStringLiteral("Aufgegeben: ");
    }
    return QString();
}

} // namespace

NamedText line(TurnRecord::Outcome outcome, int mistakes, Viewer viewer, const QString &guesser)
{
    NamedText text;
    const bool won = outcome == TurnRecord::Outcome::Won;
    text.before = causeOf(outcome, mistakes);
    const QString word = viewer == Viewer::Setter ? QStringLiteral(" dein Wort ") : QStringLiteral(" das Wort ");
    const QString verb = won ? QStringLiteral("erraten, ") + withMistakes(mistakes) + QLatin1Char('.')
                             : QStringLiteral("nicht erraten.");
    if (viewer == Viewer::Guesser) {
        text.before += QStringLiteral("Du hast") + word + verb;
    } else {
        text.name = guesser;
        text.after = QStringLiteral(" hat") + word + verb;
    }
    return text;
}

} // namespace TurnOutcome
