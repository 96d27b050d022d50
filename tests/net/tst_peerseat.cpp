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
// seat over a real link on loopback. The peer's moves reach the seat as the
// network session hands them over (p:w:WORD, p:+, p:x, p:- for its leave);
// the other link stands for the peer and reads what the host sends a byte
// at a time. The host's own moves: w:WORD, +, x, and > for the result seen.
// Answers as in tst_matchstate (W S h m w p, H the given letter, E N).
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
        << "w:haus p:+ p:a p:x" << "W H S h m" << "haus" << Stage::Guessing;
    QTest::newRow("a word of the peer's while the last turn is still shown is not taken")
        << "w:ab p:+ p:b p:w:cd" << "W H S w E" << "ab" << Stage::TurnOver;
    QTest::newRow("the peer's word once the result was seen; the host's counted guesses go out, the peer's are void")
        << "w:ab p:+ p:b > w:xy p:w:c1 p:w:cd + c p:x d" << "W H S w E N W H S p w E" << "ab1d" << Stage::TurnOver;
    QTest::newRow("the peer's leave ends the match where it stands")
        << "w:haus p:+ p:-" << "W H S" << "haus" << Stage::Idle;
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
    match.start(GameSettings(), QStringLiteral("Anna"), QStringLiteral("Bert"), keyboard, seat);

    for (const QString &step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step == QLatin1String(">"))
            match.nextTurn();
        else if (step.startsWith(QLatin1String("w:")))
            keyboard->setWord(step.mid(2));
        else if (step == QLatin1String("+"))
            keyboard->startTurn();
        else if (step.size() == 1)
            keyboard->guess(step.at(0));
        else if (step.startsWith(QLatin1String("p:w:")))
            seat->peerSendsWord(step.mid(4));
        else if (step == QLatin1String("p:+"))
            seat->peerStarts();
        else if (step == QLatin1String("p:-"))
            seat->peerLeaves();
        else
            seat->peerGuesses(step.at(2));
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
