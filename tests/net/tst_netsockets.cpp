// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/PeerLink.h"
#include "net/TClientSocket.h"
#include "net/TServerSocket.h"

#include "support/NestedEventLoop.h"
#include "support/OfflineNames.h"

#include <QNetworkInterface>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <memory>

namespace {

// Connects a client to a server listening on a port of the system's choice.
struct Pair
{
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

int socketOption(qintptr descriptor, int level, int option)
{
    int value = -1;
    socklen_t size = sizeof value;
    return getsockopt(int(descriptor), level, option, &value, &size) == 0 ? value : -1;
}

// The test run names it when it gives the tests a network of their own;
// else one of this computer's addresses.
QString ownAddress()
{
    const QString given = qEnvironmentVariable("LETTRISKO_TEST_OWN_ADDRESS");
    if (!given.isEmpty())
        return given;
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (!address.isLoopback() && !address.isLinkLocal() && address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toString();
    }
    return QString();
}

quint16 portWithoutListener()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// A run of the same event is noted once, with its count: "guess x ×3".
void note(QStringList &seen, const QString &event)
{
    const QString times = QStringLiteral(" ×");
    if (!seen.isEmpty()) {
        QString &last = seen.last();
        const qsizetype at = last.lastIndexOf(times);
        if ((at < 0 ? last : last.left(at)) == event) {
            last = event + times + QString::number((at < 0 ? 1 : last.mid(at + times.size()).toInt()) + 1);
            return;
        }
    }
    seen << event;
}

// The host's patience with a participant that does not log in: short
// without a password, and so long with one that no test waits for it.
constexpr int ShortPatienceMs = 150;
constexpr int LongPatienceMs = 60 * 1000;

} // namespace

class TestNetSockets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void secondClientIsSeenAndCanBeClosed();
    void countedReadLeavesTheRestForTheNextEvent();
    void peersLastMessageIsReadBeforeItLeavesTheList();
    void connectFailureGoesToTheHandler_data();
    void connectFailureGoesToTheHandler();
    void portInUseIsTold();
    void linkFailureTellsWhatEnded_data();
    void linkFailureTellsWhatEnded();
    void sendWithoutConnectionSendsNothing();
    void eventsArriveWhileAHandlersBoxIsOpen();
    void leaveHandledInsideABoxClosesEverythingSafely();
    void linkReads_data();
    void linkReads();
    void loginPatience_data();
    void loginPatience();
    void joinsThrough_data();
    void joinsThrough();
};

void TestNetSockets::initTestCase()
{
    TClientSocket::setSocketFactory(offlineTcpSocket);
}

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
    connect(&second, &TClientSocket::error, this, [&] { ++errors; });
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
    QList<QByteArray> reads;
    connect(&pair.server, &TServerSocket::clientReadable, this,
            [&](SocketConnection *connection) { reads << connection->receiveBuf(2); });
    pair.client.sendText("<>%%%");
    pair.client.close();
    QTRY_COMPARE(pair.server.connectionCount(), 0);
    QCOMPARE(reads, QList<QByteArray>({"<>", "%%", "%"}));
    QVERIFY(pair.server.isActive());
}

// The sockets show nothing themselves (they link no widget): the window
// says it in German.
void TestNetSockets::connectFailureGoesToTheHandler_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("closedPort");
    QTest::addColumn<QAbstractSocket::SocketError>("error");
    QTest::newRow("refused") << "127.0.0.1" << true << QAbstractSocket::ConnectionRefusedError;
    QTest::newRow("unknown host") << "lettrisko-test.invalid" << false << QAbstractSocket::HostNotFoundError;
}

void TestNetSockets::connectFailureGoesToTheHandler()
{
    QFETCH(QString, host);
    QFETCH(bool, closedPort);
    QFETCH(QAbstractSocket::SocketError, error);

    TClientSocket client;
    QList<QAbstractSocket::SocketError> kinds;
    connect(&client, &TClientSocket::error, this,
            [&](SocketConnection *, QAbstractSocket::SocketError kind) { kinds << kind; });
    client.setHost(host);
    if (closedPort)
        client.setPort(portWithoutListener());
    client.open();
    QVERIFY(client.isActive());
    // Refused at once, and the name is looked up here: no server's patience.
    QTRY_COMPARE_WITH_TIMEOUT(kinds, QList<QAbstractSocket::SocketError>{error}, 2000);
    QTRY_VERIFY(!client.isActive());
}

void TestNetSockets::portInUseIsTold()
{
    TServerSocket first;
    first.setPort(0);
    QVERIFY(first.activate());
    TServerSocket second;
    second.setPort(first.serverPort());
    QVERIFY(!second.activate());
    QCOMPARE(second.serverError(), QAbstractSocket::AddressInUseError);
    QVERIFY(!second.isActive());
}

