#include "net/SocketConnection.h"

#include <QTcpSocket>

SocketConnection::SocketConnection(QTcpSocket *socket, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
{
    socket->setParent(this);
    m_wasConnected = socket->state() == QAbstractSocket::ConnectedState;
    connect(socket, &QTcpSocket::connected, this, [this] {
        m_wasConnected = true;
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

void SocketConnection::raiseFailed(SocketErrorKind kind, int code, const QString &reason)
{
    if (m_closed)
        return;
    Hold hold(this);
    const QPointer<SocketConnection> alive(this);
    emit failed(this, kind, code, reason);
    if (alive)
        close();
}

void SocketConnection::noteError(QAbstractSocket::SocketError error)
{
    // The peer closing or resetting ends the connection quietly, by
    // notePeerClosed; and once closed here, nothing more is reported.
    if (error == QAbstractSocket::RemoteHostClosedError || m_closed)
        return;
    SocketErrorKind kind = SocketErrorKind::Receive;
    if (error == QAbstractSocket::HostNotFoundError)
        kind = SocketErrorKind::Lookup;
    else if (!m_wasConnected)
        kind = SocketErrorKind::Connect;
    else if (m_socket->bytesToWrite() > 0)
        kind = SocketErrorKind::Send;
    const int code = socketErrorCode(error);
    const QString reason = m_socket->errorString();
    QMetaObject::invokeMethod(
        this, [this, kind, code, reason] { raiseFailed(kind, code, reason); }, Qt::QueuedConnection);
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
