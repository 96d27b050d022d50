// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Two main windows in one process play over 127.0.0.1, as two computers
// would: login with a password, the host's settings, a whole match, and
// leaving at awkward moments. The boxes and the password query are real and
// answered from a timer while the sockets keep delivering.
#include "controls/TKxBitBtn.h"
#include "controls/TKxDigit.h"
#include "controls/TRadioGroup.h"
#include "controls/TStringGrid.h"
#include "net/NetworkSession.h"
#include "net/PeerLink.h"
#include "net/SettingsRecord.h"
#include "net/TClientSocket.h"
#include "support/FormFixture.h"
#include "support/GameTestMain.h"
#include "support/OfflineNames.h"
#include "support/TypedKeys.h"
#include "window/TForm1.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

// Answers every modal box and password query of either window, noting
// whose it was: "host: Caption: text". Queries take the next entry of
// passwords; an empty list cancels.
class Answerer : public QObject
{
public:
    Answerer(TForm1 *host, TForm1 *participant)
        : m_host(host)
        , m_participant(participant)
    {
        connect(&m_timer, &QTimer::timeout, this, &Answerer::poll);
        m_timer.start(5);
    }

    QStringList seen;
    QStringList passwords;
    // Keeps a box open, and the events flowing under it, while it says so.
    std::function<bool(const QString &)> holdOpen;

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->property("answered").toBool())
            return;
        const QString owner = modal->parentWidget() == m_host ? QStringLiteral("host") : QStringLiteral("participant");
        if (auto *query = qobject_cast<QInputDialog *>(modal)) {
            modal->setProperty("answered", true);
            seen << owner + QStringLiteral(": ") + query->windowTitle() + QStringLiteral(": ") + query->textValue();
            if (passwords.isEmpty()) {
                query->reject();
                return;
            }
            query->setTextValue(passwords.takeFirst());
            query->accept();
            return;
        }
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box)
            return;
        const QString line = owner + QStringLiteral(": ") + box->windowTitle() + QStringLiteral(": ") + box->text();
        if (!box->property("seen").toBool())
            seen << line;
        box->setProperty("seen", true);
        if (holdOpen && holdOpen(line))
            return;
        modal->setProperty("answered", true);
        box->button(QMessageBox::Ok)->click();
    }

    QTimer m_timer;
    TForm1 *m_host;
    TForm1 *m_participant;
};

} // namespace

class TestNetGame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void wholeMatch();
    void leaving_data();
    void leaving();
    void connectionFails_data();
    void connectionFails();
    void hostileHost_data();
    void hostileHost();

private:
    // Host and participant up to the participant's look at the settings.
    void logIn(const QString &password, const QStringList &typed);
    void hostWaits(const QString &password);
    void join(TForm1 *form, quint16 port);
    QStringList grid(TForm1 *form) const;

    std::unique_ptr<FormFixture> m_hostFixture;
    std::unique_ptr<FormFixture> m_participantFixture;
    TForm1 *m_host = nullptr;
    TForm1 *m_participant = nullptr;
    std::unique_ptr<Answerer> m_answerer;
};

void TestNetGame::initTestCase()
{
    TClientSocket::setSocketFactory(offlineTcpSocket);
}

void TestNetGame::init()
{
    m_hostFixture = std::make_unique<FormFixture>();
    m_participantFixture = std::make_unique<FormFixture>();
    m_host = &m_hostFixture->createShown();
    m_participant = &m_participantFixture->createShown();
    // The system picks a free port for the host.
    m_host->session().setPort(0);
    m_answerer = std::make_unique<Answerer>(m_host, m_participant);
}

void TestNetGame::cleanup()
{
    m_answerer.reset();
    m_participantFixture.reset();
    m_hostFixture.reset();
}

QStringList TestNetGame::grid(TForm1 *form) const
{
    QStringList cells;
    for (int row = 0; row < controlOf<TStringGrid>(form, "Statistik")->RowCount(); ++row)
        for (int column = 0; column < 5; ++column)
            cells << controlOf<TStringGrid>(form, "Statistik")->Cells(column, row);
    return cells;
}

void TestNetGame::logIn(const QString &password, const QStringList &typed)
{
    hostWaits(password);
    m_answerer->passwords = typed;
    join(m_participant, m_host->session().serverPort());
}

