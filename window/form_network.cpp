// The network page, the exchange with the peer, and what the rest of the
// window sends to it. Each computer plays the whole match; the peer's word,
// start and guesses are replayed here through the window's own handlers,
// called without a sender.
#include "window/TForm1.h"

#include "controls/MessageBoxes.h"
#include "controls/TKxBitBtn.h"
#include "controls/TRadioGroup.h"
#include "game/GameSettings.h"
#include "net/NetProtocol.h"
#include "net/SettingsRecord.h"
#include "net/TClientSocket.h"
#include "net/TServerSocket.h"

#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

namespace {

const QString kPasswordPrompt = QStringLiteral(
    "Sie müssen das erforderliche Passwort eingeben, um sich bei dem angegebenen Server anzumelden.");

void setGroupEnabled(QGroupBox *box, bool enabled)
{
    box->setEnabled(enabled);
    for (QWidget *child : box->findChildren<QWidget *>())
        child->setEnabled(enabled);
}

} // namespace

void TForm1::IPGameClick()
{
    RoundState.NetworkGame = true;
    RoundState.NetPhase = NetPhase::Connecting;
    showPage(NetworkPage);
}

void TForm1::RadioGroup_ConnectionModeClick()
{
    const int mode = RadioGroup_ConnectionMode->ItemIndex();
    setGroupEnabled(GroupBox_Host, mode == 0);
    setGroupEnabled(GroupBox_Client, mode == 1);
}

// After a start only cancel and the troubleshooting note stay usable.
void TForm1::lockConnectionChoice()
{
    RadioGroup_ConnectionMode->setEnabled(false);
    RadioGroup_ConnectionMode->setItemIndex(-1);
    RadioGroup_ConnectionModeClick();
    Edit_IPName->setEnabled(false);
    RoundState.NetPhase = NetPhase::Connecting;
}

void TForm1::Button_HostStartClick()
{
    if (Edit_IPName->text().isEmpty()) {
        showMessageBox(this, QMessageBox::Warning, QStringLiteral("Kein Nickname eingegeben"),
                QStringLiteral("Sie müssen einen Nickname eingeben."));
        Edit_IPName->setFocus();
        return;
    }
    RoundState.IsHost = true;
    lockConnectionChoice();
    // Nickname and password are read when the participant connects.
    ServerSocket->activate();
}

void TForm1::Button_ClientStartClick()
{
    QString problem;
    if (Edit_IPName->text().isEmpty()) {
        problem = QStringLiteral("Sie müssen einen Nickname eingeben.");
        Edit_IPName->setFocus();
    } else if (Edit_IP->text().isEmpty()) {
        problem = QStringLiteral("Sie müssen die IP-Adresse des Gastgebers angeben.");
        Edit_IP->setFocus();
    }
    if (!problem.isEmpty()) {
        showMessageBox(this, QMessageBox::Warning, QStringLiteral("Unvollständige Angaben"), problem);
        return;
    }
    RoundState.IsHost = false;
    lockConnectionChoice();
    ClientSocket->setHost(Edit_IP->text());
    // The host's greeting is the first thing to happen.
    ClientSocket->open();
}

void TForm1::Button_IPCancelClick(QObject *sender)
{
    if (sender && RoundState.NetworkGame && RoundState.NetPhase != NetPhase::Connecting)
        sendToPeer(QString::fromLatin1(NetProtocol::LeaveSignal));

    RadioGroup_ConnectionMode->setEnabled(true);
    Edit_IPName->setEnabled(true);
    if (SocketConnection *first = ServerSocket->connection(0))
        first->close();
    ServerSocket->deactivate();
    ClientSocket->close();
    RoundState.NetworkGame = false;

    // A turn cut short by the end of the game does not tick on behind the
    // start page.
    Timer->stop();
    RoundState.RoundRunning = false;
    // The host's settings were only borrowed for the match.
    SetSettingsEnabled(true);
    NoLimitClick();

    showPage(StartPage);
}

