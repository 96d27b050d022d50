#include "net/TClientSocket.h"
#include "net/TServerSocket.h"

#include "support/ModalBoxAnswerer.h"
#include "support/UnexpectedBoxGuard.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

namespace {

// Connects a client to a server listening on a port of the system's choice.
struct Pair
{
    UnexpectedBoxGuard boxGuard;
    TServerSocket server;
    TClientSocket client;

    bool connect()
    {
        server.setPort(0);
        if (!server.activate())
            return false;
        client.setHost(QStringLiteral("127.0.0.1"));
        client.setPort(server.serverPort());
        QSignalSpy connected(&client, &TClientSocket::connected);
        client.open();
        return connected.wait() && QTest::qWaitFor([this] { return server.connectionCount() == 1; });
    }
};

quint16 portWithoutListener()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

class TestNetSockets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void secondClientIsSeenAndCanBeClosed();
    void countedReadLeavesTheRestForTheNextEvent();
    void peersLastMessageIsReadBeforeItLeavesTheList();
    void refusedConnectGoesToTheHandler();
    void unknownHostLeftUnhandledIsReported();
    void portInUseIsReported();
    void sendWithoutConnectionSendsNothing();
    void eventsArriveWhileAHandlersBoxIsOpen();
    void leaveHandledInsideABoxClosesEverythingSafely();
};

void TestNetSockets::secondClientIsSeenAndCanBeClosed()
{
    Pair pair;
    QVERIFY(pair.connect());
    int countSeen = 0;
    connect(&pair.server, &TServerSocket::clientConnected, this, [&](SocketConnection *connection) {
        countSeen = pair.server.connectionCount();
        QCOMPARE(pair.server.connection(1), connection);
        connection->close();
    });
    TClientSocket second;
    int errors = 0;
    connect(&second, &TClientSocket::error, this, [&](SocketConnection *, SocketErrorKind, int &) { ++errors; });
    second.setHost(QStringLiteral("127.0.0.1"));
    second.setPort(pair.server.serverPort());
    second.open();
    QTRY_COMPARE(countSeen, 2);
    QCOMPARE(pair.server.connectionCount(), 1);
    QTRY_VERIFY(!second.isActive());
    QCOMPARE(errors, 0);
    QCOMPARE(pair.client.sendText("1"), qint64(1));
}

void TestNetSockets::countedReadLeavesTheRestForTheNextEvent()
{
    Pair pair;
    QVERIFY(pair.connect());
    QList<QByteArray> reads;
    connect(&pair.client, &TClientSocket::readable, this, [&](SocketConnection *connection) {
        reads << (reads.isEmpty() ? connection->receiveBuf(20) : connection->receiveText());
    });
    const QByteArray record = QByteArray(20, '\x01') + "<>abc";
    QCOMPARE(pair.server.connection(0)->sendText(record), qint64(25));
    QTRY_COMPARE(reads.size(), 2);
    QCOMPARE(reads.at(0), record.left(20));
    QCOMPARE(reads.at(1), record.mid(20));
}

void TestNetSockets::peersLastMessageIsReadBeforeItLeavesTheList()
{
    Pair pair;
    QVERIFY(pair.connect());
    ModalBoxAnswerer boxes;
    QList<QByteArray> reads;
    connect(&pair.server, &TServerSocket::clientReadable, this,
            [&](SocketConnection *connection) { reads << connection->receiveBuf(2); });
    pair.client.sendText("<>%%%");
    pair.client.close();
    QTRY_COMPARE(pair.server.connectionCount(), 0);
    QCOMPARE(reads, QList<QByteArray>({"<>", "%%", "%"}));
    QVERIFY(pair.server.isActive());
    QCOMPARE(boxes.count(), 0);
}

void TestNetSockets::refusedConnectGoesToTheHandler()
{
    ModalBoxAnswerer boxes;
    TClientSocket client;
    QList<SocketErrorKind> kinds;
    connect(&client, &TClientSocket::error, this, [&](SocketConnection *, SocketErrorKind kind, int &code) {
        kinds << kind;
        code = 0;
    });
    client.setHost(QStringLiteral("127.0.0.1"));
    client.setPort(portWithoutListener());
    client.open();
    QVERIFY(client.isActive());
    QTRY_COMPARE(kinds, QList<SocketErrorKind>{SocketErrorKind::Connect});
    QTRY_VERIFY(!client.isActive());
    QCOMPARE(boxes.count(), 0);
}

