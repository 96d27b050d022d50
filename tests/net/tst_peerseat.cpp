// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/KeyboardSeat.h"
#include "net/PeerLink.h"
#include "net/PeerSeat.h"
#include "net/TClientSocket.h"

#include "support/OfflineNames.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

// This computer's match, with its keyboard and the peer's seat, over a real
// link to a second one on loopback. The second link stands for the peer:
// it sends the peer's moves, and reads what this computer sends a byte at
// a time, as it does while a turn runs.
//
// Steps, separated by blanks: the peer's moves p:w:WORD (its word), p:+
// (its start), p:x (its guess), p:> (it has seen the result), p:- (it
// leaves), "ready" (its ready after the settings); this computer's keyboard
// w:WORD, +, x, -, and > (this computer has seen the result).
// What this computer answers, in order: W word set, S turn started, the
// answer to a guess as h/m/w/l/r/p (upper case for the given first letter),
// E turn ended, N next turn; the peer's seat says "ready", "?refused" (a
// word against the rules), "?unexpected" (a word nobody asked of the peer)
// and who types the coming word ("open", "peer types", "peer on statistics").
class TestPeerSeat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void moves_data();
    void moves();
};

namespace {

QString answerToken(Round::Guess result, bool atStart)
{
    const QChar token = QLatin1Char("rphmwl"[int(result)]);
    return atStart ? QString(token.toUpper()) : QString(token);
}

const char *const kEntries[] = {"open", "peer types", "peer on statistics"};

} // namespace

void TestPeerSeat::initTestCase()
{
    TClientSocket::setSocketFactory(offlineTcpSocket);
}

void TestPeerSeat::moves_data()
{
    QTest::addColumn<bool>("host");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<MatchState::Stage>("stage");
    QTest::addColumn<NetPhase>("phase");

    using Stage = MatchState::Stage;
    QTest::newRow("host: its word goes out; the peer's start and guesses are answered, not sent back")
        << true << "ready w:haus p:+ p:a p:x p:a" << "ready W H S h m p" << "haus" << Stage::Guessing
        << NetPhase::TurnRunning;
    QTest::newRow("host: a word of the peer's while the last turn is still shown breaks the rules")
        << true << "ready w:ab p:+ p:b p:> p:w:cd" << "ready W H S w E ?unexpected" << "ab" << Stage::TurnOver
        << NetPhase::AwaitingWord;
    QTest::newRow("host: the peer's word once both have seen the result; its guesses are not taken")
        << true << "ready w:ab p:+ p:b p:> > p:w:cd + p:x d"
        << "ready W H S w E N peer types W H S w E" << "ab%1d" << Stage::TurnOver << NetPhase::TurnRunning;
    QTest::newRow("host: the peer's leave ends the match where it stands")
        << true << "ready w:haus p:+ p:-" << "ready W H S" << "haus" << Stage::Idle << NetPhase::TurnRunning;
    QTest::newRow("participant: the start and each counted guess go out, the given letter does not")
        << false << "p:w:haus + h a a x" << "W H S p h p m" << "1ax" << Stage::Guessing << NetPhase::TurnRunning;
    QTest::newRow("participant: a word against the rules is not played, the next one is")
        << false << "p:w:a1 p:w:haus" << "?refused W" << "" << Stage::AwaitingStart << NetPhase::TurnRunning;
    QTest::newRow("participant: its keyboard sets no word in the host's turn")
        << false << "w:maus p:w:haus" << "W" << "" << Stage::AwaitingStart << NetPhase::TurnRunning;
}

