// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The network page, the login and the leaving of a network game. Each
// computer plays the whole match; the other computer's player takes part
// through its seat (net/PeerSeat), which hands the match the peer's word,
// start and guesses and sends this computer's.
#include "window/TForm1.h"

#include "controls/MessageBoxes.h"
#include "controls/Named.h"
#include "net/LinkFailure.h"
#include "net/PeerLink.h"
#include "net/PeerSeat.h"
#include "net/SettingsRecord.h"
#include "window/TForm1_p.h"
#include "window/pages/NetworkPage.h"
#include "window/pages/WordPage.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace {

const QString kPasswordPrompt = QStringLiteral(
    "Sie müssen das erforderliche Passwort eingeben, um sich bei dem angegebenen Server anzumelden.");

} // namespace

void TForm1::openNetwork()
{
    RoundState.NetworkGame = true;
    peer().setPhase(NetPhase::Connecting);
    showPage(Network);
}

void TForm1::hostGame()
{
    RoundState.IsHost = true;
    m_pages->network->lockConnectionChoice();
    peer().setPhase(NetPhase::Connecting);
    // Nickname and password are read when the participant connects.
    peer().host();
}

void TForm1::joinGame()
{
    RoundState.IsHost = false;
    m_pages->network->lockConnectionChoice();
    peer().setPhase(NetPhase::Connecting);
    // The host's greeting is the first thing to happen.
    peer().join(m_pages->network->address());
}

void TForm1::leaveNetworkGame(bool tellPeer)
{
    if (tellPeer && m_state->peer && m_state->peer->phase() != NetPhase::Connecting)
        m_state->peer->sendLeave();
    if (m_pages->network)
        m_pages->network->reopen();
    if (m_state->peer)
        m_state->peer->close();
    RoundState.NetworkGame = false;
    // The host's settings were only borrowed for the match.
    showSettingsLock(false);
}

PeerLink &TForm1::peer()
{
    if (!m_state->peer) {
        m_state->peer = named(new PeerLink(this), "peerLink");
        m_state->peer->setPort(m_environment.port);
        m_state->seat = named(new PeerSeat(*m_state->peer, *m_match, this), "peerSeat");
        connectPeerLink();
    }
    return *m_state->peer;
}

PeerSeat &TForm1::peerSeat()
{
    peer();
    return *m_state->seat;
}

void TForm1::connectPeerLink()
{
    PeerLink *link = m_state->peer;
    PeerSeat *seat = m_state->seat;
    connect(link, &PeerLink::participantConnected, this, [this] {
        peer().sendGreeting(m_pages->network->nickname(), m_pages->network->password());
    });
    connect(link, &PeerLink::greetingReceived, this, &TForm1::peerGreets);
    connect(link, &PeerLink::loginReceived, this, &TForm1::peerLogsIn);
    connect(link, &PeerLink::settingsReceived, this, &TForm1::peerSendsSettings);
    connect(link, &PeerLink::leaveReceived, this, &TForm1::peerLeaves);
    connect(link, &PeerLink::failed, this, &TForm1::linkFails);

    connect(seat, &PeerSeat::peerReady, this, [this] { m_pages->word->allowWord(); });
    connect(seat, &PeerSeat::wordRefused, this, &TForm1::showRefusal);
    connect(seat, &PeerSeat::wordUnexpected, this, [this] {
        peer().close();
        peerVanishes(LinkFailure{LinkFailure::ProtocolError, LinkFailure::Playing, QString(), peer().phase()});
    });
    connect(seat, &PeerSeat::wordEntryChanged, this, [this](PeerSeat::WordEntry entry) {
        switch (entry) {
        case PeerSeat::WordEntry::Open:
            showWordEntry(int(WordPage::WordEntry::Open));
            break;
        case PeerSeat::WordEntry::PeerTypes:
            showWordEntry(int(WordPage::WordEntry::PeerTypes));
            break;
        case PeerSeat::WordEntry::PeerOnStatistics:
            showWordEntry(int(WordPage::WordEntry::PeerOnStatistics));
            break;
        }
    });
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
        m_state->passwordQuery = &query;
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

    m_state->peerNickname = nickname;
    peer().sendLogin(m_pages->network->nickname());
    applyNames({nickname, m_pages->network->nickname()});
    // The host's settings may arrive, and be shown, while this box is open.
    showMessageBox(this, QMessageBox::Information, QStringLiteral("Angemeldet"),
            QStringLiteral("Die Anmeldung bei ") + shortForBox(nickname) + QStringLiteral(" war erfolgreich.\n\n")
                + QStringLiteral("Klicken Sie OK, um die Einstellungen des Gastgebers anzuzeigen. Eventuell müssen "
                                 "Sie einen Augenblick warten, bis die Informationen vom Gastgeber eintreffen."));
}

void TForm1::peerLogsIn(const QString &nickname)
{
    m_state->peerNickname = nickname;
    showMessageBox(this, QMessageBox::Information, QStringLiteral("Mitspieler hat sich angemeldet"),
            shortForBox(nickname) + QStringLiteral(" hat sich angemeldet.\n\nKlicken Sie auf OK, um das Spiel zu starten."));
    // The participant may have left while the box was open.
    if (!peer().isConnected())
        return;

    peer().sendSettings(SettingsRecord::fromSettings(currentSettings()));
    applyNames({m_pages->network->nickname(), nickname});
    StartMatch();
    showPage(Word);
    // The first word can go out once the participant has seen the settings.
    showWordEntry(int(WordPage::WordEntry::OpenOncePeerReady));
}

void TForm1::peerSendsSettings(const SettingsRecord &record)
{
    applySettings(record.appliedTo(currentSettings()));
    // The participant looks at the host's choice but cannot change it.
    showSettingsLock(true);
    showPage(Settings);
}

void TForm1::peerLeaves()
{
    // The nickname as the login brought it: during the host's login box
    // the player names are not yet set.
    showMessageBox(this, QMessageBox::Information, QStringLiteral("Mitspieler hat das Spiel beendet"),
            shortForBox(m_state->peerNickname) + QStringLiteral(" hat das Spiel verlassen."));
    leaveMatch(false);
}
