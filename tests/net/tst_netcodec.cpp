// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/NetProtocol.h"
#include "net/PeerReader.h"
#include "net/SettingsRecord.h"

#include <QTest>

Q_DECLARE_METATYPE(SettingsRecord)
Q_DECLARE_METATYPE(GameSettings)
Q_DECLARE_METATYPE(NetProtocol::PeerMessage::Kind)

using NetProtocol::PeerMessage;

namespace {

// The record the default settings make: 5 rounds, 9 mistakes, 30 s, no
// limit; NoSpecialChars, CapitalLetters and SetFirstLetter ticked; most
// rounds won.
const QByteArray kDefaults = QByteArray::fromHex("05000000" "09000000" "1e000000" "00" "0101000001" "01" "00");

SettingsRecord record(qint32 rounds, qint32 mistakes, qint32 seconds, quint8 mode, bool flags, bool wonRounds)
{
    SettingsRecord r;
    r.Rounds = rounds;
    r.Mistakes = mistakes;
    r.TimeLimitValue = seconds;
    r.ModeByte = mode;
    r.NoSpecialChars = r.CapitalLetters = r.AcceptSentences = r.AcceptNumbers = r.SetFirstLetter = flags;
    r.WonRounds = wonRounds;
    return r;
}

QByteArray cp1252(const char *hex)
{
    return QByteArray::fromHex(hex);
}

} // namespace

class TestNetCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hostSends_data();
    void hostSends();
    void participantReads_data();
    void participantReads();
    void participantKeepsToItsRanges();
    void text_data();
    void text();
    void greeting_data();
    void greeting();
    void peerMessage_data();
    void peerMessage();
    void turnRead_data();
    void turnRead();
    void greetingRead_data();
    void greetingRead();
};

void TestNetCodec::hostSends_data()
{
    QTest::addColumn<GameSettings>("settings");
    QTest::addColumn<QByteArray>("bytes");

    GameSettings s;
    QTest::newRow("defaults") << s << kDefaults;
    s.TimeLimit = TimeLimitMode::WholeWord;
    s.TimeLimitValue = 600;
    s.Rounds = 100;
    s.Mistakes = 0;
    s.WonRounds = false;
    s.AcceptNumbers = true;
    QTest::newRow("whole word, fewest mistakes")
        << s << QByteArray::fromHex("64000000" "00000000" "58020000" "02" "0101000101" "00" "00");
    // Each flag takes its own run of values over the rows, so that no two
    // of them can trade places unseen.
    s.TimeLimit = TimeLimitMode::PerLetter;
    s.NoSpecialChars = false;
    s.AcceptSentences = true;
    s.AcceptNumbers = false;
    QTest::newRow("per letter") << s << QByteArray::fromHex("64000000" "00000000" "58020000" "01" "0001010001" "00" "00");
    s.CapitalLetters = false;
    QTest::newRow("sentences in small letters")
        << s << QByteArray::fromHex("64000000" "00000000" "58020000" "01" "0000010001" "00" "00");
}

void TestNetCodec::hostSends()
{
    QFETCH(GameSettings, settings);
    QFETCH(QByteArray, bytes);
    QCOMPARE(SettingsRecord::fromSettings(settings).encode(), bytes);

    // What the participant ends up with is the host's choice, except its own sound.
    GameSettings participant;
    participant.PlaySounds = !settings.PlaySounds;
    GameSettings expected = settings;
    expected.PlaySounds = participant.PlaySounds;
    QCOMPARE(SettingsRecord::decode(bytes).appliedTo(participant), expected);
}

void TestNetCodec::participantReads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<SettingsRecord>("expected");

    QTest::newRow("defaults") << kDefaults << SettingsRecord::fromSettings(GameSettings());
    QTest::newRow("short read, rest 0") << QByteArray::fromHex("0500000009") << record(5, 9, 0, 0, false, false);
    QTest::newRow("nothing read") << QByteArray() << record(0, 0, 0, 0, false, false);
    QTest::newRow("bytes past 20 ignored")
        << QByteArray::fromHex("01000000" "02000000" "03000000" "02" "0101010101" "01" "00") + "<>"
        << record(1, 2, 3, 2, true, true);
    QTest::newRow("unknown mode kept, flags any non-zero")
        << QByteArray::fromHex("01000000" "02000000" "03000000" "07" "ff02804001" "07" "ff")
        << record(1, 2, 3, 7, true, true);
    QTest::newRow("negative and huge")
        << QByteArray::fromHex("ffffffff" "00000080" "ffffff7f" "00" "0000000000" "00" "00")
        << record(-1, INT_MIN, INT_MAX, 0, false, false);
}