void TestNetGame::hostWaits(const QString &password)
{
    clickButton(m_host, "IPGame");
    controlOf<TRadioGroup>(m_host, "RadioGroup_ConnectionMode")->item(0)->click();
    controlOf<QLineEdit>(m_host, "Edit_IPName")->setText(QStringLiteral("Anna"));
    controlOf<QLineEdit>(m_host, "Edit_IPPassword")->setText(password);
    clickButton(m_host, "Button_HostStart");
    QVERIFY(m_host->session().isListening());
    QVERIFY(!controlOf<QGroupBox>(m_host, "GroupBox_Host")->isEnabled());
}

void TestNetGame::join(TForm1 *form, quint16 port)
{
    clickButton(form, "IPGame");
    controlOf<TRadioGroup>(form, "RadioGroup_ConnectionMode")->item(1)->click();
    controlOf<QLineEdit>(form, "Edit_IPName")->setText(QStringLiteral("Bert"));
    controlOf<QLineEdit>(form, "Edit_IP")->setText(QStringLiteral("127.0.0.1"));
    form->session().setPort(port);
    clickButton(form, "Button_ClientStart");
}

void TestNetGame::wholeMatch()
{
    // The host's choice, which the participant's own settings give way to.
    m_host->ensurePage(TForm1::Settings);
    m_participant->ensurePage(TForm1::Settings);
    controlOf<QSpinBox>(m_host, "Rounds")->setValue(1);
    controlOf<QCheckBox>(m_host, "SetFirstLetter")->setChecked(false);
    controlOf<QRadioButton>(m_host, "perLetter")->setChecked(true);
    controlOf<QSpinBox>(m_host, "TimeLimit")->setValue(600);
    controlOf<QSpinBox>(m_participant, "Rounds")->setValue(7);
    logIn(QStringLiteral("Geheim"), {QStringLiteral("geheim"), QStringLiteral("Geheim")});

    QTRY_COMPARE(m_participant->currentPage(), int(TForm1::Settings));
    // Both login boxes are open at the same time; their order is the network's.
    QStringList seen = m_answerer->seen;
    std::sort(seen.begin() + 3, seen.end());
    QCOMPARE(seen,
             QStringList({"participant: Passwort: ",
                          "participant: Ungültiges Passwort: Das eingegebene Passwort ist nicht korrekt. Beachten Sie "
                          "auch die Groß-/Kleinschreibung.",
                          "participant: Passwort: geheim",
                          "host: Mitspieler hat sich angemeldet: Bert hat sich angemeldet.\n\nKlicken Sie auf OK, um "
                          "das Spiel zu starten.",
                          "participant: Angemeldet: Die Anmeldung bei Anna war erfolgreich.\n\nKlicken Sie OK, um die "
                          "Einstellungen des Gastgebers anzuzeigen. Eventuell müssen Sie einen Augenblick warten, bis "
                          "die Informationen vom Gastgeber eintreffen."}));
    QCOMPARE(controlOf<QSpinBox>(m_participant, "Rounds")->value(), 1);
    QVERIFY(controlOf<QRadioButton>(m_participant, "perLetter")->isChecked());
    QVERIFY(!controlOf<QSpinBox>(m_participant, "Rounds")->isEnabled());
    QCOMPARE(m_host->currentPage(), int(TForm1::Word));
    QVERIFY(!controlOf<TKxBitBtn>(m_host, "WordOK")->isEnabled());

    clickButton(m_participant, "PropertiesOK");
    QCOMPARE(controlOf<QLineEdit>(m_participant, "Word")->text(), QStringLiteral("Anna gibt ein Wort ein..."));
    QTRY_VERIFY(controlOf<TKxBitBtn>(m_host, "WordOK")->isEnabled());

    // Round 1, first turn: Anna sets, Bert guesses.
    controlOf<QLineEdit>(m_host, "Word")->setText(QStringLiteral("Haus"));
    clickButton(m_host, "WordOK");
    QVERIFY(controlOf<TKxBitBtn>(m_host, "GameStartGame")->isHidden());
    QTRY_COMPARE(m_participant->currentPage(), int(TForm1::Game));
    QCOMPARE(controlOf<QLabel>(m_participant, "WordGuessingInfo")->text(), QStringLiteral("Bert, errate dieses Wort:"));
    QCOMPARE(controlOf<QLabel>(m_host, "WordGuessingInfo")->text(), QStringLiteral("Bert versucht, das Wort zu erraten"));
    clickButton(m_participant, "GameStartGame");
    QTRY_VERIFY(m_host->RoundState.RoundRunning);
    QVERIFY(m_host->match().clock()->isActive());

    typeKeys(m_host, QStringLiteral("hau")); // the setter's own keys are no guesses
    typeKeys(m_participant, QStringLiteral("hxaus"));
    QTRY_VERIFY(m_host->RoundState.RoundOver);
    QVERIFY(m_participant->RoundState.RoundOver);
    QCOMPARE(int(controlOf<TKxDigit>(m_host, "curMistakes")->Value()), 1);
    QCOMPARE(int(controlOf<TKxDigit>(m_participant, "curMistakes")->Value()), 1);

    // Bert, who sets next, confirms first and waits for Anna.
    clickButton(m_participant, "GameOK");
    clickButton(m_participant, "StatistikOK");
    QCOMPARE(controlOf<QLineEdit>(m_participant, "Word")->text(), QStringLiteral("Warten auf Anna"));
    QVERIFY(!controlOf<QLineEdit>(m_participant, "Word")->isEnabled());
    clickButton(m_host, "GameOK");
    clickButton(m_host, "StatistikOK");
    QCOMPARE(controlOf<QLineEdit>(m_host, "Word")->text(), QStringLiteral("Bert gibt ein Wort ein..."));
    QTRY_VERIFY(controlOf<QLineEdit>(m_participant, "Word")->isEnabled());
    QVERIFY(controlOf<QLineEdit>(m_participant, "Word")->text().isEmpty());

    // Second turn: Bert sets, Anna guesses and runs out of guesses.
    controlOf<QLineEdit>(m_participant, "Word")->setText(QStringLiteral("Baum"));
    clickButton(m_participant, "WordOK");
    QTRY_COMPARE(m_host->currentPage(), int(TForm1::Game));
    clickButton(m_host, "GameStartGame");
    QTRY_VERIFY(m_participant->RoundState.RoundRunning);
    typeKeys(m_host, QStringLiteral("bqrstvwxyz"));
    QTRY_VERIFY(m_participant->RoundState.RoundOver);
    QCOMPARE(int(controlOf<TKxDigit>(m_participant, "curMistakes")->Value()), 9);

    for (TForm1 *form : {m_host, m_participant}) {
        clickButton(form, "GameOK");
        QCOMPARE(controlOf<QLabel>(form, "WinnerLabel")->text(),
                 QStringLiteral("Herzlichen Glückwunsch, Bert! Du hast das Spiel gewonnen!"));
    }
    QCOMPARE(grid(m_participant), grid(m_host));
    QCOMPARE(grid(m_host).mid(5),
             QStringList({"1", "HAUS", "1", "9", "BAUM"}));
    for (TForm1 *form : {m_host, m_participant}) {
        clickButton(form, "StatistikOK");
        QCOMPARE(form->currentPage(), int(TForm1::Start));
        QVERIFY(!form->RoundState.NetworkGame);
        // The host's going ends the match for the participant too; no leave.
        QTRY_VERIFY(!m_participant->findChild<QTcpSocket *>());
    }
    QVERIFY(!m_host->session().isListening());
    // The host's settings were lent for the match only.
    QVERIFY(controlOf<QSpinBox>(m_participant, "Rounds")->isEnabled());
    QCOMPARE(m_answerer->seen.size(), 5);
}

