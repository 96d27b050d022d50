#include "net/SocketErrorReport.h"

#include <QApplication>
#include <QMessageBox>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <netdb.h>
#endif

QString socketOperation(SocketErrorKind kind)
{
    switch (kind) {
    case SocketErrorKind::Lookup:
        return QStringLiteral("getaddrinfo");
    case SocketErrorKind::Connect:
        return QStringLiteral("connect");
    case SocketErrorKind::Send:
        return QStringLiteral("send");
    case SocketErrorKind::Receive:
        return QStringLiteral("recv");
    case SocketErrorKind::Disconnect:
        return QStringLiteral("close");
    }
    return QString();
}

int socketErrorCode(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return ECONNREFUSED;
    case QAbstractSocket::RemoteHostClosedError:
        return ECONNRESET;
    case QAbstractSocket::HostNotFoundError:
#ifdef EAI_NONAME
        return EAI_NONAME;
#else
        return 11001; // WSAHOST_NOT_FOUND
#endif
    case QAbstractSocket::SocketAccessError:
        return EACCES;
    case QAbstractSocket::SocketResourceError:
        return EMFILE;
    case QAbstractSocket::SocketTimeoutError:
        return ETIMEDOUT;
    case QAbstractSocket::DatagramTooLargeError:
        return EMSGSIZE;
    case QAbstractSocket::NetworkError:
        return ENETUNREACH;
    case QAbstractSocket::AddressInUseError:
        return EADDRINUSE;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return EADDRNOTAVAIL;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return EOPNOTSUPP;
    default:
        return EIO;
    }
}

void reportSocketError(const QString &reason, int code, const QString &operation)
{
    QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Netzwerkfehler"),
                          QStringLiteral("Socket-Fehler: %1 (%2), beim Aufruf '%3'")
                              .arg(reason)
                              .arg(code)
                              .arg(operation));
}
