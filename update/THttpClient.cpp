// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "update/THttpClient.h"

#include "platform/BuildSettings.h"
#include "update/Sha256.h"
#include "update/UpdateDescription.h"
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <cerrno>

namespace {

// The most that is written to the file, and reported, at once.
constexpr qint64 ChunkSize = 65536;
// What the network layer may hold ahead of the file. It bounds the memory a
// download takes whatever the size of the body, and is a little larger
// than a chunk so that the connection keeps flowing while a chunk is
// written.
constexpr qint64 ReadBufferSize = 4 * ChunkSize;
constexpr int MaxRedirects = 5;

THttpClient::NetworkFactory networkFactory = nullptr;

QString quoted(const QString &text)
{
    return QStringLiteral("„%1“").arg(text);
}

bool isHttpUrl(const QUrl &url)
{
    return url.isValid() && !url.host().isEmpty()
           && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

} // namespace

// The state of one GET, from its first request to the end of its last
// response; it lives on Get's stack.
struct THttpClient::Transfer
{
    QEventLoop loop;
    QTimer idle;
    QTimer deadline;
    QFile file;
    Sha256 hash;
    bool bodyStarted = false;
    bool unreachable = false;
    bool tooSlow = false;

    // Of the current request.
    QUrl url;
    QNetworkReply *reply = nullptr;
    bool requestSent = false;
    bool responseStarted = false;
    bool redirected = false;
    bool timedOut = false;
    QUrl redirectTarget;
    // While PacketReceived's handler runs. The handler may process events or
    // open a box; the chunks that arrive meanwhile wait for it, and the
    // time it takes is not the server's.
    bool inHandler = false;

    void progressed(int timeOut)
    {
        if (!inHandler && timeOut > 0)
            idle.start(timeOut);
    }
};

void THttpClient::setNetworkFactory(NetworkFactory factory)
{
    networkFactory = factory;
}

THttpClient::THttpClient(QObject *parent)
    : QObject(parent)
{
}

THttpClient::~THttpClient()
{
    if (!m_transfer)
        return;
    // Deleted by a handler in the middle of a GET. The reply may be busy
    // delivering the current chunk, so the network manager and its replies
    // stay until the event loop has control again.
    Transfer &transfer = *m_transfer;
    if (transfer.reply) {
        QObject::disconnect(transfer.reply, nullptr, &transfer.loop, nullptr);
        transfer.reply->abort();
    }
    transfer.idle.stop();
    transfer.loop.quit();
    if (m_network) {
        m_network->setParent(nullptr);
        m_network->deleteLater();
    }
}

bool THttpClient::Get(const QString &url)
{
    if (m_running)
        return false;
    m_abortRequested = false;
    m_error = Error::None;
    m_errorString.clear();
    m_statusCode = 0;
    m_contentLength = 0;
    m_bytesReceived = 0;
    m_sha256.clear();

    Transfer transfer;
    transfer.idle.setSingleShot(true);
    connect(&transfer.idle, &QTimer::timeout, &transfer.loop, [&transfer] {
        transfer.timedOut = true;
        if (transfer.reply)
            transfer.reply->abort();
    });
    if (Deadline > 0) {
        transfer.deadline.setSingleShot(true);
        connect(&transfer.deadline, &QTimer::timeout, &transfer.loop, [&transfer] {
            transfer.tooSlow = true;
            // A handler's box is the user's time; the chunk loop stops the
            // reply once the handler has returned.
            if (transfer.reply && !transfer.inHandler)
                transfer.reply->abort();
        });
        transfer.deadline.start(Deadline);
    }
    m_transfer = &transfer;
    m_running = true;
    QPointer<THttpClient> alive(this);

    QUrl current(url);
    for (int redirects = 0;; ++redirects) {
        if (!isHttpUrl(current)) {
            transfer.unreachable = true;
            setError(Error::ConnectionFailed,
                     QStringLiteral("Die Adresse %1 ist ungültig.").arg(quoted(current.toDisplayString())));
            break;
        }
        request(transfer, current);
        if (!alive)
            return false;
        if (!transfer.redirected || m_error != Error::None)
            break;
        if (redirects == MaxRedirects) {
            setError(Error::TooManyRedirects, QStringLiteral("Der Server leitet die Anfrage zu oft weiter."));
            break;
        }
        current = transfer.redirectTarget;
    }

    transfer.file.close();
    if (transfer.bodyStarted)
        m_sha256 = transfer.hash.result();
    m_transfer = nullptr;
    m_running = false;

    // The events come last: their handlers see the finished GET and may
    // even start the next one.
    const bool succeeded = m_error == Error::None;
    if (m_error == Error::HttpStatus)
        emit Failure(QStringLiteral("GET"));
    else if (transfer.unreachable)
        emit ConnectionFailed();
    return succeeded;
}

void THttpClient::Abort()
{
    if (!m_transfer)
        return;
    m_abortRequested = true;
    // From a packet handler the chunk loop stops the reply once the handler
    // has returned; otherwise nothing may be arriving, so it stops now.
    if (!m_transfer->inHandler && m_transfer->reply)
        m_transfer->reply->abort();
}

void THttpClient::request(Transfer &transfer, const QUrl &url)
{
    transfer.url = url;
    transfer.requestSent = false;
    transfer.responseStarted = false;
    transfer.redirected = false;
    transfer.timedOut = false;

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    // The progress compares the announced size with the bytes written, so
    // both must count the same, uncompressed bytes.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Lettrisko/") + programVersion());

    // Made at the first request: most runs of the program make none.
    if (!m_network) {
        m_network = networkFactory ? networkFactory(this) : new QNetworkAccessManager(this);
        m_network->setProxy(QNetworkProxy::NoProxy);
    }
    QNetworkReply *reply = m_network->get(request);
    transfer.reply = reply;
    reply->setReadBufferSize(ReadBufferSize);
    connect(reply, &QNetworkReply::requestSent, &transfer.loop, [this, &transfer] {
        transfer.requestSent = true;
        transfer.progressed(TimeOut);
    });
    connect(reply, &QNetworkReply::metaDataChanged, &transfer.loop, [this, &transfer] { startResponse(transfer); });
    connect(reply, &QIODevice::readyRead, &transfer.loop, [this, &transfer] { readChunks(transfer); });
    connect(reply, &QNetworkReply::finished, &transfer.loop, [this, &transfer] {
        readChunks(transfer);
        transfer.loop.quit();
    });
    transfer.progressed(TimeOut);

    QPointer<THttpClient> alive(this);
    transfer.loop.exec();
    if (!alive)
        return;
    transfer.idle.stop();
    settle(transfer);
    transfer.reply = nullptr;
    delete reply;
}

bool THttpClient::startResponse(Transfer &transfer)
{
    if (transfer.responseStarted)
        return true;
    const QVariant status = transfer.reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid())
        return false;
    transfer.responseStarted = true;
    transfer.progressed(TimeOut);
    m_statusCode = status.toInt();

