// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/Seat.h"

Seat::Seat(MatchState &match, QObject *parent)
    : QObject(parent)
    , m_match(match)
{
}

Seat::~Seat() = default;

MatchState::WordVerdict Seat::setWord(const QString &typed)
{
    return m_match.setWord(*this, typed);
}

bool Seat::startTurn()
{
    return m_match.startTurn(*this);
}

std::optional<Round::Guess> Seat::guess(QChar key)
{
    return m_match.guess(*this, key);
}

std::optional<QChar> Seat::takeHint()
{
    return m_match.takeHint(*this);
}

bool Seat::leave()
{
    return m_match.leave(*this);
}

bool Seat::giveUp()
{
    return m_match.giveUp(*this);
}
