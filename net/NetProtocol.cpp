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
// A phase takes whatever arrives as the message it waits for; only a read
// of exactly "<>" is told apart, as the leave. In phase 4 a read is cut
// into its characters first (splitTurnRead), since guesses typed quickly
// arrive together and each one counts.
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

PeerMessage readPeerMessage(const QByteArray &bytes, quint8 phase, bool isHost)
{
    if (bytes.isEmpty())
        return {};
    if (isHost && phase == NetPhase::Connecting)
        // "<>" is as good a nickname as any before the login.
        return {PeerMessage::Login, decodeText(bytes)};
    if (!isHost && phase == NetPhase::Connecting)
        return {PeerMessage::Greeting, decodeText(bytes)};
    // From here on "<>" is a leave on both sides. The participant waiting for
    // the settings counts it too: a host that leaves before sending them
    // would otherwise hand it a record of Rounds 15932 and a dead match.
    // A real record's first two bytes are never "<>".
    if (isLeave(bytes))
        return {PeerMessage::Leave, QString()};

    switch (phase) {
    case NetPhase::LoggedIn:
        return {isHost ? PeerMessage::Ready : PeerMessage::Settings, QString()};
    case NetPhase::AwaitingWord:
        return {PeerMessage::Word, decodeText(bytes)};
    case NetPhase::AwaitingStart:
        return {PeerMessage::Start, QString()};
    case NetPhase::TurnRunning: {
        const QString first = decodeText(bytes.left(1));
        if (first == QLatin1String(TurnOverSignal))
            return {PeerMessage::TurnOver, QString()};
        return {PeerMessage::Guess, first};
    }
    default:
        return {};
    }
}

QList<QByteArray> splitTurnRead(const QByteArray &bytes)
{
    QList<QByteArray> messages;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const QByteArray rest = bytes.mid(i);
        if (isLeave(rest)) {
            messages << rest;
            break;
        }
        messages << bytes.mid(i, 1);
        if (bytes.at(i) == TurnOverSignal[0]) {
            if (i + 1 < bytes.size())
                messages << bytes.mid(i + 1);
            break;
        }
    }
    return messages;
}

} // namespace NetProtocol
