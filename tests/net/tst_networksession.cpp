// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Two sessions in one process, host and participant over 127.0.0.1, with
// no window: what each tells its window, and how each ends.
#include "game/KeyboardSeat.h"
#include "net/NetworkSession.h"
#include "net/TClientSocket.h"

#include "support/OfflineNames.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

// One computer: its match, its session and what the session told it.
struct Side
{
    MatchState match;
    NetworkSession session{match};
    QStringList told;
    // The player's answers to the password query, in turn; "" cancels.
    // None left: the query stays open.
    QStringList passwords;
    QPointer<KeyboardSeat> keyboard;

    Side()
    {
        // The window's network page has been entered.
        match.setNetworkGame(true, false);
        QObject::connect(&session, &NetworkSession::passwordWanted, &session, [this](const QString &entry) {
            told << "password? " + entry;
            answerLater();
        });
        QObject::connect(&session, &NetworkSession::passwordWrong, &session, [this](const QString &entry) {
            told << "wrong " + entry;
            answerLater();
        });
        QObject::connect(&session, &NetworkSession::loggedIn, &session,
                         [this](const QString &n) { told << "logged in at " + n; });
        QObject::connect(&session, &NetworkSession::participantLoggedIn, &session,
                         [this](const QString &n) { told << n + " logged in"; });
        QObject::connect(&session, &NetworkSession::settingsReceived, &session,
                         [this](const SettingsRecord &r) { told << QStringLiteral("settings %1").arg(r.Rounds); });
        QObject::connect(&session, &NetworkSession::peerReady, &session, [this] { told << "ready"; });
        QObject::connect(&session, &NetworkSession::wordEntryChanged, &session,
                         [this](NetworkSession::WordEntry e) { told << QStringLiteral("entry %1").arg(int(e)); });
        QObject::connect(&session, &NetworkSession::peerLeft, &session,
                         [this](const QString &n) { told << n + " left"; });
        QObject::connect(&session, &NetworkSession::failed, &session, [this](const LinkFailure &f) {
            told << QStringLiteral("failed %1 %2 %3").arg(f.kind).arg(f.stage).arg(int(f.phase));
        });
    }

    // As a window would, once its player has closed the query.
    void answerLater()
    {
        if (passwords.isEmpty())
            return;
        const QString entry = passwords.takeFirst();
        QMetaObject::invokeMethod(&session, [this, entry] {
            entry.isEmpty() ? session.cancelPassword() : session.answerPassword(entry);
        }, Qt::QueuedConnection);
    }

    // As the window starts a match: the keyboard at this computer's
    // player's place, the peer's seat at the other.
    void start(const GameSettings &settings)
    {
        keyboard = new KeyboardSeat(match);
        Seat *seats[] = {keyboard, keyboard};
        seats[1 - match.localSeat()] = session.newSeat();
        match.start(settings, QStringLiteral("Anna"), QStringLiteral("Bert"), seats[0], seats[1]);
    }

    void guess(const QString &keys)
    {
        for (QChar key : keys)
            keyboard->guess(key);
    }
};

enum Point { PasswordAsked, LoginShown, SettingsShown, HostSets, TurnRunning, LastTurnOver };

GameSettings oneRound()
{
    GameSettings settings;
    settings.Rounds = 1;
    settings.SetFirstLetter = false;
    return settings;
}

} // namespace

class TestNetworkSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TClientSocket::setSocketFactory(offlineTcpSocket); }
    void init();
    void login_data();
    void login();
    void ending_data();
    void ending();
    void foulPeer_data();
    void foulPeer();

private:
    void reach(Point point);

    std::unique_ptr<Side> m_host;
    std::unique_ptr<Side> m_participant;
};

void TestNetworkSession::init()
{
    m_host = std::make_unique<Side>();
    m_participant = std::make_unique<Side>();
    m_host->session.setPort(0);
}

