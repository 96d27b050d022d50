// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/PeerLink.h"

#include "net/TClientSocket.h"
#include "net/TServerSocket.h"

#include <utility>

using NetProtocol::PeerMessage;

PeerLink::PeerLink(QObject *parent)
    : QObject(parent)
    , m_server(new TServerSocket(this))
    , m_client(new TClientSocket(this))
{
    m_server->setObjectName(QStringLiteral("ServerSocket"));
    m_client->setObjectName(QStringLiteral("ClientSocket"));
    setPort(DefaultPort);
    m_loginTimer.setSingleShot(true);
    // Too slow to log in: the slot is free for the next participant.
    connect(&m_loginTimer, &QTimer::timeout, this, &PeerLink::dropPeer);

    connect(m_server, &TServerSocket::clientConnected, this, &PeerLink::clientConnects);
    connect(m_server, &TServerSocket::clientReadable, this, &PeerLink::read);
    connect(m_server, &TServerSocket::clientFailed, this, &PeerLink::connectionFails);
    connect(m_server, &TServerSocket::clientClosed, this, &PeerLink::connectionEnds);
    connect(m_client, &TClientSocket::connected, this, [this] { m_linked = true; });
    connect(m_client, &TClientSocket::readable, this, &PeerLink::read);
    connect(m_client, &TClientSocket::error, this, &PeerLink::connectionFails);
    connect(m_client, &TClientSocket::disconnected, this, &PeerLink::connectionEnds);
}

PeerLink::~PeerLink()
{
    m_server->disconnect(this);
    m_client->disconnect(this);
}

void PeerLink::setPort(quint16 port)
{
    m_port = port;
    m_server->setPort(port);
    m_client->setPort(port);
}

quint16 PeerLink::serverPort() const
{
    return m_server->serverPort();
}

void PeerLink::setLoginPatience(int withoutPasswordMs, int withPasswordMs)
{
    m_loginPatienceMs = withoutPasswordMs;
    m_passwordPatienceMs = withPasswordMs;
}

bool PeerLink::host()
{
    close();
    m_isHost = true;
    if (m_server->activate())
        return true;
    emit failed(LinkFailure{LinkFailure::kindOf(m_server->serverError()), LinkFailure::Opening,
                            m_server->errorString()});
    return false;
}

QString PeerLink::hostOf(const QString &address)
{
    const QString trimmed = address.trimmed();
    const qsizetype end = trimmed.indexOf(QLatin1Char(']'));
    if (trimmed.startsWith(QLatin1Char('[')) && end > 0)
        return trimmed.mid(1, end - 1);
    return trimmed;
}

void PeerLink::join(const QString &address)
{
    close();
    m_isHost = false;
    m_client->setHost(hostOf(address));
    m_client->open();
    m_peer = m_client->connection();
    m_peer->setReadLimit(PeerReader::MaxPending + 1);
}

void PeerLink::close()
{
    m_loginTimer.stop();
    m_reader.clear();
    m_peer = nullptr;
    m_server->deactivate();
    m_client->close();
    m_phase = NetPhase::Connecting;
    m_linked = false;
    m_greeted = false;
    m_peerLeft = false;
}

bool PeerLink::isListening() const
{
    return m_server->isActive();
}

bool PeerLink::isConnected() const
{
    return m_peer && m_peer->isConnected();
}

void PeerLink::clientConnects(SocketConnection *connection)
{
    // One participant per match: while one holds the slot, a newcomer is
    // turned away unheard.
    if (m_server->connectionCount() >= 2) {
        connection->close();
        return;
    }
    m_peer = connection;
    m_reader.clear();
    m_peerLeft = false;
    connection->setReadLimit(PeerReader::MaxPending + 1);
    emit participantConnected();
}

void PeerLink::connectionFails(SocketConnection *connection, QAbstractSocket::SocketError error,
                               const QString &reason)
{
    if (connection == m_peer)
        peerFails(LinkFailure::kindOf(error), reason);
}

void PeerLink::connectionEnds(SocketConnection *connection)
{
    if (connection != m_peer)
        return;
    if (m_peerLeft) {
        // Gone after its goodbye, which is being dealt with.
        m_peer = nullptr;
        return;
    }
    // A host closing on a participant it has not greeted turns it away.
    peerFails(m_isHost || m_greeted ? LinkFailure::Closed : LinkFailure::TurnedAway);
}