void TestNetGame::leaving_data()
{
    QTest::addColumn<QString>("when");
    QTest::addColumn<QString>("leaver");
    QTest::addColumn<QString>("how");

    QTest::newRow("participant cancels during the host's login box") << "login box" << "participant" << "cancel";
    QTest::newRow("participant closes the window on the settings") << "settings" << "participant" << "close";
    QTest::newRow("host cancels the word entry") << "word" << "host" << "word cancel";
    QTest::newRow("host closes the window mid-turn") << "turn" << "host" << "close";
    QTest::newRow("participant's connection breaks mid-turn") << "turn" << "participant" << "abort";
    QTest::newRow("host's connection breaks mid-turn") << "turn" << "host" << "abort";
}

void TestNetGame::leaving()
{
    QFETCH(QString, when);
    QFETCH(QString, leaver);
    QFETCH(QString, how);

    TForm1 *leaving = leaver == QLatin1String("host") ? m_host : m_participant;
    TForm1 *staying = leaving == m_host ? m_participant : m_host;
    auto leave = [&] {
        if (how == QLatin1String("cancel"))
            controlOf<TKxBitBtn>(leaving, "Button_IPCancel")->click();
        else if (how == QLatin1String("word cancel"))
            controlOf<TKxBitBtn>(leaving, "WordCancel")->click();
        else if (how == QLatin1String("abort"))
            leaving->findChild<QTcpSocket *>()->abort();
        else
            leaving->close();
    };
    bool left = false;
    if (when == QLatin1String("login box")) {
        // The leave arrives, and is handled, while the login box is open.
        m_answerer->holdOpen = [&](const QString &line) {
            if (!line.startsWith(QLatin1String("host: Mitspieler hat sich angemeldet")))
                return false;
            if (!left) {
                left = true;
                leave();
            }
            return m_host->session().isListening();
        };
    }
    // A timed match: the countdown must stop with it.
    m_host->ensurePage(TForm1::Settings);
    controlOf<QRadioButton>(m_host, "WholeWord")->setChecked(true);
    controlOf<QSpinBox>(m_host, "TimeLimit")->setValue(600);
    logIn(QString(), {});
    const quint16 port = m_host->session().serverPort();
    if (when != QLatin1String("login box"))
        QTRY_COMPARE(m_participant->currentPage(), int(TForm1::Settings));
    if (when != QLatin1String("settings") && when != QLatin1String("login box")) {
        clickButton(m_participant, "PropertiesOK");
        QTRY_VERIFY(controlOf<TKxBitBtn>(m_host, "WordOK")->isEnabled());
    }
    if (when == QLatin1String("turn")) {
        controlOf<QLineEdit>(m_host, "Word")->setText(QStringLiteral("Haus"));
        clickButton(m_host, "WordOK");
        QTRY_COMPARE(m_participant->currentPage(), int(TForm1::Game));
        clickButton(m_participant, "GameStartGame");
        QTRY_VERIFY(m_host->RoundState.RoundRunning);
        QVERIFY(staying->match().clock()->isActive());
    }
    if (when != QLatin1String("login box"))
        leave();

    const QString name = staying == m_host ? QStringLiteral("Bert") : QStringLiteral("Anna");
    const QString owner = staying == m_host ? QStringLiteral("host") : QStringLiteral("participant");
    QTRY_VERIFY2_WITH_TIMEOUT(m_answerer->seen.contains(owner + QStringLiteral(": Mitspieler hat das Spiel beendet: ")
                                                        + name + QStringLiteral(" hat das Spiel verlassen.")),
                              qPrintable(m_answerer->seen.join(QLatin1Char('|'))), 1000);
    QTRY_COMPARE_WITH_TIMEOUT(staying->currentPage(), int(TForm1::Start), 1000);
    QVERIFY(!staying->RoundState.NetworkGame);
    QVERIFY(!staying->match().clock()->isActive());
    if (when == QLatin1String("login box")) {
        // Nothing went out after the box: the participant never got settings.
        QCOMPARE(m_host->currentPage(), int(TForm1::Start));
        QCOMPARE(m_participant->currentPage(), int(TForm1::Start));
    }
    if (staying == m_host) {
        // The place of a participant that has gone is nobody else's.
        QTcpSocket newcomer;
        newcomer.connectToHost(QHostAddress::LocalHost, port);
        QTRY_COMPARE(newcomer.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(newcomer.bytesAvailable(), qint64(0));
    }
}

void TestNetGame::connectionFails_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QStringList>("seen");

    const QString failed = QStringLiteral("participant: Verbinden fehlgeschlagen: ");
    const QStringList error{failed + QStringLiteral("Bei der Verbindung ist ein Fehler aufgetreten.")};
    const QStringList busy{failed + QStringLiteral("Der Gastgeber spielt bereits mit einem anderen Teilnehmer.")};
    QTest::newRow("no such computer") << "nobody" << "lettrisko-host.invalid" << error;
    QTest::newRow("nobody listening") << "nobody" << "127.0.0.1" << error;
    QTest::newRow("the host plays with another participant") << "match" << "127.0.0.1" << busy;
    QTest::newRow("a connection that never speaks holds the slot") << "silent" << "127.0.0.1" << busy;
    QTest::newRow("the password query is cancelled")
        << "password" << "127.0.0.1"
        << QStringList{"participant: Passwort: ",
                       failed + "Der Gastgeber hat die Verbindung getrennt, bevor die Anmeldung abgeschlossen war."};
    QTest::newRow("another program listens on the port")
        << "port taken" << ""
        << QStringList{"host: Port belegt: Auf diesem Computer wartet schon ein anderes Programm auf Verbindungen "
                       "über den TCP-Port %1."};
}