// Both computers up to a point of the match, each player answering at once.
void TestNetworkSession::reach(Point point)
{
    Side &host = *m_host;
    Side &participant = *m_participant;
    QVERIFY(host.session.host(QStringLiteral("Anna"), point == PasswordAsked ? QStringLiteral("Geheim") : QString()));
    participant.session.setPort(host.session.serverPort());
    participant.session.join(QStringLiteral("127.0.0.1"), QStringLiteral("Bert"));
    if (point == PasswordAsked) {
        QTRY_COMPARE(participant.session.handshake(), NetworkSession::Handshake::PasswordWanted);
        return;
    }
    QTRY_COMPARE(host.session.handshake(), NetworkSession::Handshake::LoginShown);
    if (point == LoginShown)
        return;
    QVERIFY(host.session.confirmLogin(SettingsRecord::fromSettings(oneRound())));
    host.start(oneRound());
    QTRY_COMPARE(participant.session.handshake(), NetworkSession::Handshake::SettingsShown);
    if (point == SettingsShown)
        return;
    QVERIFY(participant.session.confirmSettings());
    participant.start(oneRound());
    QTRY_COMPARE(host.session.phase(), NetPhase::AwaitingStart);
    if (point == HostSets)
        return;
    host.keyboard->setWord(QStringLiteral("Haus"));
    QTRY_COMPARE(participant.session.phase(), NetPhase::TurnRunning);
    participant.keyboard->startTurn();
    QTRY_COMPARE(host.session.phase(), NetPhase::TurnRunning);
    if (point == TurnRunning)
        return;
    // Bert guesses Anna's word, leaves the statistics first and sets next.
    participant.guess(QStringLiteral("haus"));
    QTRY_COMPARE(host.match.stage(), MatchState::Stage::TurnOver);
    QVERIFY(participant.match.nextTurn());
    QVERIFY(host.match.nextTurn());
    QTRY_COMPARE(participant.session.phase(), NetPhase::AwaitingStart);
    participant.keyboard->setWord(QStringLiteral("Baum"));
    QTRY_COMPARE(host.session.phase(), NetPhase::TurnRunning);
    host.keyboard->startTurn();
    QTRY_COMPARE(participant.session.phase(), NetPhase::TurnRunning);
    host.guess(QStringLiteral("baum"));
    QTRY_VERIFY(participant.match.lastTurnPlayed());
    // Bert waits for Anna to leave hers (2), then types (0); Anna waits for his word (1).
    QCOMPARE(participant.told.mid(2), QStringList({"entry 2", "entry 0"}));
    QCOMPARE(host.told.mid(1), QStringList({"ready", "entry 1"}));
}

void TestNetworkSession::login_data()
{
    QTest::addColumn<QString>("hostName");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("participantTold");

    QTest::newRow("no password: no query") << "Anna" << "" << QStringList()
                                           << QStringList{"logged in at Anna", "settings 1"};
    QTest::newRow("wrong case, then right")
        << "Anna" << "Geheim" << QStringList{"geheim", "Geheim"}
        << QStringList{"password? ", "wrong geheim", "logged in at Anna", "settings 1"};
    QTest::newRow("a colon in the host's nickname ends up in the password")
        << "Dr:No" << "x" << QStringList{"x", "No:x"}
        << QStringList{"password? ", "wrong x", "logged in at Dr", "settings 1"};
    // Nothing is sent: the host waits until its patience runs out.
    QTest::newRow("query cancelled")
        << "Anna" << "Geheim" << QStringList{""}
        << QStringList{"password? ",
                       QStringLiteral("failed %1 %2 0").arg(LinkFailure::Closed).arg(LinkFailure::LoggingIn)};
}

void TestNetworkSession::login()
{
    QFETCH(QString, hostName);
    QFETCH(QString, password);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, participantTold);

    m_host->session.setLoginPatience(200, 200);
    QVERIFY(m_host->session.host(hostName, password));
    m_participant->passwords = typed;
    m_participant->session.setPort(m_host->session.serverPort());
    m_participant->session.join(QStringLiteral("127.0.0.1"), QStringLiteral("Bert"));
    // The host's player confirms the login box some time after it opened.
    connect(&m_host->session, &NetworkSession::participantLoggedIn, this, [&] {
        QMetaObject::invokeMethod(this, [&] {
            QVERIFY(m_host->session.confirmLogin(SettingsRecord::fromSettings(oneRound())));
        }, Qt::QueuedConnection);
    });
    QTRY_COMPARE(m_participant->told, participantTold);
    const bool loggedIn = participantTold.contains("settings 1");
    QCOMPARE(m_host->told, loggedIn ? QStringList{"Bert logged in"} : QStringList());
    QCOMPARE(m_participant->session.phase(), loggedIn ? NetPhase::AwaitingWord : NetPhase::Connecting);
    QCOMPARE(m_host->session.phase(), loggedIn ? NetPhase::LoggedIn : NetPhase::Connecting);
    // A late answer finds nobody to log in to.
    m_participant->session.answerPassword(password);
    QCOMPARE(m_participant->told, participantTold);
}

void TestNetworkSession::ending_data()
{
    QTest::addColumn<Point>("point");
    QTest::addColumn<bool>("hostEnds");
    QTest::addColumn<QString>("how"); // leave, close, abort
    QTest::addColumn<QString>("told"); // the other side; "" nothing

    const auto failed = [](LinkFailure::Kind kind, LinkFailure::Stage stage, NetPhase phase) {
        return QStringLiteral("failed %1 %2 %3").arg(kind).arg(stage).arg(int(phase));
    };
    QTest::newRow("host goes while the password is asked")
        << PasswordAsked << true << "leave" << failed(LinkFailure::Closed, LinkFailure::LoggingIn, NetPhase::Connecting);
    QTest::newRow("participant leaves while the host's login box is open")
        << LoginShown << false << "leave" << "Bert left";
    QTest::newRow("host leaves before sending the settings") << LoginShown << true << "leave" << "Anna left";
    QTest::newRow("host breaks down before sending the settings")
        << LoginShown << true << "abort" << failed(LinkFailure::Closed, LinkFailure::Playing, NetPhase::LoggedIn);
    QTest::newRow("participant leaves on the settings") << SettingsShown << false << "leave" << "Bert left";
    QTest::newRow("participant breaks down on the settings")
        << SettingsShown << false << "abort" << failed(LinkFailure::Closed, LinkFailure::Playing, NetPhase::LoggedIn);
    QTest::newRow("host breaks down before its first word")
        << HostSets << true << "abort" << failed(LinkFailure::Closed, LinkFailure::Playing, NetPhase::AwaitingWord);
    QTest::newRow("participant leaves mid-turn") << TurnRunning << false << "leave" << "Bert left";
    QTest::newRow("participant breaks down mid-turn")
        << TurnRunning << false << "abort" << failed(LinkFailure::Closed, LinkFailure::Playing, NetPhase::TurnRunning);
    QTest::newRow("host goes after the last turn: the end, not a failure") << LastTurnOver << true << "close" << "";
}