void TestNetSockets::unknownHostLeftUnhandledIsReported()
{
    ModalBoxAnswerer boxes;
    TClientSocket client;
    QList<SocketErrorKind> kinds;
    connect(&client, &TClientSocket::error, this, [&](SocketConnection *, SocketErrorKind kind, int &code) {
        kinds << kind;
        QVERIFY(code != 0);
    });
    client.setHost(QStringLiteral("lettrisko-test.invalid"));
    client.open();
    QTRY_COMPARE_WITH_TIMEOUT(boxes.count(), 1, 30000);
    QCOMPARE(kinds, QList<SocketErrorKind>{SocketErrorKind::Lookup});
    QCOMPARE(boxes.last().title, QStringLiteral("Netzwerkfehler"));
    QVERIFY2(boxes.last().text.startsWith(QStringLiteral("Socket-Fehler: ")), qPrintable(boxes.last().text));
    QVERIFY(boxes.last().text.endsWith(QStringLiteral("beim Aufruf 'getaddrinfo'")));
    QTRY_VERIFY(!client.isActive());
}

void TestNetSockets::portInUseIsReported()
{
    TServerSocket first;
    first.setPort(0);
    QVERIFY(first.activate());
    ModalBoxAnswerer boxes;
    TServerSocket second;
    second.setPort(first.serverPort());
    QVERIFY(!second.activate());
    QCOMPARE(boxes.count(), 1);
    QVERIFY2(boxes.last().text.endsWith(QStringLiteral("beim Aufruf 'listen'")), qPrintable(boxes.last().text));
    QVERIFY(!second.isActive());
}

void TestNetSockets::sendWithoutConnectionSendsNothing()
{
    ModalBoxAnswerer boxes;
    Pair pair;
    QCOMPARE(pair.client.sendText("1"), qint64(0));
    pair.server.setPort(0);
    QVERIFY(pair.server.activate());
    pair.client.setHost(QStringLiteral("127.0.0.1"));
    pair.client.setPort(pair.server.serverPort());
    pair.client.open();
    QCOMPARE(pair.client.sendText("1"), qint64(0)); // still connecting

    QTRY_COMPARE(pair.server.connectionCount(), 1);
    QPointer<SocketConnection> atServer = pair.server.connection(0);
    atServer->close();
    QCOMPARE(atServer->sendText("%"), qint64(0));
    QTRY_VERIFY(!pair.client.isActive());
    QCOMPARE(pair.client.sendText("%"), qint64(0));
    QTRY_VERIFY(atServer.isNull());
    QCOMPARE(boxes.count(), 0);
}

// The participant's "Angemeldet" box: the host's settings arrive and are
// handled while it is still open.
void TestNetSockets::eventsArriveWhileAHandlersBoxIsOpen()
{
    Pair pair;
    QVERIFY(pair.connect());
    QStringList handled;
    connect(&pair.client, &TClientSocket::readable, this, [&](SocketConnection *connection) {
        handled << QString::fromLatin1(connection->receiveText());
        if (handled.size() == 1)
            QMessageBox::information(nullptr, QStringLiteral("Angemeldet"), QStringLiteral("..."));
    });
    ModalBoxAnswerer boxes;
    boxes.setWhileOpen([&] {
        pair.server.connection(0)->sendText("settings");
        QTRY_COMPARE(handled.size(), 2);
    });
    pair.server.connection(0)->sendText("greeting");
    QTRY_COMPARE(boxes.count(), 1);
    QCOMPARE(handled, QStringList({QStringLiteral("greeting"), QStringLiteral("settings")}));
}

// The host reads the peer's leave, shows a box during which the peer's
// connection goes away, then closes everything from inside the handler.
void TestNetSockets::leaveHandledInsideABoxClosesEverythingSafely()
{
    Pair pair;
    QVERIFY(pair.connect());
    bool handlerFinished = false;
    connect(&pair.server, &TServerSocket::clientReadable, this, [&](SocketConnection *connection) {
        if (connection->receiveText() != "<>")
            return;
        QMessageBox::information(nullptr, QStringLiteral("Mitspieler hat das Spiel beendet"), QString());
        if (pair.server.connectionCount() > 0)
            pair.server.connection(0)->close();
        pair.server.deactivate();
        // Still a valid object until the handler has returned.
        QCOMPARE(connection->bytesWaiting(), qint64(0));
        QCOMPARE(connection->sendText("x"), qint64(0));
        handlerFinished = true;
    });
    ModalBoxAnswerer boxes;
    boxes.setWhileOpen([&] { QTRY_COMPARE(pair.server.connectionCount(), 0); });
    pair.client.sendText("<>");
    pair.client.close();
    QTRY_VERIFY(handlerFinished);
    QVERIFY(!pair.server.isActive());
    QCOMPARE(boxes.count(), 1);
}

QTEST_MAIN(TestNetSockets)
#include "tst_netsockets.moc"
