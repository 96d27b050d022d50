// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The network page, the login and the leaving of a network game. Each
// computer plays the whole match; the other computer's player takes part
// through its seat (net/PeerSeat), which hands the match the peer's word,
// start and guesses and sends this computer's.
#include "window/TForm1.h"

#include "controls/MessageBoxes.h"
#include "controls/Named.h"
#include "controls/TKxBitBtn.h"
#include "controls/TRadioGroup.h"
#include "game/GameSettings.h"
#include "net/LinkFailure.h"
#include "net/PeerLink.h"
#include "net/PeerSeat.h"
#include "net/SettingsRecord.h"

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
    m_match->setNetworkGame(true, RoundState.IsHost);
    peer().setPhase(NetPhase::Connecting);
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
    peer().setPhase(NetPhase::Connecting);
}

// After a failed attempt the page stands as before it, ready for the next
// one in the same mode.
void TForm1::unlockConnectionChoice(int mode)
{
    RadioGroup_ConnectionMode->setEnabled(true);
    RadioGroup_ConnectionMode->setItemIndex(mode);
    RadioGroup_ConnectionModeClick();
    Edit_IPName->setEnabled(true);
}

void TForm1::Button_HostStartClick()
{
    if (Edit_IPName->text().isEmpty()) {
        showMessageBox(this, QMessageBox::Warning, QStringLiteral("Kein Nickname eingegeben"),
                QStringLiteral("Sie müssen einen Nickname eingeben."));
        Edit_IPName->setFocus();
        return;
    }
    m_match->setNetworkGame(RoundState.NetworkGame, true);
    lockConnectionChoice();
    // Nickname and password are read when the participant connects.
    peer().host();
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
    m_match->setNetworkGame(RoundState.NetworkGame, false);
    lockConnectionChoice();
    // The host's greeting is the first thing to happen.
    peer().join(Edit_IP->text());
}

void TForm1::Button_IPCancelClick(QObject *sender)
{
    if (sender && RoundState.NetworkGame && peer().phase() != NetPhase::Connecting)
        peer().sendLeave();

    if (isPageBuilt(NetworkPage)) {
        RadioGroup_ConnectionMode->setEnabled(true);
        Edit_IPName->setEnabled(true);
    }
    peer().close();
    m_match->setNetworkGame(false, RoundState.IsHost);

    // A turn cut short by the end of the game does not tick on behind the
    // start page.
    if (m_keyboard)
        m_keyboard->leave();
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

PeerLink &TForm1::peer()
{
    if (!m_peer) {
        m_peer = named(new PeerLink(this), "peerLink");
        m_peer->setPort(m_environment.port);
        connectPeerLink();
    }
    return *m_peer;
}

void TForm1::connectPeerLink()
{
    connect(m_peer, &PeerLink::participantConnected, this, &TForm1::ServerSocketClientConnect);
    connect(m_peer, &PeerLink::greetingReceived, this, &TForm1::peerGreets);
    connect(m_peer, &PeerLink::loginReceived, this, &TForm1::peerLogsIn);
    connect(m_peer, &PeerLink::settingsReceived, this, &TForm1::peerSendsSettings);
    connect(m_peer, &PeerLink::leaveReceived, this, &TForm1::peerLeaves);
    connect(m_peer, &PeerLink::failed, this, &TForm1::linkFails);
}

Seat *TForm1::newPeerSeat()
{
    m_seat = named(new PeerSeat(peer(), *m_match), "peerSeat");
    connect(m_seat, &PeerSeat::peerReady, this, [this] { WordOK->setEnabled(true); });
    connect(m_seat, &PeerSeat::wordRefused, this, &TForm1::showRefusal);
    connect(m_seat, &PeerSeat::wordUnexpected, this, [this] {
        peer().close();
        peerVanishes(LinkFailure{LinkFailure::ProtocolError, LinkFailure::Playing, QString(), peer().phase()});
    });
    connect(m_seat, &PeerSeat::wordEntryChanged, this, [this](PeerSeat::WordEntry entry) {
        switch (entry) {
        case PeerSeat::WordEntry::Open:
            showWordEntry(WordEntry::Open);
            break;
        case PeerSeat::WordEntry::PeerTypes:
            showWordEntry(WordEntry::PeerTypes);
            break;
        case PeerSeat::WordEntry::PeerOnStatistics:
            showWordEntry(WordEntry::PeerOnStatistics);
            break;
        }
    });
    return m_seat;
}

void TForm1::ServerSocketClientConnect()
{
    peer().sendGreeting(Edit_IPName->text(), Edit_IPPassword->text());
}

void TForm1::peerGreets(const QString &nickname, const QString &password)
{
    QString entry;
    while (entry != password) {
        // The host may have ended the connection while the last answer was
        // being told wrong.
        if (!peer().isConnected())
            return;
        QInputDialog query(this);
        query.setWindowTitle(QStringLiteral("Passwort"));
        query.setLabelText(kPasswordPrompt);
        query.setTextEchoMode(QLineEdit::Normal);
        query.setTextValue(entry);
        // Goes with the connection, should the host end it meanwhile.
        m_passwordQuery = &query;
        // Cancelling leaves the connection open and this computer logged out.
        if (query.exec() != QDialog::Accepted || !peer().isConnected())
            return;
        entry = query.textValue();
        if (entry != password) {
            showMessageBox(this, QMessageBox::Warning, QStringLiteral("Ungültiges Passwort"),
                    QStringLiteral("Das eingegebene Passwort ist nicht korrekt. "
                                   "Beachten Sie auch die Groß-/Kleinschreibung."));
        }
    }

    m_peerNickname = nickname;
    peer().sendLogin(Edit_IPName->text());
    applyNames({nickname, Edit_IPName->text()});
    // The host's settings may arrive, and be shown, while this box is open.
    showMessageBox(this, QMessageBox::Information, QStringLiteral("Angemeldet"),
            QStringLiteral("Die Anmeldung bei ") + shortForBox(nickname) + QStringLiteral(" war erfolgreich.\n\n")
                + QStringLiteral("Klicken Sie OK, um die Einstellungen des Gastgebers anzuzeigen. Eventuell müssen "
                                 "Sie einen Augenblick warten, bis die Informationen vom Gastgeber eintreffen."));
}

void TForm1::peerLogsIn(const QString &nickname)
{
    m_peerNickname = nickname;
    showMessageBox(this, QMessageBox::Information, QStringLiteral("Mitspieler hat sich angemeldet"),
            shortForBox(nickname) + QStringLiteral(" hat sich angemeldet.\n\nKlicken Sie auf OK, um das Spiel zu starten."));
    // The participant may have left while the box was open.
    if (!peer().isConnected())
        return;

    peer().sendSettings(SettingsRecord::fromSettings(currentSettings()));
    applyNames({Edit_IPName->text(), nickname});
    StartMatch();
    showPage(WordPage);
    // The first word can go out once the participant has seen the settings.
    showWordEntry(WordEntry::OpenOncePeerReady);
}

void TForm1::peerSendsSettings(const SettingsRecord &record)
{
    applySettings(record.appliedTo(currentSettings()));
    // The participant looks at the host's choice but cannot change it.
    SetSettingsEnabled(false);
    showPage(SettingsPage);
}

void TForm1::peerLeaves()
{
    // The nickname as the login brought it: during the host's login box
    // the player names are not yet set.
    showMessageBox(this, QMessageBox::Information, QStringLiteral("Mitspieler hat das Spiel beendet"),
            shortForBox(m_peerNickname) + QStringLiteral(" hat das Spiel verlassen."));
    Button_IPCancelClick(nullptr);
}