void TestNetworkSession::ending()
{
    QFETCH(Point, point);
    QFETCH(bool, hostEnds);
    QFETCH(QString, how);
    QFETCH(QString, told);

    reach(point);
    if (QTest::currentTestFailed())
        return;
    Side &ending = hostEnds ? *m_host : *m_participant;
    Side &staying = hostEnds ? *m_participant : *m_host;
    staying.told.clear();
    if (how == QLatin1String("leave"))
        ending.session.leave();
    else if (how == QLatin1String("close"))
        ending.session.close();
    else
        ending.session.findChild<QTcpSocket *>()->abort();

    QTRY_VERIFY(!staying.session.isConnected());
    QTRY_COMPARE(staying.told.join('|'), told);
    QCOMPARE(staying.session.handshake(), NetworkSession::Handshake::Idle);
    QCOMPARE(staying.session.phase(), NetPhase::Connecting);
    // The host's player confirms the login after the participant has gone:
    // no settings go out, and the match is not started.
    QVERIFY(!staying.session.confirmLogin(SettingsRecord()));
    QVERIFY(!staying.session.confirmSettings());
    // A host that has lost its participant takes no other for this match.
    if (!hostEnds)
        QVERIFY(!m_host->session.isListening());
}

void TestNetworkSession::foulPeer_data()
{
    QTest::addColumn<bool>("peerHosts");
    // Each written once the session has told something of the last.
    QTest::addColumn<QByteArrayList>("writes");
    QTest::addColumn<QString>("lastTold");
    QTest::addColumn<QByteArray>("heard");

    const QByteArray nickname(NetProtocol::MaxNicknameLength, 'N');
    const QString foul = QStringLiteral("failed %1 %2 ").arg(LinkFailure::ProtocolError);
    QTest::newRow("the longest nickname, no password")
        << true << QByteArrayList{nickname + ':'} << "logged in at " + QString::fromLatin1(nickname)
        << QByteArray("Bert");
    QTest::newRow("the longest nickname and password")
        << true << QByteArrayList{nickname + ':' + QByteArray(NetProtocol::MaxPasswordLength, 'P')} << "password? "
        << QByteArray();
    QTest::newRow("a flood at the greeting, all nickname")
        << true << QByteArrayList{QByteArray(NetProtocol::MaxGreetingLength + 1000, 'N')}
        << foul.arg(LinkFailure::LoggingIn) + "0"
        << QByteArray();
    QTest::newRow("a ready before the settings went out")
        << false << QByteArrayList{"Bert", "1"} << foul.arg(LinkFailure::Playing) + "1" << QByteArray("Anna:");
}

// A program on the other side that speaks the bytes but plays foul.
void TestNetworkSession::foulPeer()
{
    QFETCH(bool, peerHosts);
    QFETCH(QByteArrayList, writes);
    QFETCH(QString, lastTold);
    QFETCH(QByteArray, heard);

    QTcpServer hostProgram;
    std::unique_ptr<QTcpSocket> peer;
    Side &side = peerHosts ? *m_participant : *m_host;
    if (peerHosts) {
        QVERIFY(hostProgram.listen(QHostAddress::LocalHost));
        side.session.setPort(hostProgram.serverPort());
        side.session.join(QStringLiteral("127.0.0.1"), QStringLiteral("Bert"));
        QTRY_VERIFY(hostProgram.hasPendingConnections());
        peer.reset(hostProgram.nextPendingConnection());
    } else {
        QVERIFY(side.session.host(QStringLiteral("Anna"), QString()));
        peer = std::make_unique<QTcpSocket>();
        peer->connectToHost(QHostAddress::LocalHost, side.session.serverPort());
    }
    QByteArray heardSoFar;
    for (const QByteArray &bytes : writes) {
        const qsizetype told = side.told.size();
        QTRY_VERIFY(peer->state() == QAbstractSocket::ConnectedState);
        peer->write(bytes);
        QTRY_VERIFY(side.told.size() > told);
    }
    // However the flood was cut into reads, it ends in a protocol error.
    QCOMPARE(side.told.last(), lastTold);
    QTRY_COMPARE((heardSoFar += peer->readAll()), heard);
}

QTEST_GUILESS_MAIN(TestNetworkSession)
#include "tst_networksession.moc"
