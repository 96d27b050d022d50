// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/KeyboardSeat.h"
#include "net/PeerLink.h"
#include "net/PeerSeat.h"
#include "net/TClientSocket.h"

#include "support/OfflineNames.h"

#include <QSignalSpy>
#include <QTest>

// This computer, the host, plays its match with its keyboard and the peer's
// seat over a real link on loopback. The other link stands for the peer: it
// sends the peer's moves (ready, p:w:WORD, p:+, p:x, p:> for the result
// seen, p:- for its leave) and reads what the host sends a byte at a time.
// The host's own moves: w:WORD, +, x, and > for the result seen. Answers as
// in tst_matchstate (W S h m w p, H the given letter, E N), and the peer's
// seat: "ready", "?refused", "?unexpected", "peer types".
class TestPeerSeat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void moves_data();
    void moves();
};

void TestPeerSeat::initTestCase()
{
    TClientSocket::setSocketFactory(offlineTcpSocket);
}

void TestPeerSeat::moves_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<MatchState::Stage>("stage");

    using Stage = MatchState::Stage;
    QTest::newRow("its word goes out; the peer's start and guesses are answered, not sent back")
        << "ready w:haus p:+ p:a p:x" << "ready W H S h m" << "haus" << Stage::Guessing;
    QTest::newRow("a word of the peer's while the last turn is still shown breaks the rules")
        << "ready w:ab p:+ p:b p:> p:w:cd" << "ready W H S w E ?unexpected" << "ab" << Stage::TurnOver;
    QTest::newRow("the peer's word once both saw the result; the host's counted guesses go out, the peer's are void")
        << "ready w:ab p:+ p:b p:> > w:xy p:w:c1 p:w:cd + c p:x d"
        << "ready W H S w E N peer types ?refused W H S p w E" << "ab%1d" << Stage::TurnOver;
    QTest::newRow("the peer's leave ends the match where it stands")
        << "ready w:haus p:+ p:-" << "ready W H S" << "haus" << Stage::Idle;
}

void TestPeerSeat::moves()
{
    QFETCH(QString, steps);
    QFETCH(QString, answers);
    QFETCH(QString, sent);
    QFETCH(MatchState::Stage, stage);

    PeerLink here;
    here.setPort(0);
    QVERIFY(here.host());
    connect(&here, &PeerLink::participantConnected, this, [&] { here.sendGreeting(QStringLiteral("Anna"), {}); });
    PeerLink peer;
    QSignalSpy greeted(&peer, &PeerLink::greetingReceived);
    peer.setPort(here.serverPort());
    peer.join(QStringLiteral("127.0.0.1"));
    QVERIFY(greeted.wait());
    QSignalSpy loggedIn(&here, &PeerLink::loginReceived);
    peer.sendLogin(QStringLiteral("Bert"));
    QVERIFY(loggedIn.wait());

    QString peerRead;
    peer.setPhase(NetPhase::TurnRunning);
    connect(&peer, &PeerLink::guessReceived, this, [&](QChar c) { peerRead += c; });
    connect(&peer, &PeerLink::turnOverReceived, this, [&] { peerRead += QLatin1Char('%'); });
    connect(&peer, &PeerLink::leaveReceived, this, [&] { peerRead += QLatin1String("<>"); });
    int hereRead = 0;
    const auto count = [&] { ++hereRead; };
    for (auto signal : {&PeerLink::readyReceived, &PeerLink::startReceived, &PeerLink::turnOverReceived,
                        &PeerLink::leaveReceived})
        connect(&here, signal, this, count);
    connect(&here, &PeerLink::wordReceived, this, count);
    connect(&here, &PeerLink::guessReceived, this, count);

    MatchState match;
    match.setNetworkGame(true, true);
    QStringList seen;
    connect(&match, &MatchState::wordSet, this, [&] { seen << QStringLiteral("W"); });
    connect(&match, &MatchState::turnStarted, this, [&] { seen << QStringLiteral("S"); });
    connect(&match, &MatchState::guessAnswered, this, [&](int, QChar, Round::Guess result, bool atStart) {
        const QChar token = QLatin1Char("rphmwl"[int(result)]);
        seen << (atStart ? token.toUpper() : token);
    });
    connect(&match, &MatchState::turnEnded, this, [&] { seen << QStringLiteral("E"); });
    connect(&match, &MatchState::turnChanged, this, [&] { seen << QStringLiteral("N"); });
    auto *keyboard = new KeyboardSeat(match);
    auto *seat = new PeerSeat(here, match);
    connect(seat, &PeerSeat::peerReady, this, [&] { seen << QStringLiteral("ready"); });
    connect(seat, &PeerSeat::wordRefused, this, [&] { seen << QStringLiteral("?refused"); });
    connect(seat, &PeerSeat::wordUnexpected, this, [&] { seen << QStringLiteral("?unexpected"); });
    connect(seat, &PeerSeat::wordEntryChanged, this, [&] { seen << QStringLiteral("peer types"); });
    match.start(GameSettings(), QStringLiteral("Anna"), QStringLiteral("Bert"), keyboard, seat);

    for (const QString &step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int before = hereRead;
        if (step == QLatin1String(">"))
            match.nextTurn();
        else if (step == QLatin1String("ready"))
            peer.sendReady();
        else if (step.startsWith(QLatin1String("w:")))
            keyboard->setWord(step.mid(2));
        else if (step == QLatin1String("+"))
            keyboard->startTurn();
        else if (step.size() == 1)
            keyboard->guess(step.at(0));
        else if (step.startsWith(QLatin1String("p:w:")))
            peer.sendWord(step.mid(4));
        else if (step == QLatin1String("p:+"))
            peer.sendStart();
        else if (step == QLatin1String("p:>"))
            peer.sendTurnOver();
        else if (step == QLatin1String("p:-"))
            peer.sendLeave();
        else
            peer.sendGuess(step.at(2));
        if (step == QLatin1String("ready") || step.startsWith(QLatin1String("p:")))
            QTRY_COMPARE(hereRead, before + 1);
    }

    QCOMPARE(seen.join(QLatin1Char(' ')), answers);
    QCOMPARE(match.stage(), stage);
    // Whatever the host sent has arrived once its own leave has.
    here.sendLeave();
    QTRY_VERIFY(peerRead.endsWith(QLatin1String("<>")));
    QCOMPARE(peerRead.chopped(2), sent);
}

QTEST_GUILESS_MAIN(TestPeerSeat)
#include "tst_peerseat.moc"
