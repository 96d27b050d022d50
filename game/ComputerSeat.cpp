// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/ComputerSeat.h"

#include "game/MatchState.h"

ComputerSeat::ComputerSeat(MatchState &match, WordDraw draw, QObject *parent)
    : QObject(parent)
    , m_match(match)
    , m_draw(std::move(draw))
{
    connect(&m_match, &MatchState::matchStarted, this, &ComputerSeat::setNextWord);
    connect(&m_match, &MatchState::turnChanged, this, &ComputerSeat::setNextWord);
}

void ComputerSeat::setNextWord()
{
    if (m_match.mode() != MatchState::Mode::Solo || m_match.stage() != MatchState::Stage::AwaitingWord)
        return;
    if (const std::optional<QString> word = m_draw.next())
        m_match.setWord(*word);
    else
        Q_EMIT noWordLeft();
}
