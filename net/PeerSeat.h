// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Seat.h"

class PeerLink;

// The other computer's player at the match, made for one match and seated
// at the peer's place (the host's player is player 1). The network session
// hands it what arrives from the peer (its word, its start, its guesses,
// its leave), which becomes the match's move from that seat, and the match
// refuses what is not the peer's to do; what the match says of this
// computer's player's word, start and guesses goes out to the peer. Where
// the exchange stands is the session's to say, never the seat's.
class PeerSeat : public Seat
{
    Q_OBJECT

public:
    PeerSeat(PeerLink &link, MatchState &match, QObject *parent = nullptr);

    // A word of the peer's is what the match waits for now.
    bool awaitsWord() const { return m_match.allows(*this, MatchState::Move::SetWord); }
    // The session has checked the word against the settings first.
    void peerSendsWord(const QString &word);
    void peerStarts();
    void peerGuesses(QChar key);
    void peerLeaves();

private:
    void localWordSet(const QString &typed);
    void localTurnStarted();
    void guessAnswered(int seat, QChar key, Round::Guess result, bool atStart);

    PeerLink &m_link;
};
