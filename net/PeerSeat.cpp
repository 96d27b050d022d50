// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/PeerSeat.h"

#include "net/PeerLink.h"

PeerSeat::PeerSeat(PeerLink &link, MatchState &match, QObject *parent)
    : Seat(match, parent)
    , m_link(link)
{
    connect(&m_link, &PeerLink::readyReceived, this, &PeerSeat::peerIsReady);
    connect(&m_link, &PeerLink::wordReceived, this, &PeerSeat::peerSendsWord);
    connect(&m_link, &PeerLink::startReceived, this, &PeerSeat::startTurn);
    connect(&m_link, &PeerLink::guessReceived, this, &PeerSeat::guess);
    connect(&m_link, &PeerLink::turnOverReceived, this, &PeerSeat::peerLeavesStatistics);
    connect(&m_link, &PeerLink::leaveReceived, this, &PeerSeat::leave);

    connect(&m_match, &MatchState::wordSet, this, &PeerSeat::localWordSet);
    connect(&m_match, &MatchState::turnStarted, this, &PeerSeat::localTurnStarted);
    connect(&m_match, &MatchState::guessAnswered, this, &PeerSeat::guessAnswered);
    connect(&m_match, &MatchState::turnChanged, this, &PeerSeat::localLeavesStatistics);
}

void PeerSeat::unseated()
{
    // The link outlives the match: what it brings later is for the next
    // match's seat.
    m_link.disconnect(this);
}

void PeerSeat::peerIsReady()
{
    m_link.setPhase(m_match.localSetsWord() ? NetPhase::AwaitingStart : NetPhase::AwaitingWord);
    Q_EMIT peerReady();
}

void PeerSeat::peerSendsWord(const QString &word)
{
    // A word is only awaited of the peer before a turn it sets: one that
    // comes while the last turn is still on screen would replace it unseen.
    if (!m_match.allows(*this, MatchState::Move::SetWord)) {
        Q_EMIT wordUnexpected();
        return;
    }
    // Checked before anything changes: a word the rules refuse is not
    // played, and this computer goes on waiting for one.
    const MatchState::WordVerdict verdict = m_match.checkWord(word);
    if (!verdict.accepted()) {
        Q_EMIT wordRefused(verdict);
        return;
    }
    m_link.setPhase(m_match.localGuesses() ? NetPhase::TurnRunning : NetPhase::AwaitingStart);
    setWord(word);
}

void PeerSeat::peerLeavesStatistics()
{
    // Until this computer has left its statistics, the match still names
    // the turn just played, whose guesser sets next; afterwards it already
    // names the coming turn.
    const bool turnSwitched = m_match.stage() == MatchState::Stage::AwaitingWord;
    const int comingGuesser = turnSwitched ? m_match.guesser() : m_match.setter();
    if (comingGuesser == m_match.localSeat()) {
        m_link.setPhase(NetPhase::AwaitingWord);
        return;
    }
    m_link.setPhase(NetPhase::AwaitingStart);
    // Already waiting on the word page, this computer's player may type.
    if (turnSwitched)
        Q_EMIT wordEntryChanged(WordEntry::Open);
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

void PeerSeat::localLeavesStatistics()
{
    m_link.sendTurnOver();
    if (m_match.localGuesses())
        Q_EMIT wordEntryChanged(WordEntry::PeerTypes);
    else if (m_link.phase() == NetPhase::TurnRunning)
        // The peer's "%" opens the word entry.
        Q_EMIT wordEntryChanged(WordEntry::PeerOnStatistics);
    else
        Q_EMIT wordEntryChanged(WordEntry::Open);
}