// What the link says when it cannot be made or goes down: a computer that
// is not there, nobody listening on it, a host that turns the participant
// away, that drops it before its login, or that vanishes in the match are
// each told apart, for the window words each differently.
void TestNetSockets::linkFailureTellsWhatEnded_data()
{
    QTest::addColumn<QString>("host"); // what the other end does
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("stage");

    QTest::newRow("no computer of that name") << "unknown" << int(LinkFailure::HostNotFound) << int(LinkFailure::Opening);
    QTest::newRow("nobody listening there") << "closed port" << int(LinkFailure::Refused) << int(LinkFailure::Opening);
    QTest::newRow("the port taken by another program")
        << "port taken" << int(LinkFailure::AddressInUse) << int(LinkFailure::Opening);
    QTest::newRow("closed before any greeting") << "turns away" << int(LinkFailure::TurnedAway)
                                                << int(LinkFailure::LoggingIn);
    QTest::newRow("closed after the greeting, before the login")
        << "greets, closes" << int(LinkFailure::Closed) << int(LinkFailure::LoggingIn);
    QTest::newRow("gone in the match") << "logged in, closes" << int(LinkFailure::Closed) << int(LinkFailure::Playing);
}

void TestNetSockets::linkFailureTellsWhatEnded()
{
    QFETCH(QString, host);
    QFETCH(int, kind);
    QFETCH(int, stage);

    PeerLink link;
    QList<LinkFailure> failures;
    connect(&link, &PeerLink::failed, this, [&](const LinkFailure &failure) { failures << failure; });
    QTcpServer rawHost;
    QVERIFY(rawHost.listen(QHostAddress::LocalHost));
    if (host == QLatin1String("port taken")) {
        link.setPort(rawHost.serverPort());
        QVERIFY(!link.host());
    } else if (host == QLatin1String("unknown")) {
        link.join(QStringLiteral("lettrisko-test.invalid"));
    } else if (host == QLatin1String("closed port")) {
        link.setPort(portWithoutListener());
        link.join(QStringLiteral("127.0.0.1"));
    } else {
        link.setPort(rawHost.serverPort());
        QSignalSpy greeted(&link, &PeerLink::greetingReceived);
        link.join(QStringLiteral("127.0.0.1"));
        QTRY_VERIFY(rawHost.hasPendingConnections());
        std::unique_ptr<QTcpSocket> raw(rawHost.nextPendingConnection());
        QTRY_VERIFY(link.isConnected());
        if (host != QLatin1String("turns away")) {
            raw->write("Anna");
            QVERIFY(greeted.wait());
        }
        if (host == QLatin1String("logged in, closes")) {
            QVERIFY(link.sendLogin(QStringLiteral("Bert")));
            // As the network session moves the phase on after its login.
            link.setPhase(NetPhase::LoggedIn);
        }
        raw->close();
    }
    QTRY_COMPARE_WITH_TIMEOUT(failures.size(), 1, 2000);
    QCOMPARE(int(failures.first().kind), kind);
    QCOMPARE(int(failures.first().stage), stage);
    QVERIFY(!link.isConnected());
}

void TestNetSockets::sendWithoutConnectionSendsNothing()
{
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
}

// The participant's "Angemeldet" box: the host's settings arrive and are
// handled while the box's event loop runs inside the handler.
void TestNetSockets::eventsArriveWhileAHandlersBoxIsOpen()
{
    Pair pair;
    QVERIFY(pair.connect());
    QStringList handled;
    int boxes = 0;
    connect(&pair.client, &TClientSocket::readable, this, [&](SocketConnection *connection) {
        handled << QString::fromLatin1(connection->receiveText());
        if (handled.size() == 1) {
            ++boxes;
            runNestedEventLoop([&] {
                pair.server.connection(0)->sendText("settings");
                QTRY_COMPARE(handled.size(), 2);
            });
        }
    });
    pair.server.connection(0)->sendText("greeting");
    QTRY_COMPARE(boxes, 1);
    QCOMPARE(handled, QStringList({QStringLiteral("greeting"), QStringLiteral("settings")}));
}

// The host reads the peer's leave, shows a box during which the peer's
// connection goes away, then closes everything from inside the handler.
void TestNetSockets::leaveHandledInsideABoxClosesEverythingSafely()
{
    Pair pair;
    QVERIFY(pair.connect());
    bool handlerFinished = false;
    int boxes = 0;
    connect(&pair.server, &TServerSocket::clientReadable, this, [&](SocketConnection *connection) {
        if (connection->receiveText() != "<>")
            return;
        ++boxes;
        runNestedEventLoop([&] { QTRY_COMPARE(pair.server.connectionCount(), 0); });
        if (pair.server.connectionCount() > 0)
            pair.server.connection(0)->close();
        pair.server.deactivate();
        // Still a valid object until the handler has returned.
        QCOMPARE(connection->bytesWaiting(), qint64(0));
        QCOMPARE(connection->sendText("x"), qint64(0));
        handlerFinished = true;
    });
    pair.client.sendText("<>");
    pair.client.close();
    QTRY_VERIFY(handlerFinished);
    QVERIFY(!pair.server.isActive());
    QCOMPARE(boxes, 1);
}

