// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The messages of a network match. Each is the bytes of one send, with no
// length and no terminator: whatever one read delivers is one message, and
// the receiver's phase says which. Text is Windows-1252, one byte a char.
//
//   message          bytes                     from -> to            read in phase
//   GreetingMessage  nickname ":" password     host -> participant   0 (participant)
//   LoginMessage     nickname                  participant -> host   0 (host)
//   SettingsRecord   the 20-byte record        host -> participant   1 (participant)
//   ReadySignal      "1"                       participant -> host   1 (host)
//   WordMessage      the word as typed         setter -> guesser     2
//   StartSignal      "1"                       guesser -> setter     3
//   GuessMessage     one character as typed    guesser -> setter     4
//   TurnOverSignal   "%"                       each to the other     4
//   LeaveSignal      "<>"                      each to the other     1 to 4
//
// A phase takes whatever arrives as the message it waits for; only a
// message of exactly "<>" is told apart, as the leave. A word longer than
// a setter can type, or a greeting longer than the longest nickname and
// password with their colon, is no message at all but a foul. Reads are
// cut further (PeerReader): the participant's settings take the first 20
// bytes, its greeting is bounded over all it reads before its login, and
// in phase 4 every character counts on its own, since guesses typed
// quickly arrive together.
#include "net/NetProtocol.h"

#include "text/CharSet.h"

namespace NetProtocol {

namespace {

bool isLeave(const QByteArray &bytes)
{
    return bytes == LeaveSignal;
}

} // namespace

std::optional<QByteArray> encodeText(const QString &text)
{
    return encodeCp1252(text);
}

QString decodeText(const QByteArray &bytes)
{
    return decodeCp1252(bytes);
}

QString greetingText(const QString &nickname, const QString &password)
{
    return nickname + QLatin1Char(':') + password;
}

Greeting splitGreeting(const QString &text)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return Greeting{text, QString()};
    return Greeting{text.left(colon), text.mid(colon + 1)};
}

PeerMessage readPeerMessage(const QByteArray &bytes, NetPhase phase, bool isHost)
{
    if (bytes.isEmpty())
        return {};
    if (isHost && phase == NetPhase::Connecting)
        // "<>" is as good a nickname as any before the login.
        return {PeerMessage::Login, decodeText(bytes), bytes};
    if (!isHost && phase == NetPhase::Connecting)
        return {PeerMessage::Greeting, decodeText(bytes), bytes};
    // From here on "<>" is a leave on both sides. The participant waiting for
    // the settings counts it too: a host that leaves before sending them
    // would otherwise hand it a record of Rounds 15932 and a dead match.
    // A real record's first two bytes are never "<>".
    if (isLeave(bytes))
        return {PeerMessage::Leave, QString(), bytes};

    switch (phase) {
    case NetPhase::LoggedIn:
        return {isHost ? PeerMessage::Ready : PeerMessage::Settings, QString(), bytes};
    case NetPhase::AwaitingWord:
        // One byte a character: the bytes are the word's length.
        if (bytes.size() > MaxWordLength)
            return {PeerMessage::Foul, QString(), bytes};
        return {PeerMessage::Word, decodeText(bytes), bytes};
    case NetPhase::AwaitingStart:
        return {PeerMessage::Start, QString(), bytes};
    case NetPhase::TurnRunning: {
        const QString first = decodeText(bytes.left(1));
        if (first == QLatin1String(TurnOverSignal))
            return {PeerMessage::TurnOver, QString(), bytes};
        return {PeerMessage::Guess, first, bytes};
    }
    case NetPhase::Connecting:
        break;
    }
    return {};
}

} // namespace NetProtocol
