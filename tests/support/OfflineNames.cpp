// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/OfflineNames.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpSocket>

namespace {

bool isName(const QString &host)
{
    return QHostAddress(host).isNull();
}

QString notFound(const QString &host)
{
    return QStringLiteral("Host %1 not found").arg(host);
}

class OfflineTcpSocket : public QTcpSocket
{
public:
    void connectToHost(const QString &hostName, quint16 port, OpenMode mode, NetworkLayerProtocol protocol) override
    {
        if (!isName(hostName)) {
            QTcpSocket::connectToHost(hostName, port, mode, protocol);
            return;
        }
        setSocketState(HostLookupState);
        emit stateChanged(HostLookupState);
        // The lookup's answer comes from the event loop, as Qt's does.
        QMetaObject::invokeMethod(
            this,
            [this, hostName] {
                setSocketState(UnconnectedState);
                setSocketError(HostNotFoundError);
                setErrorString(notFound(hostName));
                emit stateChanged(UnconnectedState);
                emit errorOccurred(HostNotFoundError);
            },
            Qt::QueuedConnection);
    }
};

class UnknownHostReply : public QNetworkReply
{
public:
    UnknownHostReply(QNetworkAccessManager::Operation operation, const QNetworkRequest &request, QObject *parent)
        : QNetworkReply(parent)
    {
        setOperation(operation);
        setRequest(request);
        setUrl(request.url());
        open(QIODevice::ReadOnly);
        QMetaObject::invokeMethod(
            this,
            [this] {
                setError(HostNotFoundError, notFound(url().host()));
                setFinished(true);
                emit errorOccurred(HostNotFoundError);
                emit finished();
            },
            Qt::QueuedConnection);
    }

    void abort() override {}

protected:
    qint64 readData(char *, qint64) override { return -1; }
};

class OfflineNetworkAccess : public QNetworkAccessManager
{
public:
    using QNetworkAccessManager::QNetworkAccessManager;

protected:
    QNetworkReply *createRequest(Operation operation, const QNetworkRequest &request,
                                 QIODevice *outgoingData) override
    {
        if (isName(request.url().host()))
            return new UnknownHostReply(operation, request, this);
        return QNetworkAccessManager::createRequest(operation, request, outgoingData);
    }
};

} // namespace

QTcpSocket *offlineTcpSocket()
{
    return new OfflineTcpSocket;
}

QNetworkAccessManager *offlineNetworkAccess(QObject *parent)
{
    return new OfflineNetworkAccess(parent);
}
