// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

class QTcpServer;

// What the loopback server answers on one path. The body comes from one of
// three sources: fixed bytes, a generated pattern of any size that is never
// held in memory, or a file read as it is sent.
struct Response
{
    int status = 200;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    qint64 generatedSize = -1;
    QString filePath;
    bool announceLength = true;   // send Content-Length
    int pieceSize = 0;            // > 0: the body goes out in pieces of this size,
    int pieceInterval = 0;        //      one every pieceInterval milliseconds
    bool stallAfterHeaders = false;
    bool silent = false;          // reads the request and never answers
    qint64 closeAfter = -1;       // closes the connection after this many body bytes
    qint64 stallAfter = -1;       // sends this many body bytes, then nothing, the connection open

    static Response text(const QByteArray &body, int status = 200);
    static Response redirect(int status, const QByteArray &location);
    static Response generated(qint64 size);
    // A generated body without a length that runs a little past limit: a
    // client that keeps to the limit cannot tell it from an endless one,
    // and one that does not stops soon after it instead of filling the disk.
    static Response pastLimit(qint64 limit);
    static Response file(const QString &path);
    // The headers, then nothing while the connection stays open.
    static Response stall();
    static Response noAnswer();

    Response &withoutContentLength();
    Response &slow(int pieceSize, int intervalMs);
    Response &closedAfter(qint64 bytes);
    Response &stalledAfter(qint64 bytes);
    Response &withHeader(const QByteArray &name, const QByteArray &value);

    // The bytes of generated(size) from offset on; every byte depends on its
    // position, so a lost, doubled or reordered chunk changes the hash.
    static QByteArray generatedBytes(qint64 offset, qint64 size);
};

// A small HTTP/1.0 server on 127.0.0.1 for the update's tests: every
// answer closes its connection. Paths without a route get 404.
//
// A body without Content-Length ends with the connection, and it follows
// its head only after a pause. Qt's client, when the whole answer and the
// close are already waiting in the very moment it has written its
// request, reads the body before it counts itself as reading an answer,
// then takes the close for a connection that broke before any answer and
// sends the request again; its result stays right, but the server would
// see the request twice. A server across a network never answers that
// soon.
//
//     LoopbackHttpServer server;
//     server.route("/Updates.ini", Response::text("[Lettrisko]\r\n"));
//     client.Get(server.url("/Updates.ini"));
//
// It may live in a thread of its own (create it there), so that a
// blocking client such as an external program can be served.
class LoopbackHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray method;
        QString path;                         // percent-decoded
        QMap<QByteArray, QByteArray> headers; // names in lower case
    };

    // Listens at once, on a port of the system's choice.
    explicit LoopbackHttpServer(QObject *parent = nullptr);
    ~LoopbackHttpServer() override;

    bool isListening() const;
    quint16 port() const;
    // "http://127.0.0.1:<port>" + path.
    QString url(const QString &path) const;

    void route(const QString &path, const Response &response);
    const QList<Request> &requests() const { return m_requests; }
    QStringList requestedPaths() const;

Q_SIGNALS:
    // The whole answer is out and the connection closed from this side.
    void responseSent(const QString &path);

private:
    void accept();

    QTcpServer *m_server = nullptr;
    QMap<QString, Response> m_routes;
    QList<Request> m_requests;
};
