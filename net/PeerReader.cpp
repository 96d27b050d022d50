// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/PeerReader.h"

#include "net/SettingsRecord.h"

#include <algorithm>

bool PeerReader::append(const QByteArray &bytes)
{
    if (bytes.size() > MaxPending - pending())
        return false;
    if (m_at > 0) {
        m_bytes.remove(0, m_at);
        m_at = 0;
    }
    m_bytes.append(bytes);
    return true;
}

NetProtocol::PeerMessage PeerReader::next(NetPhase phase, bool isHost)
{
    const qsizetype left = pending();
    if (left <= 0) {
        dropRead();
        return {};
    }
    qsizetype take = left;
    if (phase == NetPhase::TurnRunning) {
        const bool leave = left == 2 && m_bytes.at(m_at) == NetProtocol::LeaveSignal[0]
            && m_bytes.at(m_at + 1) == NetProtocol::LeaveSignal[1];
        if (!leave)
            take = 1;
    } else if (!isHost && phase == NetPhase::LoggedIn) {
        take = std::min<qsizetype>(left, SettingsRecord::Size);
    }
    const QByteArray message = m_bytes.mid(m_at, take);
    m_at += take;
    if (m_at == m_bytes.size())
        dropRead();
    if (!isHost && phase == NetPhase::Connecting) {
        m_greetingRead += take;
        if (m_greetingRead > NetProtocol::MaxGreetingLength)
            return {NetProtocol::PeerMessage::Foul, QString(), message};
    }
    return NetProtocol::readPeerMessage(message, phase, isHost);
}

void PeerReader::clear()
{
    dropRead();
    m_greetingRead = 0;
}

void PeerReader::dropRead()
{
    m_bytes.clear();
    m_at = 0;
}