    const QByteArray location = transfer.reply->rawHeader("Location");
    if (m_statusCode >= 300 && m_statusCode <= 302 && !location.isEmpty()) {
        // Only the final response's body belongs in the file.
        const QUrl target = transfer.url.resolved(QUrl::fromEncoded(location));
        transfer.reply->abort();
        // Whoever sits between player and server could hand out anything
        // once the encryption has been given up.
        if (transfer.url.scheme() == QLatin1String("https") && target.scheme() != QLatin1String("https")) {
            setError(Error::InsecureRedirect,
                     QStringLiteral("Der Server leitet von der verschlüsselten Adresse %1 auf die unverschlüsselte "
                                    "Adresse %2 weiter; dem wird nicht gefolgt.")
                         .arg(quoted(transfer.url.toDisplayString()), quoted(target.toDisplayString())));
            return false;
        }
        transfer.redirected = true;
        transfer.redirectTarget = target;
        return false;
    }

    bool announced = false;
    const qint64 length = transfer.reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&announced);
    m_contentLength = announced ? qMax<qint64>(length, 0) : 0;
    // Refused before the file is touched: an earlier file stays as it was.
    if (MaximumSize > 0 && m_contentLength > MaximumSize && m_statusCode < 400) {
        setTooLarge();
        transfer.reply->abort();
        return false;
    }

    transfer.file.setFileName(Body);
    if (!transfer.file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        setError(Error::FileWrite, QStringLiteral("Die Datei %1 kann nicht angelegt werden.")
                                       .arg(quoted(QDir::toNativeSeparators(Body))));
        transfer.reply->abort();
        return false;
    }
    transfer.bodyStarted = true;
    return true;
}