void TestNetSockets::linkReads_data()
{
    QTest::addColumn<bool>("linkHosts");
    QTest::addColumn<NetPhase>("phase");
    QTest::addColumn<QByteArray>("bytes");
    // Sent while a box, opened on the first message, is open; the first
    // read's messages but one still wait meanwhile.
    QTest::addColumn<QByteArray>("whileBoxOpen");
    QTest::addColumn<QStringList>("events");

    const QString protocolError = QStringLiteral("failed %1").arg(LinkFailure::ProtocolError);
    const QByteArray longest(NetProtocol::MaxWordLength, 'A');
    const qsizetype bound = PeerReader::MaxPending;
    QTest::newRow("turn: guesses typed quickly, a turn over, the next word")
        << true << NetPhase::TurnRunning << QByteArray("hx%Haus") << QByteArray()
        << QStringList{"guess h", "guess x", "turn over", "word Haus"};
    QTest::newRow("settings: the record and a leave in one write")
        << false << NetPhase::LoggedIn << SettingsRecord::fromSettings(GameSettings()).encode() + "<>" << QByteArray()
        << QStringList{"settings 5", "leave"};
    QTest::newRow("a word as long as a word can be")
        << false << NetPhase::AwaitingWord << longest << QByteArray() << QStringList{"word " + longest};
    QTest::newRow("a word longer than a word can be")
        << false << NetPhase::AwaitingWord << longest + 'A' << QByteArray() << QStringList{protocolError};
    QTest::newRow("64 KiB at once, each a guess")
        << true << NetPhase::TurnRunning << QByteArray(bound, 'x') << QByteArray()
        << QStringList{QStringLiteral("guess x ×%1").arg(bound)};
    QTest::newRow("64 KiB and one byte at once, not one of them a guess")
        << true << NetPhase::TurnRunning << QByteArray(bound + 1, 'x') << QByteArray() << QStringList{protocolError};
    // 40000 bytes, one of them taken; the second read fills up to the
    // bound, or goes one byte past it.
    QTest::newRow("a second read up to 64 KiB waiting while a box is open")
        << true << NetPhase::TurnRunning << QByteArray(40000, 'x') << QByteArray(bound - 39999, 'x')
        << QStringList{QStringLiteral("guess x ×%1").arg(bound + 1)};
    QTest::newRow("a second read past 64 KiB waiting while a box is open")
        << true << NetPhase::TurnRunning << QByteArray(40000, 'x') << QByteArray(bound - 39999 + 1, 'x')
        << QStringList{"guess x", protocolError};
}

// Bytes from a real socket, all waiting when the link reads them.
void TestNetSockets::linkReads()
{
    QFETCH(bool, linkHosts);
    QFETCH(NetPhase, phase);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, whileBoxOpen);
    QFETCH(QStringList, events);

    PeerLink link;
    link.setPort(0);
    QTcpServer rawHost;
    std::unique_ptr<QTcpSocket> raw;
    if (linkHosts) {
        QVERIFY(link.host());
        raw = std::make_unique<QTcpSocket>();
        raw->connectToHost(QHostAddress::LocalHost, link.serverPort());
    } else {
        QVERIFY(rawHost.listen(QHostAddress::LocalHost));
        link.setPort(rawHost.serverPort());
        link.join(QStringLiteral("127.0.0.1"));
        QTRY_VERIFY(rawHost.hasPendingConnections());
        raw.reset(rawHost.nextPendingConnection());
    }
    QTRY_VERIFY(link.isConnected());
    link.setPhase(phase);

    QStringList seen;
    bool boxOpened = false;
    bool boxClosed = false;
    // The first message's handler holds a box open, as the window's do,
    // while more bytes arrive.
    const auto see = [&](const QString &event) {
        note(seen, event);
        if (whileBoxOpen.isEmpty() || boxOpened)
            return;
        boxOpened = true;
        runNestedEventLoop([&] {
            const QStringList before = seen;
            raw->write(whileBoxOpen);
            QVERIFY(raw->waitForBytesWritten(5000));
            QTRY_VERIFY(seen != before);
        });
        boxClosed = true;
    };
    connect(&link, &PeerLink::settingsReceived, this,
            [&](const SettingsRecord &record) { see(QStringLiteral("settings %1").arg(record.Rounds)); });
    connect(&link, &PeerLink::wordReceived, this, [&](const QString &word) { see(QStringLiteral("word ") + word); });
    connect(&link, &PeerLink::guessReceived, this, [&](QChar key) { see(QStringLiteral("guess ") + key); });
    connect(&link, &PeerLink::turnOverReceived, this, [&] {
        see(QStringLiteral("turn over"));
        link.setPhase(NetPhase::AwaitingWord);
    });
    connect(&link, &PeerLink::leaveReceived, this, [&] { see(QStringLiteral("leave")); });
    connect(&link, &PeerLink::failed, this,
            [&](const LinkFailure &failure) { see(QStringLiteral("failed %1").arg(failure.kind)); });
    raw->write(bytes);
    QVERIFY(raw->waitForBytesWritten(5000));
    if (whileBoxOpen.isEmpty())
        QTRY_COMPARE(seen, events);
    QTRY_COMPARE(boxClosed, !whileBoxOpen.isEmpty());
    QCOMPARE(seen, events);
}

