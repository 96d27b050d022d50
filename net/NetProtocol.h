#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Where each computer stands in the exchange; the value lives in
// RoundState.NetPhase. The same value means the same on both sides from 2 on.
//
//   value  participant                        host
//   0      connecting, waits for the greeting  listening, waits for the login
//   1      logged in, waits for the settings   settings sent, waits for ready
//   2      guesses next, waits for the peer's word
//   3      sets next, waits for the peer's start (its word goes out meanwhile)
//   4      turn played or its result shown; guesses relayed, waits for turn over
namespace NetPhase {
enum Value : quint8 {
    Connecting = 0,
    LoggedIn = 1,
    AwaitingWord = 2,
    AwaitingStart = 3,
    TurnRunning = 4,
};
}

// The texts two computers exchange; the byte grammar heads NetProtocol.cpp.
namespace NetProtocol {

inline constexpr char ReadySignal[] = "1";
inline constexpr char StartSignal[] = "1";
inline constexpr char TurnOverSignal[] = "%";
inline constexpr char LeaveSignal[] = "<>";

// One byte per character in Windows-1252. Empty when a character has no
// byte there: the caller sends nothing rather than a different text.
std::optional<QByteArray> encodeText(const QString &text);
QString decodeText(const QByteArray &bytes);

struct Greeting
{
    QString nickname;
    QString password;
};

QString greetingText(const QString &nickname, const QString &password);
// Cut at the first colon, so a colon in the host's nickname ends up in the
// password. A greeting without a colon is all nickname and asks for no
// password.
Greeting splitGreeting(const QString &text);

// What one read means to the receiver, from its bytes, its phase and its
// role alone. The window still decides what to do with it (pages, boxes).
struct PeerMessage
{
    enum Kind {
        Nothing,    // no bytes, or a phase that waits for nothing
        Greeting,   // text: "nickname:password"
        Login,      // text: the participant's nickname
        Settings,   // the read holds the settings record
        Ready,
        Word,       // text: the word as the setter typed it
        Start,
        Guess,      // text: the one character guessed
        TurnOver,
        Leave,
    };

    Kind kind = Nothing;
    QString text;
};

// In phase 1 the participant reads at most SettingsRecord::Size bytes and
// passes them here; every other read passes all bytes waiting.
PeerMessage readPeerMessage(const QByteArray &bytes, quint8 phase, bool isHost);

// A read in phase 4 cut into its messages: guesses typed in quick
// succession share one read, each one character. A leave at the end stays
// whole, and what follows a turn over is one message of the phase that the
// turn over opens.
QList<QByteArray> splitTurnRead(const QByteArray &bytes);

} // namespace NetProtocol
