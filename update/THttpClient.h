// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QNetworkAccessManager;
class QUrl;

// The update's HTTP client: one GET at a time, its body streamed into the
// file named by Body.
//
// Get() is synchronous for its caller but keeps the event loop running, so
// the window stays usable and may even open boxes while a transfer runs.
// Redirects with status 300 to 302 and a Location header are followed (a
// few, then it fails); the body is written in chunks of at most 64 KiB and
// PacketReceived follows every chunk, so memory stays bounded whatever the
// size of the body. TimeOut is the time without any progress after which
// the transfer is given up; Deadline, when set, bounds the whole GET, so
// that a server trickling a byte now and then cannot hold it forever.
// MaximumSize, when set, bounds the body: an announced size beyond it is
// refused before a byte is written, and a body that goes beyond it is cut
// off and its file deleted. A redirect never leads from https to http.
//
// A status of 400 or more raises Failure with the request's command; a host
// that cannot be reached raises ConnectionFailed. The body of an error page
// is still written to the file, as a caller may want to look at it.
class THttpClient : public QObject
{
    Q_OBJECT

public:
    enum class Error {
        None,
        ConnectionFailed, // name lookup, refused, unreachable
        HttpStatus,       // the server answered 400 or more
        TooManyRedirects,
        TimedOut,
        Aborted,          // Abort() was called
        Transfer,         // the connection broke in the middle of the body
        FileWrite,        // the target file could not be created or written
        TooLarge,         // the body is larger than MaximumSize
        TooSlow,          // the GET took longer than Deadline
        InsecureRedirect, // an https address led to a plain http one
    };

    explicit THttpClient(QObject *parent = nullptr);
    // Also safe from inside a handler during a GET: the transfer ends and
    // Get returns false without touching the deleted client.
    ~THttpClient() override;

    // The connection settings of the component. Port, ReportLevel, Header,
    // Proxy and ProxyPort are kept for the component's users; each request
    // takes its port from its URL.
    QString Host;
    int Port = 21;
    int TimeOut = 10000;
    int ReportLevel = 0;
    QString Body;
    QString Header;
    bool InputFileMode = true;
    bool OutputFileMode = false;
    QString Proxy;
    int ProxyPort = 0;
    // Milliseconds for the whole GET, redirects included; 0: no bound.
    int Deadline = 0;
    // The largest body in bytes; 0: no bound.
    qint64 MaximumSize = 0;

    // Downloads url into the file Body (created or replaced). True when the
    // whole body arrived with a status below 400. A call while a GET runs
    // (from a handler) is refused with false and leaves the running one be.
    // The file is only touched once the final response has begun, so a host
    // that cannot be reached leaves an earlier file as it was. A body that
    // could not be written whole, or was too large, leaves no file.
    bool Get(const QString &url);
    // Callable from a PacketReceived handler: the GET ends with Aborted
    // after the current chunk. Outside a handler the transfer stops at once.
    void Abort();
    bool isRunning() const { return m_running; }

    // Makes the network access of every client that starts its first GET
    // from now on; null, the start, for Qt's own. Tests hand in one that
    // looks names up itself, so that no name reaches the system's name
    // server.
    using NetworkFactory = QNetworkAccessManager *(*)(QObject *parent);
    static void setNetworkFactory(NetworkFactory factory);

    // Of the last (or running) GET.
    Error error() const { return m_error; }
    // A German sentence for the user; empty without an error.
    QString errorString() const { return m_errorString; }
    int statusCode() const { return m_statusCode; }
    // The announced size of the body, 0 when none was announced.
    qint64 contentLength() const { return m_contentLength; }
    qint64 bytesReceived() const { return m_bytesReceived; }
    // SHA-256 of the body bytes written, computed as they streamed past.
    QByteArray bodySha256() const { return m_sha256; }

Q_SIGNALS:
    // After every chunk written to the file.
    void PacketReceived(qint64 received, qint64 total);
    // The HTTPFailure event: the command of the failed request, "GET".
    void Failure(const QString &command);
    // The HTTPConnectionFailed event.
    void ConnectionFailed();

private:
    struct Transfer;

    void request(Transfer &transfer, const QUrl &url);
    bool startResponse(Transfer &transfer);
    void readChunks(Transfer &transfer);
    void settle(Transfer &transfer);
    void setError(Error error, const QString &text);
    void reportWriteFailure(const QString &systemText);
    void setTooLarge();
    void discardBody(Transfer &transfer);

    QNetworkAccessManager *m_network = nullptr;
    Transfer *m_transfer = nullptr;
    bool m_running = false;
    bool m_abortRequested = false;
    Error m_error = Error::None;
    QString m_errorString;
    int m_statusCode = 0;
    qint64 m_contentLength = 0;
    qint64 m_bytesReceived = 0;
    QByteArray m_sha256;
};