void TestNetGame::connectionFails()
{
    QFETCH(QString, setup);
    QFETCH(QString, address);
    QFETCH(QStringList, seen);

    m_host->session().setLoginPatience(300, 400);
    TForm1 *failing = m_participant;
    FormFixture newcomerFixture;
    QTcpSocket silent;
    QTcpServer otherProgram;
    if (setup == QLatin1String("nobody")) {
        // A port that was free a moment ago has no listener.
        m_host->session().host(QStringLiteral("Anna"), QString());
        const quint16 unused = m_host->session().serverPort();
        m_host->session().close();
        clickButton(m_participant, "IPGame");
        controlOf<TRadioGroup>(m_participant, "RadioGroup_ConnectionMode")->item(1)->click();
        controlOf<QLineEdit>(m_participant, "Edit_IPName")->setText(QStringLiteral("Bert"));
        controlOf<QLineEdit>(m_participant, "Edit_IP")->setText(address);
        m_participant->session().setPort(unused);
        clickButton(m_participant, "Button_ClientStart");
    } else if (setup == QLatin1String("match")) {
        logIn(QString(), {});
        QTRY_COMPARE(m_participant->currentPage(), int(TForm1::Settings));
        m_answerer->seen.clear();
        failing = &newcomerFixture.createShown();
        join(failing, m_host->session().serverPort());
    } else if (setup == QLatin1String("silent")) {
        hostWaits(QString());
        silent.connectToHost(QHostAddress::LocalHost, m_host->session().serverPort());
        QTRY_VERIFY(m_host->session().isConnected());
        join(m_participant, m_host->session().serverPort());
    } else if (setup == QLatin1String("password")) {
        hostWaits(QStringLiteral("Geheim"));
        join(m_participant, m_host->session().serverPort());
    } else {
        QVERIFY(otherProgram.listen(QHostAddress::Any));
        m_host->session().setPort(otherProgram.serverPort());
        seen.first() = seen.first().arg(otherProgram.serverPort());
        failing = m_host;
        clickButton(m_host, "IPGame");
        controlOf<TRadioGroup>(m_host, "RadioGroup_ConnectionMode")->item(0)->click();
        controlOf<QLineEdit>(m_host, "Edit_IPName")->setText(QStringLiteral("Anna"));
        clickButton(m_host, "Button_HostStart");
    }

    // The longest wait is the host's patience with a login, 400 ms here.
    QTRY_COMPARE_WITH_TIMEOUT(m_answerer->seen, seen, 3000);
    QCOMPARE(failing->currentPage(), int(TForm1::Network));
    QVERIFY(controlOf<TRadioGroup>(failing, "RadioGroup_ConnectionMode")->isEnabled());
    // A new attempt can start right here.
    QVERIFY(failing->RoundState.NetworkGame);
    QVERIFY((failing == m_host ? controlOf<TKxBitBtn>(failing, "Button_HostStart") : controlOf<TKxBitBtn>(failing, "Button_ClientStart"))->isEnabled());
    if (setup == QLatin1String("match")) {
        // The match goes on undisturbed.
        QCOMPARE(m_host->currentPage(), int(TForm1::Word));
        QCOMPARE(m_participant->currentPage(), int(TForm1::Settings));
        QVERIFY(m_host->session().isConnected());
        QVERIFY(m_participant->session().isConnected());
    } else if (setup == QLatin1String("silent")) {
        // The host stops waiting for it, and the next attempt gets in.
        QTRY_COMPARE(silent.state(), QAbstractSocket::UnconnectedState);
        clickButton(m_participant, "Button_ClientStart");
        QTRY_COMPARE(m_participant->currentPage(), int(TForm1::Settings));
    }
}

