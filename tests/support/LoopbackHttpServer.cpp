// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/LoopbackHttpServer.h"

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <functional>

Response Response::text(const QByteArray &body, int status)
{
    Response response;
    response.status = status;
    response.body = body;
    return response;
}

Response Response::redirect(int status, const QByteArray &location)
{
    return text("<a href=\"" + location + "\">moved</a>", status).withHeader("Location", location);
}

Response Response::generated(qint64 size)
{
    Response response;
    response.generatedSize = size;
    return response;
}

Response Response::pastLimit(qint64 limit)
{
    return generated(limit + 64 * 1024).withoutContentLength();
}

Response Response::file(const QString &path)
{
    Response response;
    response.filePath = path;
    return response;
}

Response Response::stall()
{
    Response response = generated(1000);
    response.stallAfterHeaders = true;
    return response;
}

Response Response::noAnswer()
{
    Response response;
    response.silent = true;
    return response;
}

Response &Response::withoutContentLength()
{
    announceLength = false;
    return *this;
}

Response &Response::slow(int size, int intervalMs)
{
    pieceSize = size;
    pieceInterval = intervalMs;
    return *this;
}

Response &Response::closedAfter(qint64 bytes)
{
    closeAfter = bytes;
    return *this;
}

Response &Response::stalledAfter(qint64 bytes)
{
    stallAfter = bytes;
    return *this;
}

Response &Response::withHeader(const QByteArray &name, const QByteArray &value)
{
    headers.append({name, value});
    return *this;
}

QByteArray Response::generatedBytes(qint64 offset, qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = char((quint64(offset + i) * 0x9E3779B97F4A7C15ull) >> 56);
    return bytes;
}

namespace {

// How far the server writes ahead of the socket, and in what steps.
constexpr qint64 WriteStep = 256 * 1024;
constexpr qint64 WriteAhead = 1024 * 1024;
// Between the head and a body that ends with the connection.
constexpr int BodyPauseMs = 100;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 300: return "Multiple Choices";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

// One accepted connection: reads the request head, sends the answer its
// route asks for, and closes.
class Connection : public QObject
{
public:
    using Lookup = std::function<Response(const LoopbackHttpServer::Request &)>;
    using Sent = std::function<void(const QString &)>;