void TestPeerSeat::moves()
{
    QFETCH(bool, host);
    QFETCH(QString, steps);
    QFETCH(QString, answers);
    QFETCH(QString, sent);
    QFETCH(MatchState::Stage, stage);
    QFETCH(NetPhase, phase);

    const GameSettings settings;
    PeerLink here;
    PeerLink peer;
    PeerLink &listening = host ? here : peer;
    PeerLink &joining = host ? peer : here;
    listening.setPort(0);
    QVERIFY(listening.host());
    connect(&listening, &PeerLink::participantConnected, this,
            [&] { listening.sendGreeting(QStringLiteral("Anna"), QString()); });
    QSignalSpy greeted(&joining, &PeerLink::greetingReceived);
    joining.setPort(listening.serverPort());
    joining.join(QStringLiteral("127.0.0.1"));
    QVERIFY(greeted.wait());
    QSignalSpy loggedIn(&listening, &PeerLink::loginReceived);
    joining.sendLogin(QStringLiteral("Bert"));
    QVERIFY(loggedIn.wait());
    if (!host) {
        QSignalSpy settingsRead(&here, &PeerLink::settingsReceived);
        peer.sendSettings(SettingsRecord::fromSettings(settings));
        QVERIFY(settingsRead.wait());
    }

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
    match.setNetworkGame(true, host);
    QStringList seen;
    connect(&match, &MatchState::wordSet, this, [&] { seen << QStringLiteral("W"); });
    connect(&match, &MatchState::turnStarted, this, [&] { seen << QStringLiteral("S"); });
    connect(&match, &MatchState::guessAnswered, this,
            [&](int, QChar, Round::Guess result, bool atStart) { seen << answerToken(result, atStart); });
    connect(&match, &MatchState::turnEnded, this, [&] { seen << QStringLiteral("E"); });
    connect(&match, &MatchState::turnChanged, this, [&] { seen << QStringLiteral("N"); });
    // Gone with the match once the peer has left.
    const QPointer<KeyboardSeat> keyboard = new KeyboardSeat(match);
    auto *seat = new PeerSeat(here, match);
    connect(seat, &PeerSeat::peerReady, this, [&] { seen << QStringLiteral("ready"); });
    connect(seat, &PeerSeat::wordRefused, this, [&] { seen << QStringLiteral("?refused"); });
    connect(seat, &PeerSeat::wordUnexpected, this, [&] { seen << QStringLiteral("?unexpected"); });
    connect(seat, &PeerSeat::wordEntryChanged, this,
            [&](PeerSeat::WordEntry entry) { seen << QLatin1String(kEntries[int(entry)]); });
    Seat *seats[2] = {};
    seats[match.localSeat()] = keyboard;
    seats[1 - match.localSeat()] = seat;
    match.start(settings, QStringLiteral("Anna"), QStringLiteral("Bert"), seats[0], seats[1]);

    for (QString step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step == QLatin1String(">")) {
            match.nextTurn();
            continue;
        }
        if (!step.startsWith(QLatin1String("p:")) && step != QLatin1String("ready")) {
            QVERIFY(keyboard);
            if (step.startsWith(QLatin1String("w:")))
                keyboard->setWord(step.mid(2));
            else if (step == QLatin1String("+"))
                keyboard->startTurn();
            else if (step == QLatin1String("-"))
                keyboard->leave();
            else
                keyboard->guess(step.at(0));
            continue;
        }
        step.remove(0, 2);
        const int before = hereRead;
        if (step == QLatin1String("ady"))
            peer.sendReady();
        else if (step.startsWith(QLatin1String("w:")))
            peer.sendWord(step.mid(2));
        else if (step == QLatin1String("+"))
            peer.sendStart();
        else if (step == QLatin1String(">"))
            peer.sendTurnOver();
        else if (step == QLatin1String("-"))
            peer.sendLeave();
        else
            peer.sendGuess(step.at(0));
        QTRY_COMPARE(hereRead, before + 1);
    }

    QCOMPARE(seen.join(QLatin1Char(' ')), answers);
    QCOMPARE(match.stage(), stage);
    QCOMPARE(here.phase(), phase);
    // Whatever this computer sent has arrived once its own leave has.
    here.sendLeave();
    QTRY_VERIFY(peerRead.endsWith(QLatin1String("<>")));
    QCOMPARE(peerRead.chopped(2), sent);
}

QTEST_GUILESS_MAIN(TestPeerSeat)
#include "tst_peerseat.moc"
