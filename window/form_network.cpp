// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The network game as the window shows it. The session (net/) holds the
// link, the login and the peer's seat; the window asks the player where
// the session needs an answer, with boxes that wait for nothing, and goes
// on when the answer comes.
#include "window/TForm1.h"

#include "controls/MessageBoxes.h"
#include "controls/Named.h"
#include "net/NetworkSession.h"
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

NetworkSession &TForm1::session()
{
    if (!m_state->session) {
        m_state->session = named(new NetworkSession(*m_match, this), "networkSession");
        m_state->session->setPort(m_environment.port);
        connectSession();
    }
    return *m_state->session;
}

void TForm1::openNetwork()
{
    m_match->setNetworkGame(true, RoundState.IsHost);
    showPage(Network);
}

void TForm1::hostGame()
{
    m_pages->network->lockConnectionChoice();
    session().host(m_pages->network->nickname(), m_pages->network->password());
}

void TForm1::joinGame()
{
    m_pages->network->lockConnectionChoice();
    // The host's greeting is the first thing to happen.
    session().join(m_pages->network->address(), m_pages->network->nickname());
}

void TForm1::leaveNetworkGame(bool tellPeer)
{
    closePasswordQuery();
    if (m_state->session) {
        if (tellPeer)
            m_state->session->leave();
        else
            m_state->session->close();
    }
    if (m_pages->network)
        m_pages->network->reopen();
    m_match->setNetworkGame(false, RoundState.IsHost);
    // The host's settings were only borrowed for the match.
    showSettingsLock(false);
}

void TForm1::connectSession()
{
    NetworkSession *s = m_state->session;
    connect(s, &NetworkSession::passwordWanted, this, &TForm1::askPassword);
    connect(s, &NetworkSession::passwordWrong, this, [this](const QString &entry) {
        openMessageBox(this, QMessageBox::Warning, QStringLiteral("Ungültiges Passwort"),
                       QStringLiteral("Das eingegebene Passwort ist nicht korrekt. "
                                      "Beachten Sie auch die Groß-/Kleinschreibung."),
                       QString(), [this, entry] {
                           // The host may have ended the connection meanwhile.
                           if (session().handshake() == NetworkSession::Handshake::PasswordWanted)
                               askPassword(entry);
                       });
    });
    connect(s, &NetworkSession::loggedIn, this, [this](const QString &host) {
        applyNames({host, m_pages->network->nickname()});
        // The host's settings may arrive, and be shown, while this box is open.
        openMessageBox(this, QMessageBox::Information, QStringLiteral("Angemeldet"),
                       QStringLiteral("Die Anmeldung bei ") + shortForBox(host)
                           + QStringLiteral(" war erfolgreich.\n\nKlicken Sie OK, um die Einstellungen des Gastgebers "
                                            "anzuzeigen. Eventuell müssen Sie einen Augenblick warten, bis die "
                                            "Informationen vom Gastgeber eintreffen."));
    });
    connect(s, &NetworkSession::settingsReceived, this, [this](const SettingsRecord &record) {
        applySettings(record.appliedTo(currentSettings()));
        // The participant looks at the host's choice but cannot change it.
        showSettingsLock(true);
        showPage(Settings);
    });
    connect(s, &NetworkSession::participantLoggedIn, this, [this](const QString &nickname) {
        openMessageBox(this, QMessageBox::Information, QStringLiteral("Mitspieler hat sich angemeldet"),
                       shortForBox(nickname)
                           + QStringLiteral(" hat sich angemeldet.\n\nKlicken Sie auf OK, um das Spiel zu starten."),
                       QString(), [this, nickname] {
                           // The participant may have left while the box was open.
                           if (!session().confirmLogin(SettingsRecord::fromSettings(currentSettings())))
                               return;
                           applyNames({m_pages->network->nickname(), nickname});
                           StartMatch();
                           showPage(Word);
                           // The first word can go out once the participant has seen the settings.
                           showWordEntry(int(WordPage::WordEntry::OpenOncePeerReady));
                       });
    });
    connect(s, &NetworkSession::peerReady, this, [this] { m_pages->word->allowWord(); });
    connect(s, &NetworkSession::wordRefused, this, &TForm1::showRefusal);
    connect(s, &NetworkSession::wordEntryChanged, this, [this](NetworkSession::WordEntry entry) {
        switch (entry) {
        case NetworkSession::WordEntry::Open:
            showWordEntry(int(WordPage::WordEntry::Open));
            break;
        case NetworkSession::WordEntry::PeerTypes:
            showWordEntry(int(WordPage::WordEntry::PeerTypes));
            break;
        case NetworkSession::WordEntry::PeerOnStatistics:
            showWordEntry(int(WordPage::WordEntry::PeerOnStatistics));
            break;
        }
    });
    connect(s, &NetworkSession::peerLeft, this, [this](const QString &nickname) {
        openMessageBox(this, QMessageBox::Information, QStringLiteral("Mitspieler hat das Spiel beendet"),
                       shortForBox(nickname) + QStringLiteral(" hat das Spiel verlassen."), QString(),
                       [this] { leaveMatch(false); });
    });
    connect(s, &NetworkSession::failed, this, &TForm1::linkFails);
}

void TForm1::askPassword(const QString &entry)
{
    auto *query = new QInputDialog(this);
    query->setAttribute(Qt::WA_DeleteOnClose);
    query->setWindowTitle(QStringLiteral("Passwort"));
    query->setLabelText(kPasswordPrompt);
    query->setTextEchoMode(QLineEdit::Normal);
    query->setTextValue(entry);
    m_state->passwordQuery = query;
    // Cancelling leaves the connection open and this computer logged out.
    connect(query, &QInputDialog::textValueSelected, this, [this](const QString &text) { session().answerPassword(text); });
    connect(query, &QDialog::rejected, this, [this] { session().cancelPassword(); });
    query->open();
}

// The password query goes with the connection it was for.
void TForm1::closePasswordQuery()
{
    if (QInputDialog *query = m_state->passwordQuery) {
        disconnect(query, nullptr, this, nullptr);
        query->reject();
    }
}
