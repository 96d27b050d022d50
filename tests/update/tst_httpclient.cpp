// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "update/THttpClient.h"

#include "support/HostileFiles.h"
#include "support/LoopbackHttpServer.h"
#include "support/NestedEventLoop.h"
#include "support/OfflineNames.h"
#include "support/ReadOnlyFolder.h"
#include "support/TestFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using Routes = QMap<QString, Response>;
Q_DECLARE_METATYPE(Routes)
Q_DECLARE_METATYPE(Response)
Q_DECLARE_METATYPE(THttpClient::Error)

namespace {

const QByteArray OldContent = "an earlier download";
const QByteArray Description = "[Lettrisko]\r\nVersion=2.1.0.0\r\nFile=Lettrisko.zip\r\n";

quint16 portWithoutListener()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// A client that downloads into an existing file of a temporary folder,
// with a server whose "{origin}" in redirect targets stands for its address.
struct Download
{
    LoopbackHttpServer server;
    QTemporaryDir dir;
    THttpClient client;
    QList<QPair<qint64, qint64>> packets;
    QSignalSpy failures{&client, &THttpClient::Failure};
    QSignalSpy connectionFailures{&client, &THttpClient::ConnectionFailed};

    Download()
    {
        client.Body = dir.filePath(QStringLiteral("Default.htm"));
        QVERIFY(writeFileBytes(client.Body, OldContent));
        QObject::connect(&client, &THttpClient::PacketReceived, &client,
                         [this](qint64 received, qint64 total) { packets.append({received, total}); });
    }

    void route(const Routes &routes)
    {
        for (auto it = routes.cbegin(); it != routes.cend(); ++it) {
            Response response = it.value();
            for (auto &header : response.headers)
                header.second.replace("{origin}", server.url(QString()).toLatin1());
            server.route(it.key(), response);
        }
    }
};

} // namespace

class TestHttpClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void successfulGetWritesTheFinalBody_data();
    void successfulGetWritesTheFinalBody();
    void failedGetIsReported_data();
    void failedGetIsReported();
    void timeOutIsTimeWithoutProgress_data();
    void timeOutIsTimeWithoutProgress();
    void abortFromThePacketHandlerEndsAfterTheChunk();
    void modalBoxDuringTransfer_data();
    void modalBoxDuringTransfer();
    void secondGetFromAHandlerIsRefused();
    void clientDeletedFromAHandler();
    void largeBodyStreamsInBoundedMemory();
};

void TestHttpClient::initTestCase()
{
    // The largest body here has 200 MB.
    QVERIFY(limitFileSize(256ll << 20));
    THttpClient::setNetworkFactory(offlineNetworkAccess);
}

void TestHttpClient::successfulGetWritesTheFinalBody_data()
{
    QTest::addColumn<Routes>("routes");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QStringList>("requested");

    const qint64 size = Description.size();
    const Response description = Response::text(Description);
    QTest::newRow("description") << Routes{{"/Updates.ini", description}} << "/Updates.ini" << 200
                                 << Description << size << QStringList{"/Updates.ini"};
    QTest::newRow("no Content-Length")
        << Routes{{"/Updates.ini", Response::text(Description).withoutContentLength()}} << "/Updates.ini" << 200
        << Description << qint64(0) << QStringList{"/Updates.ini"};
    QTest::newRow("301 to an absolute address")
        << Routes{{"/old", Response::redirect(301, "{origin}/Updates.ini")}, {"/Updates.ini", description}}
        << "/old" << 200 << Description << size << QStringList{"/old", "/Updates.ini"};
    QTest::newRow("302 to a relative address")
        << Routes{{"/Updates/a.zip", Response::redirect(302, "../files/a.zip")}, {"/files/a.zip", description}}
        << "/Updates/a.zip" << 200 << Description << size << QStringList{"/Updates/a.zip", "/files/a.zip"};
    QTest::newRow("300 with a Location")
        << Routes{{"/a", Response::redirect(300, "/b")}, {"/b", description}} << "/a" << 200 << Description
        << size << QStringList{"/a", "/b"};
    Routes chain{{"/5", description}};
    for (int i = 0; i < 5; ++i)
        chain.insert(QStringLiteral("/%1").arg(i), Response::redirect(302, QByteArray::number(i + 1)));
    QTest::newRow("five redirects") << chain << "/0" << 200 << Description << size
                                    << QStringList{"/0", "/1", "/2", "/3", "/4", "/5"};
    const Response seeOther = Response::redirect(303, "/b");
    QTest::newRow("303 is not followed") << Routes{{"/a", seeOther}, {"/b", description}} << "/a" << 303
                                         << seeOther.body << qint64(seeOther.body.size()) << QStringList{"/a"};
    QTest::newRow("empty body replaces the file") << Routes{{"/empty", Response::text("")}} << "/empty" << 200
                                                  << QByteArray() << qint64(0) << QStringList{"/empty"};
    // The client's limit is 1 MiB here.
    const QByteArray largest = Response::generatedBytes(0, 1 << 20);
    QTest::newRow("as large as allowed, announced")
        << Routes{{"/file", Response::generated(1 << 20)}} << "/file" << 200 << largest << qint64(1 << 20)
        << QStringList{"/file"};
    QTest::newRow("as large as allowed, without Content-Length")
        << Routes{{"/file", Response::generated(1 << 20).withoutContentLength()}} << "/file" << 200 << largest
        << qint64(0) << QStringList{"/file"};
}

