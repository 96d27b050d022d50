// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "net/NetProtocol.h"

#include <QByteArray>

// The bytes from the peer, cut into the messages the receiver's phase
// waits for: bytes in, messages out, no socket needed. Each read is taken
// whole as one message, except that the participant's settings take the
// first 20 bytes and a read in phase 4 counts character by character (a
// lone "<>" staying the leave). What is left after such a cut is read in
// the phase that the message before it opened.
//
// The greeting is held to what an honest host can send, however its bytes
// are cut into reads: all the participant reads before it has logged in
// counts, and past the bound it is a foul.
//
// The work grows with the bytes, never with their square: each message
// is copied out once, and the rest is not moved until the next read.
class PeerReader
{
public:
    // No message of this game comes near this; a peer that leaves more
    // waiting is not one to keep listening to.
    static constexpr qsizetype MaxPending = 64 * 1024;

    // The bytes of one read. False, and nothing taken, when more than
    // MaxPending bytes would then wait.
    bool append(const QByteArray &bytes);

    // The next message for a receiver in this phase and role; Nothing once
    // every byte has been read.
    NetProtocol::PeerMessage next(NetPhase phase, bool isHost);

    qsizetype pending() const { return m_bytes.size() - m_at; }
    // A new connection: nothing waits, and nothing of a greeting was read.
    void clear();

private:
    void dropRead();

    QByteArray m_bytes;
    qsizetype m_at = 0;
    qsizetype m_greetingRead = 0;
};