void THttpClient::readChunks(Transfer &transfer)
{
    // A handler's own event processing comes back here; the call below it
    // on the stack goes on reading once the handler has returned.
    if (transfer.inHandler || transfer.redirected || transfer.timedOut || transfer.tooSlow || m_abortRequested
        || m_error != Error::None)
        return;
    if (!startResponse(transfer))
        return;

    QNetworkReply *reply = transfer.reply;
    while (reply->bytesAvailable() > 0) {
        const QByteArray chunk = reply->read(ChunkSize);
        if (chunk.isEmpty())
            break;
        if (MaximumSize > 0 && m_bytesReceived + chunk.size() > MaximumSize) {
            setTooLarge();
            discardBody(transfer);
            reply->abort();
            return;
        }
        if (transfer.file.write(chunk) != chunk.size()) {
            reportWriteFailure(transfer.file.errorString());
            discardBody(transfer);
            reply->abort();
            return;
        }
        transfer.hash.addData(chunk);
        m_bytesReceived += chunk.size();

        transfer.idle.stop();
        transfer.inHandler = true;
        QPointer<THttpClient> alive(this);
        emit PacketReceived(m_bytesReceived, m_contentLength);
        if (!alive)
            return;
        transfer.inHandler = false;
        if (m_abortRequested || transfer.tooSlow) {
            reply->abort();
            return;
        }
        transfer.progressed(TimeOut);
    }
}

void THttpClient::settle(Transfer &transfer)
{
    if (m_error != Error::None)
        return;
    if (m_abortRequested) {
        setError(Error::Aborted, QStringLiteral("Die Übertragung wurde abgebrochen."));
        return;
    }
    if (transfer.tooSlow) {
        setError(Error::TooSlow, QStringLiteral("Der Server sendet zu langsam; die Übertragung wurde nach %1 "
                                                "abgebrochen.")
                                     .arg(secondsText(Deadline)));
        return;
    }
    if (transfer.timedOut) {
        // Without a request sent there never was a connection to the host.
        transfer.unreachable = !transfer.requestSent;
        setError(Error::TimedOut, QStringLiteral("Der Server antwortet nicht."));
        return;
    }
    if (transfer.redirected)
        return;

    const QNetworkReply::NetworkError error = transfer.reply->error();
    if (transfer.responseStarted && m_statusCode >= 400) {
        const QString reason = transfer.reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        setError(Error::HttpStatus, reason.isEmpty()
                                        ? QStringLiteral("Der Server meldet den Fehler %1.").arg(m_statusCode)
                                        : QStringLiteral("Der Server meldet den Fehler %1 (%2).")
                                              .arg(m_statusCode)
                                              .arg(reason));
    } else if (error == QNetworkReply::NoError && m_bytesReceived >= m_contentLength) {
        return;
    } else if (!transfer.requestSent && !transfer.responseStarted) {
        transfer.unreachable = true;
        const QString host = quoted(transfer.url.host());
        const QString text = error == QNetworkReply::HostNotFoundError
                                 ? QStringLiteral("Der Server %1 wurde nicht gefunden.")
                             : error == QNetworkReply::ConnectionRefusedError
                                 ? QStringLiteral("Der Server %1 lehnt die Verbindung ab.")
                                 : QStringLiteral("Keine Verbindung zum Server %1 möglich.");
        setError(Error::ConnectionFailed, text.arg(host));
    } else {
        // Also a body that ended before its announced size: a connection
        // closed early can look like the end of the body.
        setError(Error::Transfer, QStringLiteral("Die Verbindung zum Server ist während der Übertragung abgebrochen."));
    }
}

void THttpClient::setError(Error error, const QString &text)
{
    m_error = error;
    m_errorString = text;
}

void THttpClient::setTooLarge()
{
    setError(Error::TooLarge,
             QStringLiteral("Der Server sendet mehr als die erlaubten %1.").arg(SizeText(1, false, MaximumSize)));
}

// A body cut short is of no use to anyone and may fill the disk; a device
// given as the target (or anything else that is no plain file) stays.
void THttpClient::discardBody(Transfer &transfer)
{
    transfer.file.close();
    transfer.bodyStarted = false;
    if (QFileInfo(Body).isFile())
        QFile::remove(Body);
}

void THttpClient::reportWriteFailure(const QString &systemText)
{
    // A full disk is the one cause the user can do something about, so it
    // is named; the file system tells it apart by its message.
    const QString name = quoted(QDir::toNativeSeparators(Body));
    if (systemText == qt_error_string(ENOSPC) || systemText == qt_error_string(EDQUOT))
        setError(Error::FileWrite,
                 QStringLiteral("Die Datei %1 kann nicht geschrieben werden, weil der Datenträger voll ist.").arg(name));
    else
        setError(Error::FileWrite, QStringLiteral("Die Datei %1 kann nicht geschrieben werden.").arg(name));
}
