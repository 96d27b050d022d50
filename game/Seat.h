// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/MatchState.h"

#include <QObject>
#include <QString>

#include <optional>

// A place at a match: the person at this computer's keyboard, the program
// setting words alone, or the other computer's player. Every move reaches
// the match through a seat, and the match takes it only when it is that
// seat's to make now: the setter's seat sets the word; the guesser's starts
// the turn, guesses and asks for a hint; either may leave. Any other move
// is refused and changes nothing, whatever the window happens to show.
//
// A seat is made for one match and handed to it as the match starts; the
// match deletes it once the match is left or over, or the next one starts.
class Seat : public QObject
{
    Q_OBJECT

public:
    explicit Seat(MatchState &match, QObject *parent = nullptr);
    ~Seat() override;

protected:
    // The moves, each answered as the match answers it.
    MatchState::WordVerdict setWord(const QString &typed);
    bool startTurn();
    std::optional<Round::Guess> guess(QChar key);
    std::optional<QChar> takeHint();
    bool leave();
    bool giveUp();

    // The match has let the seat go: from now on it takes no move from
    // here, and whatever the seat still hears from outside is stale.
    virtual void unseated() {}

    MatchState &m_match;

private:
    friend class MatchState;
};