void TestHttpClient::successfulGetWritesTheFinalBody()
{
    QFETCH(Routes, routes);
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    Download download;
    download.route(routes);
    download.client.MaximumSize = 1 << 20;

    QVERIFY(download.client.Get(download.server.url(path)));
    QCOMPARE(download.client.error(), THttpClient::Error::None);
    QVERIFY(download.client.errorString().isEmpty());
    QTEST(download.client.statusCode(), "status");
    QCOMPARE(fileBytesOrMissing(download.client.Body), body);
    QCOMPARE(download.client.bytesReceived(), qint64(body.size()));
    QTEST(download.client.contentLength(), "total");
    QCOMPARE(download.client.bodySha256(), QCryptographicHash::hash(body, QCryptographicHash::Sha256));
    if (!body.isEmpty())
        QCOMPARE(download.packets.last(), qMakePair(qint64(body.size()), download.client.contentLength()));
    QTEST(download.server.requestedPaths(), "requested");
    QCOMPARE(download.failures.count(), 0);
    QCOMPARE(download.connectionFailures.count(), 0);
}

void TestHttpClient::failedGetIsReported_data()
{
    QTest::addColumn<Routes>("routes");
    QTest::addColumn<QString>("url");    // {server}: the loopback server, {closed}: a port nobody listens on
    QTest::addColumn<QString>("target"); // "" for Default.htm in the folder
    QTest::addColumn<THttpClient::Error>("error");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("failures");
    QTest::addColumn<int>("connectionFailures");
    QTest::addColumn<QByteArray>("file"); // what the target holds afterwards
    QTest::addColumn<QString>("says");

    using E = THttpClient::Error;
    const Routes big{{"/file", Response::generated(300000)}};
    const QString file = QStringLiteral("{server}/file");
    QTest::newRow("404 keeps its page") << Routes{{"/file", Response::text("Gibt es nicht", 404)}} << file << ""
                                        << E::HttpStatus << 404 << 1 << 0 << QByteArray("Gibt es nicht")
                                        << "404 (Not Found)";
    QTest::newRow("500") << Routes{{"/file", Response::text("Fehlerseite", 500)}} << file << "" << E::HttpStatus
                         << 500 << 1 << 0 << QByteArray("Fehlerseite") << "500";
    QTest::newRow("refused leaves the file") << Routes{} << "{closed}/file" << "" << E::ConnectionFailed << 0 << 0
                                             << 1 << OldContent << "Der Server „127.0.0.1“ lehnt die Verbindung ab.";
    QTest::newRow("unknown host") << Routes{} << "http://updates.lettrisko.invalid/Updates.ini" << ""
                                  << E::ConnectionFailed << 0 << 0 << 1 << OldContent << "wurde nicht gefunden";
    QTest::newRow("no address") << Routes{} << "Updates.ini" << "" << E::ConnectionFailed << 0 << 0 << 1
                                << OldContent << "ungültig";
    QTest::newRow("redirect loop") << Routes{{"/file", Response::redirect(302, "/file")}} << file << ""
                                   << E::TooManyRedirects << 302 << 0 << 0 << OldContent << "zu oft";
    Routes sixRedirects{{"/6", Response::text(Description)}};
    for (int i = 0; i < 6; ++i)
        sixRedirects.insert(QStringLiteral("/%1").arg(i), Response::redirect(302, QByteArray::number(i + 1)));
    QTest::newRow("a redirect more than five") << sixRedirects << "{server}/0" << "" << E::TooManyRedirects << 302
                                              << 0 << 0 << OldContent << "zu oft";
    QTest::newRow("connection closed in the body")
        << Routes{{"/file", Response::generated(300000).closedAfter(100000)}} << file << "" << E::Transfer << 200
        << 0 << 0 << Response::generatedBytes(0, 100000) << "während der Übertragung";
    // A device is no file of the client's to delete.
    QTest::newRow("disk full") << big << file << "/dev/full" << E::FileWrite << 200 << 0 << 0
                               << QByteArray("<device>") << "der Datenträger voll";
    QTest::newRow("read-only folder") << big << file << "readonly" << E::FileWrite << 200 << 0 << 0
                                      << QByteArray("<missing>") << "kann nicht angelegt werden";
    // The client's limit is 1 MiB here.
    QTest::newRow("announced beyond the limit") << Routes{{"/file", Response::generated(2 << 20)}} << file << ""
                                                << E::TooLarge << 200 << 0 << 0 << OldContent
                                                << "mehr als die erlaubten 1 MB";
    QTest::newRow("announced a byte beyond the limit")
        << Routes{{"/file", Response::generated((1 << 20) + 1)}} << file << "" << E::TooLarge << 200 << 0 << 0
        << OldContent << "1 MB";
    QTest::newRow("a byte beyond the limit, without Content-Length")
        << Routes{{"/file", Response::generated((1 << 20) + 1).withoutContentLength()}} << file << "" << E::TooLarge
        << 200 << 0 << 0 << QByteArray("<missing>") << "1 MB";
    QTest::newRow("endless body") << Routes{{"/file", Response::pastLimit(1 << 20)}} << file << "" << E::TooLarge
                                  << 200 << 0 << 0 << QByteArray("<missing>") << "1 MB";
}

