// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/SocketConnection.h"

#include <QTcpSocket>

#if defined(Q_OS_WIN)
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace {

void setTcpOption(qintptr descriptor, int option, int value)
{
    ::setsockopt(descriptor, IPPROTO_TCP, option, reinterpret_cast<const char *>(&value), sizeof value);
}

} // namespace

SocketConnection::SocketConnection(QTcpSocket *socket, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
{
    socket->setParent(this);
    // An accepted connection has its descriptor now, an outgoing one once
    // it is connected.
    if (socket->state() == QAbstractSocket::ConnectedState)
        keepAlive();
    connect(socket, &QTcpSocket::connected, this, [this] {
        keepAlive();
        QMetaObject::invokeMethod(this, &SocketConnection::raiseConnected, Qt::QueuedConnection);
    });
    connect(socket, &QTcpSocket::readyRead, this, &SocketConnection::scheduleReadable);
    connect(socket, &QTcpSocket::disconnected, this, &SocketConnection::notePeerClosed);
    connect(socket, &QTcpSocket::errorOccurred, this, &SocketConnection::noteError);
    // An accepted peer may have spoken before anyone listened for it.
    if (socket->bytesAvailable() > 0)
        scheduleReadable();
}

bool SocketConnection::isConnected() const
{
    return !m_closed && m_socket->state() == QAbstractSocket::ConnectedState;
}

void SocketConnection::setReadLimit(qint64 bytes)
{
    m_socket->setReadBufferSize(bytes);
}

void SocketConnection::keepAlive()
{
    m_socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    const qintptr descriptor = m_socket->socketDescriptor();
    if (descriptor < 0)
        return;
#if defined(TCP_KEEPIDLE)
    setTcpOption(descriptor, TCP_KEEPIDLE, KeepAliveIdleSeconds);
#elif defined(TCP_KEEPALIVE)
    setTcpOption(descriptor, TCP_KEEPALIVE, KeepAliveIdleSeconds);
#endif
#if defined(TCP_KEEPINTVL)
    setTcpOption(descriptor, TCP_KEEPINTVL, KeepAliveIntervalSeconds);
#endif
#if defined(TCP_KEEPCNT)
    setTcpOption(descriptor, TCP_KEEPCNT, KeepAliveProbes);
#endif
}

qint64 SocketConnection::sendText(const QByteArray &bytes)
{
    if (!isConnected())
        return 0;
    const qint64 written = m_socket->write(bytes);
    if (written <= 0)
        return 0;
    // Handed to the system now rather than when the loop next runs: the
    // leave signal is often the last thing the window does before it goes.
    m_socket->flush();
    return written;
}

QByteArray SocketConnection::receiveText()
{
    if (m_closed)
        return QByteArray();
    return m_socket->readAll();
}

QByteArray SocketConnection::receiveBuf(qint64 maxCount)
{
    if (m_closed || maxCount <= 0)
        return QByteArray();
    return m_socket->read(maxCount);
}

qint64 SocketConnection::bytesWaiting() const
{
    return m_closed ? 0 : m_socket->bytesAvailable();
}

void SocketConnection::close()
{
    if (m_closed)
        return;
    m_closed = true;
    m_socket->abort();
    emit closed(this);
}

void SocketConnection::dispose()
{
    if (m_disposed)
        return;
    m_disposed = true;
    close();
    if (m_holds == 0)
        deleteLater();
}

SocketConnection::Hold::Hold(SocketConnection *connection)
    : m_connection(connection)
{
    ++connection->m_holds;
}

SocketConnection::Hold::~Hold()
{
    if (m_connection && --m_connection->m_holds == 0 && m_connection->m_disposed)
        m_connection->deleteLater();
}

void SocketConnection::scheduleReadable()
{
    if (m_readablePending || m_closed)
        return;
    m_readablePending = true;
    QMetaObject::invokeMethod(this, &SocketConnection::raiseReadable, Qt::QueuedConnection);
}

// Runs from the event loop, never from inside the socket's own readyRead:
// a handler that opens a modal box then still gets the next readable event,
// which the socket would hold back while its readyRead is being handled.
void SocketConnection::raiseReadable()
{
    m_readablePending = false;
    if (m_closed)
        return;
    if (m_socket->bytesAvailable() > 0) {
        Hold hold(this);
        const QPointer<SocketConnection> alive(this);
        emit readable(this);
        if (!alive || m_closed)
            return;
        if (m_socket->bytesAvailable() > 0) {
            scheduleReadable();
            return;
        }
    }
    finishIfPeerClosed();
}

void SocketConnection::raiseConnected()
{
    if (m_closed)
        return;
    Hold hold(this);
    emit connected(this);
}

void SocketConnection::raiseFailed(QAbstractSocket::SocketError error, const QString &reason)
{
    if (m_closed)
        return;
    Hold hold(this);
    const QPointer<SocketConnection> alive(this);
    emit failed(this, error, reason);
    if (alive)
        close();
}

void SocketConnection::noteError(QAbstractSocket::SocketError error)
{
    // The peer closing or resetting ends the connection quietly, by
    // notePeerClosed; and once closed here, nothing more is reported.
    if (error == QAbstractSocket::RemoteHostClosedError || m_closed)
        return;
    const QString reason = m_socket->errorString();
    QMetaObject::invokeMethod(
        this, [this, error, reason] { raiseFailed(error, reason); }, Qt::QueuedConnection);
}

void SocketConnection::notePeerClosed()
{
    if (m_closed)
        return;
    m_peerClosed = true;
    // Queued behind the readable events already on their way, so that the
    // peer's last message, often its leave, is still read.
    QMetaObject::invokeMethod(this, &SocketConnection::finishIfPeerClosed, Qt::QueuedConnection);
}

void SocketConnection::finishIfPeerClosed()
{
    if (m_closed || !m_peerClosed || m_readablePending || m_socket->bytesAvailable() > 0)
        return;
    close();
}