void TForm1::Button_TroubleshootingClick()
{
    showMessageBox(this, QMessageBox::Information, QStringLiteral("Vorraussetzung"),
            QStringLiteral("Um das korrekte Funktionieren der Netzwerk- oder Internetverbindung zu gewährleisten, "
                           "muss der TCP-Port 5997 freigegeben sein. Sollte auf Ihrem System eine Firewall installiert "
                           "sein oder eine Hardwarefirewall existieren, müssen Sie dies evtl. manuell konfigurieren."));
}

void TForm1::ClientSocketError(SocketErrorKind, int &errorCode)
{
    // Reported here; the socket layer's own report stays silent.
    errorCode = 0;
    showMessageBox(this, QMessageBox::Warning, QStringLiteral("Verbinden fehlgeschlagen"),
            QStringLiteral("Bei der Verbindung ist ein Fehler aufgetreten."));
    RoundState.NetPhase = NetPhase::Connecting;
    RoundState.NetworkGame = false;
    Button_IPCancelClick(nullptr);
    // Back on the network page, ready for the next attempt as if it had
    // just been entered.
    IPGameClick();
}

void TForm1::sendToPeer(const QString &text)
{
    // Every text the game sends was typed into a field that takes only
    // what the code page holds; anything else is not sent at all.
    if (const std::optional<QByteArray> bytes = NetProtocol::encodeText(text))
        sendBytesToPeer(*bytes);
}

void TForm1::sendBytesToPeer(const QByteArray &bytes)
{
    if (RoundState.IsHost) {
        if (SocketConnection *peer = ServerSocket->connection(0))
            peer->sendText(bytes);
    } else {
        ClientSocket->sendText(bytes);
    }
}

void TForm1::ServerSocketClientConnect(SocketConnection *connection)
{
    // One participant at a time; a second one is turned away unseen.
    if (ServerSocket->connectionCount() >= 2) {
        connection->close();
        return;
    }
    if (const auto greeting = NetProtocol::encodeText(
            NetProtocol::greetingText(Edit_IPName->text(), Edit_IPPassword->text())))
        connection->sendText(*greeting);
}

void TForm1::ClientSocketRead(SocketConnection *connection)
{
    if (RoundState.NetPhase >= NetPhase::AwaitingWord) {
        ServerSocketClientRead(connection);
        return;
    }
    // The settings record is the one read of a counted size; whatever
    // follows it waits for the next read.
    const QByteArray bytes = RoundState.NetPhase == NetPhase::LoggedIn ? connection->receiveBuf(SettingsRecord::Size)
                                                                        : connection->receiveText();
    handlePeerRead(bytes);
}

void TForm1::ServerSocketClientRead(SocketConnection *connection)
{
    handlePeerRead(connection->receiveText());
}

void TForm1::handlePeerRead(const QByteArray &bytes)
{
    const QList<QByteArray> messages =
        RoundState.NetPhase == NetPhase::TurnRunning ? NetProtocol::splitTurnRead(bytes) : QList<QByteArray>{bytes};
    // A leave among them ends the game; nothing after it counts.
    for (const QByteArray &message : messages) {
        if (!RoundState.NetworkGame)
            break;
        handlePeerMessage(message);
    }
}

void TForm1::handlePeerMessage(const QByteArray &bytes)
{
    using NetProtocol::PeerMessage;
    const PeerMessage message = NetProtocol::readPeerMessage(bytes, RoundState.NetPhase, RoundState.IsHost);
    switch (message.kind) {
    case PeerMessage::Nothing:
        break;
    case PeerMessage::Greeting:
        peerGreets(message.text);
        break;
    case PeerMessage::Login:
        peerLogsIn(message.text);
        break;
    case PeerMessage::Settings:
        peerSendsSettings(SettingsRecord::decode(bytes));
        break;
    case PeerMessage::Ready:
        RoundState.NetPhase = LocalSetsWord() ? NetPhase::AwaitingStart : NetPhase::AwaitingWord;
        WordOK->setEnabled(true);
        break;
    case PeerMessage::Word:
        RoundState.NetPhase = LocalGuesses() ? NetPhase::TurnRunning : NetPhase::AwaitingStart;
        Word->setText(message.text);
        WordOKClick();
        break;
    case PeerMessage::Start:
        RoundState.NetPhase = NetPhase::TurnRunning;
        GameStartGameClick();
        break;
    case PeerMessage::Guess:
        FormKeyPress(nullptr, message.text.at(0));
        break;
    case PeerMessage::TurnOver:
        peerLeavesStatistics();
        break;
    case PeerMessage::Leave:
        peerLeaves();
        break;
    }
}

