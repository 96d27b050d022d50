// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "net/LinkFailure.h"
#include "net/NetProtocol.h"
#include "net/PeerReader.h"
#include "net/SettingsRecord.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class SocketConnection;
class TClientSocket;
class TServerSocket;

// The other computer as the game sees it. Messages go out through the
// send... functions; each message that comes in raises a signal of its
// own, read as the phase expects it (NetProtocol.cpp has the grammar); a
// connection that cannot be made, or ends without a leave, raises
// failed(). The link owns both sockets, and nothing above it sees one.
//
// The link reads each message in the phase it is given and moves it on
// itself only back to the start, when the connection ends: the network
// session alone decides where the exchange goes next, in the handler of
// the message that moves it, before the next message is read.
//
// The host plays with one participant per match. The first connection
// takes the slot and is greeted; any other is closed at once, which the
// turned-away participant learns as a close before any greeting. A
// connection that does not log in soon enough loses the slot again; once
// one has logged in, it keeps the slot for the whole match, and when it
// ends the host stops listening until it is asked to host again.
class PeerLink : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 DefaultPort = 5997;
    // How long the host waits for the login after its greeting: a player's
    // program logs in at once, or once its user has typed the password.
    static constexpr int LoginPatienceMs = 30 * 1000;
    static constexpr int PasswordPatienceMs = 2 * 60 * 1000;

    explicit PeerLink(QObject *parent = nullptr);
    ~PeerLink() override;

    void setPort(quint16 port);
    quint16 port() const { return m_port; }
    // The port the host listens on; tells which one the system chose for 0.
    quint16 serverPort() const;
    void setLoginPatience(int withoutPasswordMs, int withPasswordMs);

    // Listens on every address of this computer. False, after failed(),
    // when the port cannot be listened on.
    bool host();
    // Connects in the background to a computer name or an IPv4 or IPv6
    // address; an address in brackets, as web addresses write it, is
    // taken without them.
    void join(const QString &address);
    // Ends the connection and stops listening, without sending or raising
    // anything.
    void close();

    bool isHost() const { return m_isHost; }
    bool isListening() const;
    // A connection to the peer is established.
    bool isConnected() const;
    NetPhase phase() const { return m_phase; }
    // For the network session, which alone moves the phase on. To go once
    // the window speaks only to the session: then it is the session's only.
    void setPhase(NetPhase phase) { m_phase = phase; }

    // Each tells whether it went out: it does not without a connection, or
    // with a text that Windows-1252 cannot hold.
    bool sendGreeting(const QString &nickname, const QString &password);
    bool sendLogin(const QString &nickname);
    bool sendSettings(const SettingsRecord &record);
    bool sendReady();
    // Accents typed apart from their letter are sent joined, as the code
    // page holds them.
    bool sendWord(const QString &word);
    bool sendStart();
    bool sendGuess(QChar key);
    bool sendTurnOver();
    bool sendLeave();

    // An address as typed, without blanks around it or brackets.
    static QString hostOf(const QString &address);

Q_SIGNALS:
    // Host: a connection took the slot; it waits for the greeting.
    void participantConnected();
    void greetingReceived(const QString &nickname, const QString &password);
    void loginReceived(const QString &nickname);
    void settingsReceived(const SettingsRecord &record);
    void readyReceived();
    void wordReceived(const QString &word);
    void startReceived();
    void guessReceived(QChar key);
    void turnOverReceived();
    void leaveReceived();
    // The link is down when this is raised (a host still listens after a
    // failure before the login, which raises nothing).
    void failed(const LinkFailure &failure);

private:
    void clientConnects(SocketConnection *connection);
    void connectionFails(SocketConnection *connection, QAbstractSocket::SocketError error, const QString &reason);
    void connectionEnds(SocketConnection *connection);
    void read(SocketConnection *connection);
    void dispatch(const NetProtocol::PeerMessage &message);
    void peerFails(LinkFailure::Kind kind, const QString &systemText = QString());
    void dropPeer();
    bool sendBytes(const QByteArray &bytes);
    bool sendText(const QString &text);

    TServerSocket *m_server = nullptr;
    TClientSocket *m_client = nullptr;
    QPointer<SocketConnection> m_peer;
    PeerReader m_reader;
    QTimer m_loginTimer;
    quint16 m_port = DefaultPort;
    int m_loginPatienceMs = LoginPatienceMs;
    int m_passwordPatienceMs = PasswordPatienceMs;
    NetPhase m_phase = NetPhase::Connecting;
    bool m_isHost = false;
    // The participant reached the host's computer.
    bool m_linked = false;
    // The participant has its greeting: the host took it on.
    bool m_greeted = false;
    // The peer said goodbye; the end of its connection is no failure.
    bool m_peerLeft = false;
};