void TestNetGame::hostileHost_data()
{
    QTest::addColumn<QByteArray>("greeting");
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("wordField");
    QTest::addColumn<NetPhase>("phase");

    const QString waiting = QStringLiteral("Anna gibt ein Wort ein...");
    QTest::newRow("a word the settings refuse")
        << QByteArray("Anna:") << QByteArray("Stra\xdf" "e")
        << "participant: Unzulässige Zeichen: Diese Zeichen sind unzulässig: ß" << int(TForm1::Word) << waiting
        << NetPhase::AwaitingWord;
    QTest::newRow("a word longer than a word can be")
        << QByteArray("Anna:") << QByteArray(61, 'A')
        << "participant: Verbindung getrennt: Das Spiel mit Anna ist beendet." << int(TForm1::Start) << waiting
        << NetPhase::Connecting;
    const auto loggedIn = [](const QString &shown) {
        return "participant: Angemeldet: Die Anmeldung bei " + shown
               + " war erfolgreich.\n\nKlicken Sie OK, um die Einstellungen des Gastgebers anzuzeigen. Eventuell "
                 "müssen Sie einen Augenblick warten, bis die Informationen vom Gastgeber eintreffen.";
    };
    const QString cut = QString(39, QLatin1Char('N')) + QChar(0x2026);
    // The widest greeting a host may send: all nickname, no password.
    QTest::newRow("a nickname wider than the screen")
        << QByteArray(NetProtocol::MaxGreetingLength - 1, 'N') + ':' << QByteArray() << loggedIn(cut) << int(TForm1::Settings) << ""
        << NetPhase::AwaitingWord;
    QTest::newRow("a nickname as long as a box shows whole")
        << QByteArray(40, 'N') + ':' << QByteArray() << loggedIn(QString(40, QLatin1Char('N')))
        << int(TForm1::Settings) << "" << NetPhase::AwaitingWord;
    QTest::newRow("a nickname a character longer")
        << QByteArray(41, 'N') + ':' << QByteArray() << loggedIn(cut) << int(TForm1::Settings) << ""
        << NetPhase::AwaitingWord;
}

