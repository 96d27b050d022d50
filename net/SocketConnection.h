// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QObject>
#include <QPointer>

class QTcpSocket;

// One TCP connection as the game sees it: texts go out, bytes come in, and
// every event reaches the handlers through the event loop, queued, so that
// a handler may open a modal box and still see the peer's next message.
//
// Both ends of every connection probe a silent peer: after 10 s without
// traffic, every 5 s, and the connection fails after 3 probes without an
// answer, so a vanished network is noticed within half a minute even by a
// side that has nothing to send.
//
// The object stays valid for as long as any of its events is being
// handled, even when a handler closes it or its owner lets it go; it is
// freed afterwards. Keep a QPointer to hold on to it beyond a handler.
class SocketConnection : public QObject
{
    Q_OBJECT

public:
    // Takes the socket over, connecting or already connected.
    explicit SocketConnection(QTcpSocket *socket, QObject *parent = nullptr);

    static constexpr int KeepAliveIdleSeconds = 10;
    static constexpr int KeepAliveIntervalSeconds = 5;
    static constexpr int KeepAliveProbes = 3;

    bool isConnected() const;

    // The most bytes held here for the reader; beyond it the system keeps
    // them. 0, the start, for no limit.
    void setReadLimit(qint64 bytes);

    // The count of bytes handed to the system; 0 and no error on a
    // connection that is not (or no longer) established.
    qint64 sendText(const QByteArray &bytes);
    // Every byte waiting, possibly none.
    QByteArray receiveText();
    // At most maxCount bytes; the rest waits for the next readable event.
    QByteArray receiveBuf(qint64 maxCount);
    qint64 bytesWaiting() const;

    // Ends the connection; raises closed() once, at once.
    void close();

    // For the owner: closes, and frees the object once no event of this
    // connection is still being handled.
    void dispose();

    // Keeps a connection alive while one of its events is handled.
    class Hold
    {
    public:
        explicit Hold(SocketConnection *connection);
        ~Hold();
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;

    private:
        QPointer<SocketConnection> m_connection;
    };

Q_SIGNALS:
    void connected(SocketConnection *connection);
    // Raised while bytes are waiting, again after a handler that left some.
    void readable(SocketConnection *connection);
    // Closed here or by the peer; after the peer's last bytes were read.
    void closed(SocketConnection *connection);
    // The connection is closed once the handlers have run.
    void failed(SocketConnection *connection, QAbstractSocket::SocketError error, const QString &reason);

private:
    void scheduleReadable();
    void raiseReadable();
    void raiseConnected();
    void raiseFailed(QAbstractSocket::SocketError error, const QString &reason);
    void keepAlive();
    void noteError(QAbstractSocket::SocketError error);
    void notePeerClosed();
    void finishIfPeerClosed();

    QTcpSocket *m_socket = nullptr;
    bool m_readablePending = false;
    bool m_peerClosed = false;
    bool m_closed = false;
    bool m_disposed = false;
    int m_holds = 0;
};