void TestNetCodec::participantReads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(SettingsRecord, expected);
    QCOMPARE(SettingsRecord::decode(bytes), expected);
}

// A peer can send anything a signed 32-bit field holds.
void TestNetCodec::participantKeepsToItsRanges()
{
    GameSettings own;
    own.TimeLimit = TimeLimitMode::PerLetter;
    own.PlaySounds = false;

    const GameSettings low = record(-7, INT_MIN, 0, 3, false, false).appliedTo(own);
    QCOMPARE(low.Rounds, GameSettings::MinRounds);
    QCOMPARE(low.Mistakes, GameSettings::MinMistakes);
    QCOMPARE(low.TimeLimitValue, GameSettings::MinTimeLimit);
    QCOMPARE(low.TimeLimit, TimeLimitMode::PerLetter); // mode 3 is unknown
    QCOMPARE(low.PlaySounds, false);

    const GameSettings high = record(INT_MAX, 1000, INT_MAX, 2, true, true).appliedTo(own);
    QCOMPARE(high.Rounds, GameSettings::MaxRounds);
    QCOMPARE(high.Mistakes, GameSettings::MaxMistakes);
    QCOMPARE(high.TimeLimitValue, GameSettings::MaxTimeLimit);
    QCOMPARE(high.TimeLimit, TimeLimitMode::WholeWord);
}

void TestNetCodec::text_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes"); // null: nothing may be sent

    QTest::newRow("umlauts") << QStringLiteral("ÄÖÜäöü") << cp1252("c4d6dce4f6fc");
    QTest::newRow("sharp s") << QStringLiteral("Fußgänger") << cp1252("4675df67e46e676572");
    QTest::newRow("euro, above Latin-1") << QStringLiteral("5 €") << cp1252("352080");
    QTest::newRow("Polish") << QStringLiteral("Łódź") << QByteArray();
    QTest::newRow("emoji") << QStringLiteral("Haus\U0001F600") << QByteArray();
}

void TestNetCodec::text()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const std::optional<QByteArray> sent = NetProtocol::encodeText(text);
    if (bytes.isNull()) {
        QVERIFY(!sent);
        return;
    }
    QCOMPARE(sent.value_or("(not sendable)"), bytes);
    QCOMPARE(NetProtocol::decodeText(bytes), text);
}

void TestNetCodec::greeting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<QString>("password");

    QTest::newRow("no password") << NetProtocol::greetingText(QStringLiteral("Jürgen"), QString())
                                 << QStringLiteral("Jürgen") << QString();
    QTest::newRow("password") << QStringLiteral("Anna:Geheim") << QStringLiteral("Anna") << QStringLiteral("Geheim");
    QTest::newRow("colon in nickname") << NetProtocol::greetingText(QStringLiteral("Dr:No"), QStringLiteral("ß:1"))
                                       << QStringLiteral("Dr") << QStringLiteral("No:ß:1");
    QTest::newRow("no colon at all") << QStringLiteral("Anna") << QStringLiteral("Anna") << QString();
}

void TestNetCodec::greeting()
{
    QFETCH(QString, text);
    QFETCH(QString, nickname);
    QFETCH(QString, password);
    const NetProtocol::Greeting greeting = NetProtocol::splitGreeting(text);
    QCOMPARE(greeting.nickname, nickname);
    QCOMPARE(greeting.password, password);
}

void TestNetCodec::peerMessage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("phase");
    QTest::addColumn<bool>("isHost");
    QTest::addColumn<PeerMessage::Kind>("kind");
    QTest::addColumn<QString>("text");

    QTest::newRow("host 0: \"<>\" is a nickname") << QByteArray("<>") << 0 << true << PeerMessage::Login << "<>";
    QTest::newRow("participant 0: greeting") << QByteArray("<>:x") << 0 << false << PeerMessage::Greeting << "<>:x";
    QTest::newRow("participant 1: record") << kDefaults << 1 << false << PeerMessage::Settings << "";
    QTest::newRow("participant 1: leave") << QByteArray("<>") << 1 << false << PeerMessage::Leave << "";
    QTest::newRow("host 1: any text is ready") << QByteArray("x") << 1 << true << PeerMessage::Ready << "";
    QTest::newRow("host 1: leave") << QByteArray("<>") << 1 << true << PeerMessage::Leave << "";
    QTest::newRow("2: word") << cp1252("53747261df65") << 2 << false << PeerMessage::Word << "Straße";
    QTest::newRow("2: a word longer than a setter can type")
        << QByteArray(NetProtocol::MaxWordLength + 1, 'A') << 2 << false << PeerMessage::Foul << "";
    QTest::newRow("2: leave joined to more is a word") << QByteArray("<>%") << 2 << true << PeerMessage::Word << "<>%";
    QTest::newRow("3: start") << QByteArray("1") << 3 << true << PeerMessage::Start << "";
    QTest::newRow("4: turn over") << QByteArray("%") << 4 << true << PeerMessage::TurnOver << "";
    QTest::newRow("4: one message reads its first character") << cp1252("df41") << 4 << true << PeerMessage::Guess << "ß";
    QTest::newRow("4: guess joined with turn over") << QByteArray("e%") << 4 << false << PeerMessage::Guess << "e";
    QTest::newRow("4: leave") << QByteArray("<>") << 4 << false << PeerMessage::Leave << "";
    QTest::newRow("4: no bytes") << QByteArray() << 4 << true << PeerMessage::Nothing << "";
}

