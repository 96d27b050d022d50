// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Seat.h"

class PeerLink;

// The other computer's player at the match, made for one match and seated
// at the peer's place (the host's player is player 1). What arrives from
// the peer (its word, its start, its guesses, its leave) becomes the
// match's move from that seat, and the match refuses what is not the
// peer's to do; what the match says of this computer's player's moves goes
// out to the peer. The seat also moves the exchange's phase on where it
// depends on who sets the coming turn.
class PeerSeat : public Seat
{
    Q_OBJECT

public:
    // Who types the coming turn's word, as this computer's word page shows it.
    enum class WordEntry {
        Open,             // this computer's player, now
        PeerTypes,        // the peer's player
        PeerOnStatistics, // this computer's player, once the peer has left its statistics
    };

    PeerSeat(PeerLink &link, MatchState &match, QObject *parent = nullptr);

Q_SIGNALS:
    // Host: the participant has seen the settings; the first word may go out.
    void peerReady();
    // The peer's word breaks a rule of the settings; it is not played, and
    // this computer waits for another.
    void wordRefused(const MatchState::WordVerdict &verdict);
    // A word came when none was awaited of the peer: it does not play by
    // the rules.
    void wordUnexpected();
    // Who types the coming turn's word, once this computer has left its
    // statistics or the peer has.
    void wordEntryChanged(PeerSeat::WordEntry entry);

protected:
    void unseated() override;

private:
    void peerIsReady();
    void peerSendsWord(const QString &word);
    void peerLeavesStatistics();
    void localWordSet(const QString &typed);
    void localTurnStarted();
    void guessAnswered(int seat, QChar key, Round::Guess result, bool atStart);
    void localLeavesStatistics();

    PeerLink &m_link;
};