void TestHttpClient::failedGetIsReported()
{
    QFETCH(Routes, routes);
    QFETCH(QString, url);
    QFETCH(QString, target);
    QFETCH(QByteArray, file);
    QFETCH(QString, says);
    Download download;
    download.route(routes);
    std::unique_ptr<ReadOnlyFolder> readOnly;
    if (target == QLatin1String("readonly")) {
        download.client.Body = download.dir.filePath(QStringLiteral("sub/Default.htm"));
        QVERIFY(QDir(download.dir.path()).mkdir(QStringLiteral("sub")));
        readOnly = std::make_unique<ReadOnlyFolder>(download.dir.filePath(QStringLiteral("sub")));
    } else if (!target.isEmpty()) {
        download.client.Body = target;
    }
    url.replace(QLatin1String("{server}"), download.server.url(QString()));
    url.replace(QLatin1String("{closed}"), QStringLiteral("http://127.0.0.1:%1").arg(portWithoutListener()));

    download.client.MaximumSize = 1 << 20;
    QVERIFY(!download.client.Get(url));
    QTEST(download.client.error(), "error");
    QTEST(download.client.statusCode(), "status");
    QVERIFY2(download.client.errorString().contains(says), qPrintable(download.client.errorString()));
    QTEST(int(download.failures.count()), "failures");
    if (!download.failures.isEmpty())
        QCOMPARE(download.failures.first().first().toString(), QStringLiteral("GET"));
    QTEST(int(download.connectionFailures.count()), "connectionFailures");
    const QFileInfo written(download.client.Body);
    QCOMPARE(written.isFile() || !written.exists() ? fileBytesOrMissing(download.client.Body) : "<device>", file);
    QVERIFY(!download.client.isRunning());
}

