// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/PeerSeat.h"

#include "net/PeerLink.h"

PeerSeat::PeerSeat(PeerLink &link, MatchState &match, QObject *parent)
    : Seat(match, parent)
    , m_link(link)
{
    connect(&m_match, &MatchState::wordSet, this, &PeerSeat::localWordSet);
    connect(&m_match, &MatchState::turnStarted, this, &PeerSeat::localTurnStarted);
    connect(&m_match, &MatchState::guessAnswered, this, &PeerSeat::guessAnswered);
}

void PeerSeat::peerSendsWord(const QString &word)
{
    setWord(word);
}

void PeerSeat::peerStarts()
{
    startTurn();
}

void PeerSeat::peerGuesses(QChar key)
{
    guess(key);
}

void PeerSeat::peerLeaves()
{
    leave();
}

void PeerSeat::localWordSet(const QString &typed)
{
    // The peer checks and folds the word itself.
    if (m_match.localSetsWord())
        m_link.sendWord(typed);
}

void PeerSeat::localTurnStarted()
{
    if (m_match.localGuesses())
        m_link.sendStart();
}

void PeerSeat::guessAnswered(int seat, QChar key, Round::Guess result, bool atStart)
{
    // The given first letter is nobody's guess, and the peer's own guesses
    // need not go back to it.
    const bool counted = result != Round::Guess::Refused && result != Round::Guess::Repeated;
    if (counted && !atStart && seat == m_match.localSeat() && m_match.localGuesses())
        m_link.sendGuess(key);
}
