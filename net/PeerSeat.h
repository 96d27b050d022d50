// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/MatchState.h"

#include <QObject>

class PeerLink;

// The other computer's player at the match. The network session hands it
// what arrives from the peer (its word, its start, its guesses), which
// becomes the match's move from that seat; what the match says of this
// computer's player's word, start and guesses goes out to the peer. Where
// the exchange stands is the session's to say, never the seat's.
class PeerSeat : public QObject
{
    Q_OBJECT

public:
    PeerSeat(PeerLink &link, MatchState &match, QObject *parent = nullptr);

    // The peer's seat: the host's player is player 1.
    int seat() const { return 1 - m_match.localSeat(); }

    // The session has checked the word against the settings first.
    void peerSendsWord(const QString &word);
    void peerStarts();
    void peerGuesses(QChar key);

private:
    void localWordSet(const QString &typed);
    void localTurnStarted();
    void guessAnswered(int seat, QChar key, Round::Guess result, bool atStart);

    PeerLink &m_link;
    MatchState &m_match;
};