void TestHttpClient::timeOutIsTimeWithoutProgress_data()
{
    QTest::addColumn<Response>("response");
    QTest::addColumn<THttpClient::Error>("error");

    QTest::newRow("headers, then nothing") << Response::stall() << THttpClient::Error::TimedOut;
    QTest::newRow("no answer at all") << Response::noAnswer() << THttpClient::Error::TimedOut;
    QTest::newRow("part of the body, then nothing")
        << Response::generated(300000).stalledAfter(100000) << THttpClient::Error::TimedOut;
    // Never a pause as long as the time-out, but never done either.
    QTest::newRow("trickle") << Response::generated(1000).slow(1, 50) << THttpClient::Error::TooSlow;
    // Twenty pieces take twice the time-out, but none comes late.
    QTest::newRow("slow but steady") << Response::generated(20 * 512).slow(512, 40) << THttpClient::Error::None;
}

void TestHttpClient::timeOutIsTimeWithoutProgress()
{
    QFETCH(Response, response);
    QFETCH(THttpClient::Error, error);
    Download download;
    download.server.route(QStringLiteral("/file"), response);
    download.client.TimeOut = 400;
    download.client.Deadline = 1500;

    QCOMPARE(download.client.Get(download.server.url(QStringLiteral("/file"))), error == THttpClient::Error::None);
    QCOMPARE(download.client.error(), error);
    if (error == THttpClient::Error::TimedOut)
        QCOMPARE(download.client.errorString(), QStringLiteral("Der Server antwortet nicht."));
    else if (error == THttpClient::Error::TooSlow)
        QCOMPARE(download.client.errorString(),
                 QStringLiteral("Der Server sendet zu langsam; die Übertragung wurde nach 2 Sekunden abgebrochen."));
    else
        QCOMPARE(fileBytesOrMissing(download.client.Body), Response::generatedBytes(0, 20 * 512));
    // The request was taken, so the host was reachable.
    QCOMPARE(download.connectionFailures.count(), 0);
}

void TestHttpClient::abortFromThePacketHandlerEndsAfterTheChunk()
{
    Download download;
    download.server.route(QStringLiteral("/file"), Response::generated(20 * 1000).slow(1000, 20));
    connect(&download.client, &THttpClient::PacketReceived, &download.client, [&] { download.client.Abort(); });

    QVERIFY(!download.client.Get(download.server.url(QStringLiteral("/file"))));
    QCOMPARE(download.client.error(), THttpClient::Error::Aborted);
    QCOMPARE(download.client.errorString(), QStringLiteral("Die Übertragung wurde abgebrochen."));
    QCOMPARE(download.packets.size(), 1);
    QCOMPARE(fileBytesOrMissing(download.client.Body), Response::generatedBytes(0, download.packets.first().first));
    QVERIFY(download.client.bytesReceived() < 20 * 1000);
    QCOMPARE(download.failures.count() + download.connectionFailures.count(), 0);

    // The next GET starts afresh.
    disconnect(&download.client, &THttpClient::PacketReceived, &download.client, nullptr);
    download.server.route(QStringLiteral("/file"), Response::text(Description));
    QVERIFY(download.client.Get(download.server.url(QStringLiteral("/file"))));
    QCOMPARE(fileBytesOrMissing(download.client.Body), Description);
}

void TestHttpClient::modalBoxDuringTransfer_data()
{
    QTest::addColumn<bool>("fromPacketHandler");
    QTest::addColumn<bool>("cancel");

    // The box stays open until the server has sent everything, longer than
    // the time-out.
    QTest::newRow("asked in the packet handler, No") << true << false;
    QTest::newRow("asked from the event loop, No") << false << false;
    // The wizard's way: Yes marks the cancellation, the next packet aborts.
    QTest::newRow("asked from the event loop, Yes") << false << true;
}

void TestHttpClient::modalBoxDuringTransfer()
{
    QFETCH(bool, fromPacketHandler);
    QFETCH(bool, cancel);
    const qint64 size = 25 * 1000;
    Download download;
    download.server.route(QStringLiteral("/file"), Response::generated(size).slow(1000, 20));
    download.client.TimeOut = 300;
    QSignalSpy sent(&download.server, &LoopbackHttpServer::responseSent);

    // The box's event loop runs inside the asking code until it is answered.
    int asked = 0;
    bool cancelRequested = false;
    auto ask = [&] {
        if (asked > 0)
            return;
        ++asked;
        runNestedEventLoop([&] {
            if (!cancel)
                QVERIFY(QTest::qWaitFor([&] { return sent.count() == 1; }));
        });
        cancelRequested = cancel;
    };
    connect(&download.client, &THttpClient::PacketReceived, &download.client, [&] {
        if (fromPacketHandler)
            ask();
        if (cancelRequested)
            download.client.Abort();
    });
    if (!fromPacketHandler)
        QTimer::singleShot(30, &download.client, ask);

    const bool completed = download.client.Get(download.server.url(QStringLiteral("/file")));
    QCOMPARE(asked, 1);
    QCOMPARE(completed, !cancel);
    if (cancel) {
        QCOMPARE(download.client.error(), THttpClient::Error::Aborted);
        QVERIFY(download.client.bytesReceived() < size);
    } else {
        QCOMPARE(download.client.error(), THttpClient::Error::None);
        QCOMPARE(download.client.bodySha256(),
                 QCryptographicHash::hash(Response::generatedBytes(0, size), QCryptographicHash::Sha256));
        QCOMPARE(fileBytesOrMissing(download.client.Body).size(), size);
    }
}