    Connection(QTcpSocket *socket, Lookup lookup, Sent sent, QObject *parent)
        : QObject(parent)
        , m_socket(socket)
        , m_lookup(std::move(lookup))
        , m_sent(std::move(sent))
    {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, &Connection::readRequest);
        connect(socket, &QTcpSocket::bytesWritten, this, &Connection::fill);
        connect(socket, &QTcpSocket::disconnected, this, &Connection::disconnected);
        connect(&m_pieces, &QTimer::timeout, this, &Connection::sendPiece);
        m_bodyPause.setSingleShot(true);
        connect(&m_bodyPause, &QTimer::timeout, this, &Connection::fill);
    }

private:
    void readRequest()
    {
        if (m_answering) {
            m_socket->readAll();
            return;
        }
        m_head += m_socket->readAll();
        const int end = m_head.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        m_answering = true;

        const QList<QByteArray> lines = m_head.left(end).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        LoopbackHttpServer::Request request;
        request.method = requestLine.value(0);
        request.path = QUrl::fromPercentEncoding(requestLine.value(1));
        for (const QByteArray &line : lines.mid(1)) {
            const int colon = line.indexOf(':');
            if (colon > 0)
                request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
        m_path = request.path;
        m_response = m_lookup(request);
        respond();
    }

    void respond()
    {
        if (m_response.silent)
            return;
        if (!m_response.filePath.isEmpty()) {
            m_file.setFileName(m_response.filePath);
            m_file.open(QIODevice::ReadOnly);
            m_total = m_file.size();
        } else {
            m_total = m_response.generatedSize >= 0 ? m_response.generatedSize : m_response.body.size();
        }
        m_limit = m_response.closeAfter >= 0 ? qMin(m_response.closeAfter, m_total) : m_total;
        if (m_response.stallAfter >= 0 && m_response.stallAfter < m_limit) {
            m_limit = m_response.stallAfter;
            m_stalls = true;
        }

        QByteArray head = "HTTP/1.0 " + QByteArray::number(m_response.status) + ' '
                          + reasonPhrase(m_response.status) + "\r\n";
        if (m_response.announceLength)
            head += "Content-Length: " + QByteArray::number(m_total) + "\r\n";
        for (const auto &header : m_response.headers)
            head += header.first + ": " + header.second + "\r\n";
        head += "Connection: close\r\n\r\n";
        m_socket->write(head);

        if (m_response.stallAfterHeaders)
            return;
        if (m_response.pieceSize > 0)
            m_pieces.start(m_response.pieceInterval);
        else if (!m_response.announceLength)
            m_bodyPause.start(BodyPauseMs);
        else
            fill();
    }

    QByteArray next(qint64 size)
    {
        size = qMin(size, m_limit - m_written);
        QByteArray bytes;
        if (m_file.isOpen())
            bytes = m_file.read(size);
        else if (m_response.generatedSize >= 0)
            bytes = Response::generatedBytes(m_written, size);
        else
            bytes = m_response.body.mid(m_written, size);
        // A file that cannot be read any further ends the body early.
        m_written = bytes.isEmpty() ? m_limit : m_written + bytes.size();
        return bytes;
    }

    void fill()
    {
        if (!m_answering || m_closing || m_response.silent || m_response.stallAfterHeaders
            || m_response.pieceSize > 0 || m_bodyPause.isActive())
            return;
        while (m_written < m_limit && m_socket->bytesToWrite() < WriteAhead)
            m_socket->write(next(WriteStep));
        if (m_written >= m_limit && !m_stalls)
            close();
    }

    void sendPiece()
    {
        m_socket->write(next(m_response.pieceSize));
        if (m_written >= m_limit) {
            m_pieces.stop();
            if (!m_stalls)
                close();
        }
    }

    void close()
    {
        m_closing = true;
        m_socket->disconnectFromHost();
    }

    void disconnected()
    {
        m_pieces.stop();
        m_bodyPause.stop();
        if (m_closing)
            m_sent(m_path);
        deleteLater();
    }

    QTcpSocket *m_socket;
    Lookup m_lookup;
    Sent m_sent;
    QByteArray m_head;
    bool m_answering = false;
    bool m_closing = false;
    QString m_path;
    Response m_response;
    QFile m_file;
    qint64 m_total = 0;
    qint64 m_limit = 0;
    qint64 m_written = 0;
    bool m_stalls = false;
    QTimer m_pieces;
    QTimer m_bodyPause;
};

} // namespace

LoopbackHttpServer::LoopbackHttpServer(QObject *parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &LoopbackHttpServer::accept);
    m_server->listen(QHostAddress::LocalHost, 0);
}

LoopbackHttpServer::~LoopbackHttpServer() = default;

bool LoopbackHttpServer::isListening() const
{
    return m_server->isListening();
}

quint16 LoopbackHttpServer::port() const
{
    return m_server->serverPort();
}

QString LoopbackHttpServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
}

void LoopbackHttpServer::route(const QString &path, const Response &response)
{
    m_routes.insert(path, response);
}

QStringList LoopbackHttpServer::requestedPaths() const
{
    QStringList paths;
    for (const Request &request : m_requests)
        paths << request.path;
    return paths;
}

void LoopbackHttpServer::accept()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        auto lookup = [this](const Request &request) {
            m_requests << request;
            return m_routes.value(request.path, Response::text("Not found", 404));
        };
        new Connection(socket, lookup, [this](const QString &path) { emit responseSent(path); }, this);
    }
}