void TestNetSockets::loginPatience_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("login");
    QTest::addColumn<bool>("dropped");

    QTest::newRow("no password, silent: dropped") << "" << QByteArray() << true;
    QTest::newRow("password asked, silent: given the longer patience") << "Geheim" << QByteArray() << false;
    QTest::newRow("logged in: kept past the patience") << "" << QByteArray("Bert") << false;
}

// The host greets each participant and waits a while for its login; a
// participant that logged in stays for the match.
void TestNetSockets::loginPatience()
{
    QFETCH(QString, password);
    QFETCH(QByteArray, login);
    QFETCH(bool, dropped);

    PeerLink link;
    link.setPort(0);
    link.setLoginPatience(ShortPatienceMs, LongPatienceMs);
    QVERIFY(link.host());
    connect(&link, &PeerLink::participantConnected, this, [&] { link.sendGreeting(QStringLiteral("Anna"), password); });
    QSignalSpy loggedIn(&link, &PeerLink::loginReceived);
    QTcpSocket participant;
    participant.connectToHost(QHostAddress::LocalHost, link.serverPort());
    QTRY_VERIFY(participant.bytesAvailable() > 0);
    participant.readAll();
    if (!login.isEmpty()) {
        participant.write(login);
        QVERIFY(loggedIn.wait());
    }

    if (dropped) {
        QTRY_COMPARE(participant.state(), QAbstractSocket::UnconnectedState);
        QVERIFY(!link.isConnected());
        return;
    }
    QTimer pastThePatience;
    pastThePatience.setSingleShot(true);
    QSignalSpy waited(&pastThePatience, &QTimer::timeout);
    pastThePatience.start(3 * ShortPatienceMs);
    QVERIFY(waited.wait());
    QCOMPARE(participant.state(), QAbstractSocket::ConnectedState);
    QVERIFY(link.isConnected());
}

void TestNetSockets::joinsThrough_data()
{
    QTest::addColumn<QString>("address");

    QTest::newRow("IPv4 loopback") << "127.0.0.1";
    QTest::newRow("IPv6 loopback in brackets, as web addresses write it") << " [::1] ";
    QTest::newRow("this computer's address on its network") << "own";
}

// The host listens on every address, and both ends of the connection
// probe a silent peer at the game's intervals.
void TestNetSockets::joinsThrough()
{
    QFETCH(QString, address);
    if (address == QLatin1String("own")) {
        address = ownAddress();
        if (address.isEmpty())
            QSKIP("this computer has no address beside loopback");
    }
    PeerLink host;
    host.setPort(0);
    QVERIFY(host.host());
    connect(&host, &PeerLink::participantConnected, this, [&] { host.sendGreeting(QStringLiteral("Anna"), QString()); });
    PeerLink participant;
    participant.setPort(host.serverPort());
    QSignalSpy greeted(&participant, &PeerLink::greetingReceived);
    participant.join(address);
    QVERIFY(greeted.wait());

    for (PeerLink *end : {&host, &participant}) {
        const QList<QTcpSocket *> sockets = end->findChildren<QTcpSocket *>();
        QCOMPARE(sockets.size(), 1);
        const qintptr descriptor = sockets.first()->socketDescriptor();
        QVERIFY(socketOption(descriptor, SOL_SOCKET, SO_KEEPALIVE) > 0);
        QCOMPARE(socketOption(descriptor, IPPROTO_TCP, TCP_KEEPIDLE), 10);
        QCOMPARE(socketOption(descriptor, IPPROTO_TCP, TCP_KEEPINTVL), 5);
        QCOMPARE(socketOption(descriptor, IPPROTO_TCP, TCP_KEEPCNT), 3);
    }
}

QTEST_MAIN(TestNetSockets)
#include "tst_netsockets.moc"