void PeerLink::read(SocketConnection *connection)
{
    if (connection != m_peer || m_peerLeft) {
        // Nobody's messages, or sent after the goodbye; read away, or they
        // would be announced again.
        connection->receiveText();
        return;
    }
    if (!m_reader.append(connection->receiveText())) {
        peerFails(LinkFailure::ProtocolError);
        return;
    }
    // A handler may end the link: what is left then goes unread.
    while (m_peer == connection && !m_peerLeft) {
        const PeerMessage message = m_reader.next(m_phase, m_isHost);
        if (message.kind == PeerMessage::Nothing)
            break;
        dispatch(message);
    }
}

void PeerLink::dispatch(const PeerMessage &message)
{
    switch (message.kind) {
    case PeerMessage::Nothing:
        break;
    case PeerMessage::Greeting: {
        // A host greets once; more before the login is no host of this game.
        if (std::exchange(m_greeted, true)) {
            peerFails(LinkFailure::ProtocolError);
            return;
        }
        const NetProtocol::Greeting greeting = NetProtocol::splitGreeting(message.text);
        emit greetingReceived(greeting.nickname, greeting.password);
        break;
    }
    case PeerMessage::Login:
        m_loginTimer.stop();
        emit loginReceived(message.text);
        break;
    case PeerMessage::Settings:
        emit settingsReceived(SettingsRecord::decode(message.bytes));
        break;
    case PeerMessage::Ready:
        emit readyReceived();
        break;
    case PeerMessage::Word:
        emit wordReceived(message.text);
        break;
    case PeerMessage::Start:
        emit startReceived();
        break;
    case PeerMessage::Guess:
        emit guessReceived(message.text.at(0));
        break;
    case PeerMessage::TurnOver:
        emit turnOverReceived();
        break;
    case PeerMessage::Leave:
        m_peerLeft = true;
        emit leaveReceived();
        break;
    case PeerMessage::Foul:
        peerFails(LinkFailure::ProtocolError);
        break;
    }
}

void PeerLink::peerFails(LinkFailure::Kind kind, const QString &systemText)
{
    if (m_isHost && m_phase == NetPhase::Connecting) {
        // Before the login the slot is simply free again.
        dropPeer();
        return;
    }
    const LinkFailure::Stage stage = m_phase != NetPhase::Connecting ? LinkFailure::Playing
        : m_linked                                                  ? LinkFailure::LoggingIn
                                                                    : LinkFailure::Opening;
    const NetPhase phase = m_phase;
    // A host stops listening too: the place of a participant that vanished
    // is open to nobody for the rest of the match.
    close();
    emit failed(LinkFailure{kind, stage, systemText, phase});
}

void PeerLink::dropPeer()
{
    m_loginTimer.stop();
    m_reader.clear();
    if (SocketConnection *peer = std::exchange(m_peer, nullptr))
        peer->close();
}

bool PeerLink::sendBytes(const QByteArray &bytes)
{
    return m_peer && m_peer->sendText(bytes) > 0;
}

bool PeerLink::sendText(const QString &text)
{
    const std::optional<QByteArray> bytes = NetProtocol::encodeText(text);
    return bytes && sendBytes(*bytes);
}

bool PeerLink::sendGreeting(const QString &nickname, const QString &password)
{
    m_loginTimer.start(password.isEmpty() ? m_loginPatienceMs : m_passwordPatienceMs);
    return sendText(NetProtocol::greetingText(nickname, password));
}

bool PeerLink::sendLogin(const QString &nickname)
{
    return sendText(nickname);
}

bool PeerLink::sendSettings(const SettingsRecord &record)
{
    return sendBytes(record.encode());
}

bool PeerLink::sendReady()
{
    return sendBytes(NetProtocol::ReadySignal);
}

bool PeerLink::sendWord(const QString &word)
{
    return sendText(word.normalized(QString::NormalizationForm_C));
}

bool PeerLink::sendStart()
{
    return sendBytes(NetProtocol::StartSignal);
}

bool PeerLink::sendGuess(QChar key)
{
    return sendText(QString(key));
}

bool PeerLink::sendTurnOver()
{
    return sendBytes(NetProtocol::TurnOverSignal);
}

bool PeerLink::sendLeave()
{
    return sendBytes(NetProtocol::LeaveSignal);
}
