// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/TServerSocket.h"

#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>

#include <utility>

TServerSocket::TServerSocket(QObject *parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
{
    m_server->setProxy(QNetworkProxy::NoProxy);
#if QT_VERSION >= QT_VERSION_CHECK(6, 3, 0)
    m_server->setListenBacklogSize(Backlog);
#endif
    connect(m_server, &QTcpServer::newConnection, this, &TServerSocket::acceptPending);
}

quint16 TServerSocket::serverPort() const
{
    return m_server->serverPort();
}

bool TServerSocket::activate()
{
    if (m_server->isListening())
        return true;
    return m_server->listen(QHostAddress::Any, m_port);
}

QAbstractSocket::SocketError TServerSocket::serverError() const
{
    return m_server->serverError();
}

QString TServerSocket::errorString() const
{
    return m_server->errorString();
}

void TServerSocket::deactivate()
{
    const QList<SocketConnection *> connections = std::exchange(m_connections, {});
    for (SocketConnection *connection : connections)
        connection->dispose();
    m_server->close();
}

bool TServerSocket::isActive() const
{
    return m_server->isListening();
}

SocketConnection *TServerSocket::connection(int index) const
{
    if (index < 0 || index >= m_connections.size())
        return nullptr;
    return m_connections.at(index);
}

void TServerSocket::acceptPending()
{
    // A handler may deactivate the server while later connections wait.
    while (m_server->isListening()) {
        QTcpSocket *socket = m_server->nextPendingConnection();
        if (!socket)
            return;
        auto *connection = new SocketConnection(socket, this);
        connect(connection, &SocketConnection::readable, this, &TServerSocket::clientReadable);
        connect(connection, &SocketConnection::failed, this, &TServerSocket::clientFailed);
        connect(connection, &SocketConnection::closed, this, &TServerSocket::onClosed);
        m_connections.append(connection);
        SocketConnection::Hold hold(connection);
        emit clientConnected(connection);
    }
}

void TServerSocket::onClosed(SocketConnection *connection)
{
    if (m_connections.removeOne(connection))
        emit clientClosed(connection);
    connection->dispose();
}
