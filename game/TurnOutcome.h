// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/TurnRecord.h"

#include <QString>

// How a turn stands for the players: how far the figure on the gallows is
// drawn, and the line that says how the turn ended.
namespace TurnOutcome {

// The figure's own parts: the gallows (base, post, beam, brace, rope),
// then the head, body, arms and legs.
constexpr int kFigureParts = 11;

// `shown` of `total` steps of the figure.
struct FigureSteps
{
    int shown = 0;
    int total = 0;

    bool operator==(const FigureSteps &other) const { return shown == other.shown && total == other.total; }
};

// With a maximum of mistakes the figure has one step for each, so it is
// complete exactly when they are reached. Without one (0) each mistake
// draws one of the figure's parts, but the last waits for a lost turn, as
// mistakes alone cannot lose it. A turn lost by time or given up shows the
// whole figure at once.
FigureSteps figureSteps(int maxMistakes, int mistakes, bool lost);

// Whose screen the line is on: one shared by both players, the guesser's
// own (alone, or in a network game) or the setter's in a network game.
enum class Viewer { BothPlayers, Guesser, Setter };

// A text with a player's name in it, in three pieces, so that a long name
// can be shortened while the rest of the text stays whole.
struct NamedText
{
    QString before;
    QString name;
    QString after;

    QString text() const { return before + name + after; }
};

// "Bert hat das Wort erraten, mit 2 Fehlern.", "Zeit abgelaufen: Du hast
// das Wort nicht erraten.", "Bert hat dein Wort erraten, ohne Fehler."
NamedText line(TurnRecord::Outcome outcome, int mistakes, Viewer viewer, const QString &guesser);

} // namespace TurnOutcome
