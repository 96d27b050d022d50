// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/WordRules.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Where a computer stands in the exchange. The same value means the same
// on both sides from AwaitingWord on.
enum class NetPhase : quint8 {
    // participant: connecting, waits for the greeting; host: listening, waits for the login
    Connecting = 0,
    // participant: logged in, waits for the settings; host: settings sent, waits for ready
    LoggedIn = 1,
    // guesses the coming turn, waits for the peer's word
    AwaitingWord = 2,
    // sets the coming turn, waits for the peer's start (its word goes out meanwhile)
    AwaitingStart = 3,
    // a turn is played or its result shown; guesses relayed, waits for turn over
    TurnRunning = 4,
};

// The texts two computers exchange; the byte grammar heads NetProtocol.cpp.
namespace NetProtocol {

inline constexpr char ReadySignal[] = "1";
inline constexpr char StartSignal[] = "1";
inline constexpr char TurnOverSignal[] = "%";
inline constexpr char LeaveSignal[] = "<>";

// The longest word a setter can type; a longer one is no word of this game.
inline constexpr int MaxWordLength = WordRules::MaxWordLength;
// The longest nickname and password the network page takes. A box shows
// no more of a name than the nickname's length anyway.
inline constexpr int MaxNicknameLength = 40;
inline constexpr int MaxPasswordLength = 40;
// An honest host's greeting at its longest: nickname, ":" and password.
inline constexpr int MaxGreetingLength = MaxNicknameLength + 1 + MaxPasswordLength;

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

// What one message means to the receiver, from its bytes, its phase and
// its role alone. The window still decides what to do with it.
struct PeerMessage
{
    enum Kind {
        Nothing,    // no bytes
        Greeting,   // text: "nickname:password"
        Login,      // text: the participant's nickname
        Settings,   // bytes: the settings record, at most 20 bytes
        Ready,
        Word,       // text: the word as the setter typed it
        Start,
        Guess,      // text: the one character guessed
        TurnOver,
        Leave,
        Foul,       // what no player's program sends: a greeting or a word too long
    };

    Kind kind = Nothing;
    QString text;
    // The message as it came.
    QByteArray bytes;
};

PeerMessage readPeerMessage(const QByteArray &bytes, NetPhase phase, bool isHost);

} // namespace NetProtocol
