// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "net/SocketConnection.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QTcpSocket;

// The participant's side: one connection to the host, opened in the
// background. Its events are those of that connection.
class TClientSocket : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 DefaultPort = 5997;

    explicit TClientSocket(QObject *parent = nullptr);

    // A computer name or an IPv4 or IPv6 address, resolved when opening.
    void setHost(const QString &host) { m_host = host; }
    QString host() const { return m_host; }
    void setPort(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }

    // Starts the lookup and the connect and returns at once; an earlier
    // connection is closed first. The connection counts as established
    // only once connected() has been raised.
    void open();
    // Closes without raising anything.
    void close();
    // Connecting or connected.
    bool isActive() const { return !m_connection.isNull(); }

    // The current connection, or null when closed.
    SocketConnection *connection() const { return m_connection; }
    // 0 without a connection, as on one not established.
    qint64 sendText(const QByteArray &bytes);

    // Makes the socket of every connection opened from now on; null, the
    // start, for a plain QTcpSocket. Tests hand in sockets that look names
    // up themselves, so that no name reaches the system's name server.
    using SocketFactory = QTcpSocket *(*)();
    static void setSocketFactory(SocketFactory factory);

Q_SIGNALS:
    void connected(SocketConnection *connection);
    void readable(SocketConnection *connection);
    // The connection could not be made, or failed; it is closed and gone
    // once the handlers have run.
    void error(SocketConnection *connection, QAbstractSocket::SocketError error, const QString &reason);
    // The host ended the connection, after its last bytes were read.
    void disconnected(SocketConnection *connection);

private:
    void onFailed(SocketConnection *connection, QAbstractSocket::SocketError error, const QString &reason);
    void onClosed(SocketConnection *connection);

    QString m_host;
    quint16 m_port = DefaultPort;
    QPointer<SocketConnection> m_connection;
};