void TestHttpClient::secondGetFromAHandlerIsRefused()
{
    Download download;
    download.server.route(QStringLiteral("/file"), Response::generated(5000).slow(1000, 10));
    download.server.route(QStringLiteral("/other"), Response::text("other"));
    QList<bool> nested;
    connect(&download.client, &THttpClient::PacketReceived, &download.client,
            [&] { nested << download.client.Get(download.server.url(QStringLiteral("/other"))); });

    QVERIFY(download.client.Get(download.server.url(QStringLiteral("/file"))));
    QCOMPARE(nested, QList<bool>(5, false));
    QCOMPARE(fileBytesOrMissing(download.client.Body), Response::generatedBytes(0, 5000));
    QCOMPARE(download.server.requestedPaths(), QStringList{"/file"});
}

void TestHttpClient::clientDeletedFromAHandler()
{
    LoopbackHttpServer server;
    server.route(QStringLiteral("/file"), Response::generated(500000));
    QTemporaryDir dir;
    auto *client = new THttpClient;
    client->Body = dir.filePath(QStringLiteral("Default.htm"));
    QPointer<THttpClient> watch(client);
    connect(client, &THttpClient::PacketReceived, client, [client] { delete client; });

    QVERIFY(!client->Get(server.url(QStringLiteral("/file"))));
    QVERIFY(watch.isNull());

    // The network layer that was left behind goes quietly, and others work.
    THttpClient next;
    next.Body = dir.filePath(QStringLiteral("next"));
    QVERIFY(next.Get(server.url(QStringLiteral("/file"))));
    QCOMPARE(next.bytesReceived(), qint64(500000));
}

void TestHttpClient::largeBodyStreamsInBoundedMemory()
{
    const qint64 size = 200ll * 1024 * 1024;
    Download download;
    download.server.route(QStringLiteral("/big"), Response::generated(size));
    QCryptographicHash expected(QCryptographicHash::Sha256);
    for (qint64 offset = 0; offset < size; offset += 1 << 20)
        expected.addData(Response::generatedBytes(offset, 1 << 20));

    qint64 largestChunk = 0;
    qint64 previous = 0;
    const qint64 residentBefore = processStatusKiB("VmRSS:");
    qint64 residentPeak = residentBefore;
    connect(&download.client, &THttpClient::PacketReceived, &download.client, [&](qint64 received) {
        largestChunk = qMax(largestChunk, received - previous);
        previous = received;
        if (download.packets.size() % 64 == 0)
            residentPeak = qMax(residentPeak, processStatusKiB("VmRSS:"));
    });

    QVERIFY(download.client.Get(download.server.url(QStringLiteral("/big"))));
    QCOMPARE(download.client.bytesReceived(), size);
    QCOMPARE(download.client.contentLength(), size);
    QVERIFY2(largestChunk <= 65536, qPrintable(QString::number(largestChunk)));
    QCOMPARE(download.client.bodySha256(), expected.result());
    QFile file(download.client.Body);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCryptographicHash written(QCryptographicHash::Sha256);
    QVERIFY(written.addData(&file));
    QCOMPARE(written.result(), expected.result());
#ifndef __SANITIZE_ADDRESS__ // the sanitizer keeps freed memory in quarantine
    QVERIFY2(residentPeak - residentBefore < 64 * 1024, qPrintable(QString::number(residentPeak - residentBefore)));
#endif
}

QTEST_MAIN(TestHttpClient)
#include "tst_httpclient.moc"