void TestNetCodec::peerMessage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, phase);
    QFETCH(bool, isHost);
    QFETCH(PeerMessage::Kind, kind);
    QFETCH(QString, text);
    const PeerMessage message = NetProtocol::readPeerMessage(bytes, NetPhase(phase), isHost);
    QCOMPARE(message.kind, kind);
    QCOMPARE(message.text, text);
}

void TestNetCodec::turnRead_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArrayList>("messages");

    QTest::newRow("one guess") << QByteArray("a") << QByteArrayList{"a"};
    QTest::newRow("guesses typed quickly") << QByteArray("hxa") << QByteArrayList{"h", "x", "a"};
    QTest::newRow("guesses, then a leave") << QByteArray("ab<>") << QByteArrayList{"a", "b", "<>"};
    QTest::newRow("a leave alone") << QByteArray("<>") << QByteArrayList{"<>"};
    QTest::newRow("turn over, then the next word") << QByteArray("e%Haus") << QByteArrayList{"e", "%", "Haus"};
}

void TestNetCodec::turnRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArrayList, messages);
    // The turn over opens the phase in which the rest is read, here the
    // next word's.
    PeerReader reader;
    QVERIFY(reader.append(bytes));
    NetPhase phase = NetPhase::TurnRunning;
    QByteArrayList read;
    for (PeerMessage m = reader.next(phase, true); m.kind != PeerMessage::Nothing; m = reader.next(phase, true)) {
        read << m.bytes;
        if (m.kind == PeerMessage::TurnOver)
            phase = NetPhase::AwaitingWord;
    }
    QCOMPARE(read, messages);
}

void TestNetCodec::greetingRead_data()
{
    QTest::addColumn<QByteArrayList>("reads");
    // Each read is taken up before the next comes in, as when the
    // participant's player is asked for the password meanwhile.
    QTest::addColumn<bool>("takenBetween");
    QTest::addColumn<QList<PeerMessage::Kind>>("kinds");

    const QByteArray longest = QByteArray(NetProtocol::MaxNicknameLength, 'N') + ':'
        + QByteArray(NetProtocol::MaxPasswordLength, 'P');
    QTest::newRow("the longest an honest host sends")
        << QByteArrayList{longest} << false << QList{PeerMessage::Greeting};
    QTest::newRow("a byte more") << QByteArrayList{longest + 'P'} << false << QList{PeerMessage::Foul};
    QTest::newRow("the longest, split across reads")
        << QByteArrayList{longest.left(30), longest.mid(30)} << false << QList{PeerMessage::Greeting};
    QTest::newRow("a byte more, split across reads")
        << QByteArrayList{longest.left(30), longest.mid(30) + 'P'} << false << QList{PeerMessage::Foul};
    QTest::newRow("a byte more, the first part taken as a greeting")
        << QByteArrayList{longest.left(30), longest.mid(30) + 'P'} << true
        << QList{PeerMessage::Greeting, PeerMessage::Foul};
}

// A host that floods the participant is no host, however the flood is cut.
void TestNetCodec::greetingRead()
{
    QFETCH(QByteArrayList, reads);
    QFETCH(bool, takenBetween);
    QFETCH(QList<PeerMessage::Kind>, kinds);

    PeerReader reader;
    QList<PeerMessage::Kind> read;
    for (const QByteArray &bytes : reads) {
        QVERIFY(reader.append(bytes));
        if (!takenBetween && &bytes != &reads.last())
            continue;
        for (PeerMessage m = reader.next(NetPhase::Connecting, false); m.kind != PeerMessage::Nothing;
             m = reader.next(NetPhase::Connecting, false))
            read << m.kind;
    }
    QCOMPARE(read, kinds);
    // The next connection's greeting counts afresh.
    reader.clear();
    QVERIFY(reader.append("Anna:"));
    QCOMPARE(reader.next(NetPhase::Connecting, false).kind, PeerMessage::Greeting);
}

QTEST_GUILESS_MAIN(TestNetCodec)
#include "tst_netcodec.moc"
