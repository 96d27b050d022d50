// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "net/SocketConnection.h"

#include <QList>
#include <QObject>

class QTcpServer;

// The host's side: listens on every local address, IPv4 and IPv6, and
// keeps the accepted connections in the order they came, 0 the oldest.
// A connection that is closed, here or by the peer, leaves the list.
class TServerSocket : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 DefaultPort = 5997;
    static constexpr int Backlog = 5;

    explicit TServerSocket(QObject *parent = nullptr);

    void setPort(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }
    // The port listened on; tells which one the system chose for port 0.
    quint16 serverPort() const;

    // False when the port cannot be listened on; serverError() tells why.
    bool activate();
    // Closes every connection and stops listening.
    void deactivate();
    bool isActive() const;
    QAbstractSocket::SocketError serverError() const;
    QString errorString() const;

    int connectionCount() const { return int(m_connections.size()); }
    // Null outside 0 .. connectionCount() - 1.
    SocketConnection *connection(int index) const;

Q_SIGNALS:
    // The new connection is already counted when this is raised.
    void clientConnected(SocketConnection *connection);
    void clientReadable(SocketConnection *connection);
    // The connection is closed once the handlers have run.
    void clientFailed(SocketConnection *connection, QAbstractSocket::SocketError error, const QString &reason);
    // Closed here or by the peer, and already out of the list.
    void clientClosed(SocketConnection *connection);

private:
    void acceptPending();
    void onClosed(SocketConnection *connection);

    QTcpServer *m_server = nullptr;
    QList<SocketConnection *> m_connections;
    quint16 m_port = DefaultPort;
};