void TForm1::peerGreets(const QString &greeting)
{
    const NetProtocol::Greeting host = NetProtocol::splitGreeting(greeting);
    QString entry;
    while (entry != host.password) {
        QInputDialog query(this);
        query.setWindowTitle(QStringLiteral("Passwort"));
        query.setLabelText(kPasswordPrompt);
        query.setTextEchoMode(QLineEdit::Normal);
        query.setTextValue(entry);
        // Cancelling leaves the connection open and this computer logged out.
        if (query.exec() != QDialog::Accepted || !ClientSocket->isActive())
            return;
        entry = query.textValue();
        if (entry != host.password) {
            showMessageBox(this, QMessageBox::Warning, QStringLiteral("Ungültiges Passwort"),
                    QStringLiteral("Das eingegebene Passwort ist nicht korrekt. "
                                   "Beachten Sie auch die Groß-/Kleinschreibung."));
        }
    }

    RoundState.NetPhase = NetPhase::LoggedIn;
    m_peerNickname = host.nickname;
    sendToPeer(Edit_IPName->text());
    Player1->setText(host.nickname);
    Player2->setText(Edit_IPName->text());
    // The host's settings may arrive, and be shown, while this box is open.
    showMessageBox(this, QMessageBox::Information, QStringLiteral("Angemeldet"),
            QStringLiteral("Die Anmeldung bei ") + host.nickname + QStringLiteral(" war erfolgreich.\n\n")
                + QStringLiteral("Klicken Sie OK, um die Einstellungen des Gastgebers anzuzeigen. Eventuell müssen "
                                 "Sie einen Augenblick warten, bis die Informationen vom Gastgeber eintreffen."));
}

void TForm1::peerLogsIn(const QString &nickname)
{
    RoundState.NetPhase = NetPhase::LoggedIn;
    m_peerNickname = nickname;
    showMessageBox(this, QMessageBox::Information, QStringLiteral("Mitspieler hat sich angemeldet"),
            nickname + QStringLiteral(" hat sich angemeldet.\n\nKlicken Sie auf OK, um das Spiel zu starten."));
    // The participant may have left while the box was open.
    if (!ServerSocket->isActive())
        return;

    sendBytesToPeer(SettingsRecord::fromSettings(currentSettings()).encode());
    Player1->setText(Edit_IPName->text());
    Player2->setText(nickname);
    StartMatch();
    showPage(WordPage);
    // The first word can go out once the participant has seen the settings.
    showWordEntry(WordEntry::OpenOncePeerReady);
}

void TForm1::peerSendsSettings(const SettingsRecord &record)
{
    applySettings(record.appliedTo(currentSettings()));
    RoundState.NetPhase = NetPhase::AwaitingWord;
    // The participant looks at the host's choice but cannot change it.
    SetSettingsEnabled(false);
    showPage(SettingsPage);
}

void TForm1::peerLeavesStatistics()
{
    // Still on the game or statistics page, GuessingPlayer names the turn
    // just played, whose guesser sets next; on the word page it has already
    // moved on to the coming turn.
    const bool turnSwitched = currentPage() <= WordPage;
    const quint8 comingGuesser = turnSwitched ? RoundState.GuessingPlayer : quint8(1 - RoundState.GuessingPlayer);
    if (comingGuesser != quint8(RoundState.IsHost)) {
        RoundState.NetPhase = NetPhase::AwaitingWord;
        return;
    }
    RoundState.NetPhase = NetPhase::AwaitingStart;
    // Still on the statistics page, leaving it opens the entry.
    if (turnSwitched)
        showWordEntry(WordEntry::Open);
}

void TForm1::peerLeaves()
{
    // The nickname as the login brought it: during the host's login box
    // the player names are not yet set.
    showMessageBox(this, QMessageBox::Information, QStringLiteral("Mitspieler hat das Spiel beendet"),
            m_peerNickname + QStringLiteral(" hat das Spiel verlassen."));
    Button_IPCancelClick(nullptr);
}