// A program on the other side that speaks the bytes but plays foul.
void TestNetGame::hostileHost()
{
    QFETCH(QByteArray, greeting);
    QFETCH(QByteArray, word);
    QFETCH(QString, box);
    QFETCH(int, page);
    QFETCH(QString, wordField);
    QFETCH(NetPhase, phase);

    QTcpServer hostProgram;
    QVERIFY(hostProgram.listen(QHostAddress::LocalHost));
    join(m_participant, hostProgram.serverPort());
    QTRY_VERIFY(hostProgram.hasPendingConnections());
    std::unique_ptr<QTcpSocket> host(hostProgram.nextPendingConnection());
    host->write(greeting);
    QByteArray heard;
    QTRY_COMPARE((heard += host->readAll()), QByteArray("Bert"));
    host->write(SettingsRecord::fromSettings(GameSettings()).encode());
    QTRY_COMPARE(m_participant->currentPage(), int(TForm1::Settings));
    if (!word.isEmpty()) {
        clickButton(m_participant, "PropertiesOK");
        heard.clear();
        QTRY_COMPARE((heard += host->readAll()), QByteArray("1"));
        host->write(word);
    }

    QTRY_VERIFY2(m_answerer->seen.contains(box), qPrintable(m_answerer->seen.join(QLatin1Char('|'))));
    QCOMPARE(m_participant->currentPage(), page);
    // The word page as it shows when it comes up, also if it never did.
    m_participant->ensurePage(TForm1::Word);
    QCOMPARE(controlOf<QLineEdit>(m_participant, "Word")->text(), wordField);
    QCOMPARE(m_participant->session().phase(), phase);
}

GAME_TEST_MAIN(TestNetGame)
#include "tst_netgame.moc"
