// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/TClientSocket.h"

#include <QNetworkProxy>
#include <QTcpSocket>

namespace {

TClientSocket::SocketFactory socketFactory = nullptr;

} // namespace

void TClientSocket::setSocketFactory(SocketFactory factory)
{
    socketFactory = factory;
}

TClientSocket::TClientSocket(QObject *parent)
    : QObject(parent)
{
}

void TClientSocket::open()
{
    close();
    QTcpSocket *socket = socketFactory ? socketFactory() : new QTcpSocket;
    // The game speaks to the host directly, whatever proxy the system names.
    socket->setProxy(QNetworkProxy::NoProxy);
    auto *connection = new SocketConnection(socket, this);
    connect(connection, &SocketConnection::connected, this, &TClientSocket::connected);
    connect(connection, &SocketConnection::readable, this, &TClientSocket::readable);
    connect(connection, &SocketConnection::failed, this, &TClientSocket::onFailed);
    connect(connection, &SocketConnection::closed, this, &TClientSocket::onClosed);
    m_connection = connection;
    socket->connectToHost(m_host, m_port);
}

void TClientSocket::close()
{
    if (SocketConnection *connection = m_connection) {
        m_connection = nullptr;
        connection->dispose();
    }
}

qint64 TClientSocket::sendText(const QByteArray &bytes)
{
    return m_connection ? m_connection->sendText(bytes) : 0;
}

void TClientSocket::onFailed(SocketConnection *connection, QAbstractSocket::SocketError error, const QString &reason)
{
    if (connection == m_connection)
        m_connection = nullptr;
    emit this->error(connection, error, reason);
}

void TClientSocket::onClosed(SocketConnection *connection)
{
    if (connection == m_connection) {
        m_connection = nullptr;
        emit disconnected(connection);
    }
    connection->dispose();
}
