// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/ComputerSeat.h"

ComputerSeat::ComputerSeat(MatchState &match, WordDraw draw, QObject *parent)
    : Seat(match, parent)
    , m_draw(std::move(draw))
{
    connect(&m_match, &MatchState::matchStarted, this, &ComputerSeat::setNextWord);
    connect(&m_match, &MatchState::turnChanged, this, &ComputerSeat::setNextWord);
}

void ComputerSeat::setNextWord()
{
    // A word drawn goes into the history: none is drawn for a turn that
    // is not this seat's to set.
    if (!m_match.allows(*this, MatchState::Move::SetWord))
        return;
    if (const std::optional<QString> word = m_draw.next())
        setWord(*word);
    else
        Q_EMIT noWordLeft();
}
