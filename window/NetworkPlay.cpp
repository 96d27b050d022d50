// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/NetworkPlay.h"

#include "controls/MessageBoxes.h"
#include "controls/Named.h"
#include "net/LinkFailure.h"
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

QString quoted(const QString &text)
{
    return QStringLiteral("„") + TForm1::shortForBox(text) + QStringLiteral("“");
}

// Before the connection stands, "who" is the address typed; after it, the
// peer's nickname.
QString explanationOf(const LinkFailure &failure, const QString &who, quint16 port)
{
    const QString system = QStringLiteral("Meldung des Systems: ") + failure.systemText;
    const QString checkNetwork = QStringLiteral("Prüfen Sie die Adresse und die Netzwerkverbindung; vielleicht lässt "
                                                "eine Firewall den TCP-Port %1 nicht durch.")
                                     .arg(port);
    if (failure.stage == LinkFailure::Opening) {
        switch (failure.kind) {
        case LinkFailure::HostNotFound:
            return QStringLiteral("Ein Computer namens ") + quoted(who)
                + QStringLiteral(" ist nicht bekannt. Prüfen Sie die Schreibweise, oder geben Sie seine "
                                 "IP-Adresse ein.");
        case LinkFailure::Refused:
            return QStringLiteral("Auf ") + quoted(who)
                + QStringLiteral(" wartet kein Gastgeber auf Mitspieler. Prüfen Sie die Adresse, und ob dort "
                                 "„Auf Mitspieler warten“ gewählt ist; versuchen Sie es dann erneut.");
        case LinkFailure::Unreachable:
            return quoted(who) + QStringLiteral(" ist über das Netzwerk nicht zu erreichen. ") + checkNetwork;
        case LinkFailure::TimedOut:
            return quoted(who) + QStringLiteral(" antwortet nicht. ") + checkNetwork;
        default:
            return system;
        }
    }
    switch (failure.kind) {
    case LinkFailure::TurnedAway:
        return QStringLiteral("Versuchen Sie es später noch einmal, wenn die laufende Partie zu Ende ist.");
    case LinkFailure::Closed:
        if (failure.stage == LinkFailure::LoggingIn)
            return QStringLiteral("Der Gastgeber wartet nur eine begrenzte Zeit auf die Anmeldung. Klicken Sie "
                                  "erneut auf „Verbinden“, um es noch einmal zu versuchen.");
        return QStringLiteral("Die Verbindung zu ") + TForm1::shortForBox(who)
            + QStringLiteral(" wurde ohne Abmeldung beendet; vielleicht wurde das Programm dort geschlossen.");
    case LinkFailure::Unreachable:
    case LinkFailure::TimedOut:
        return QStringLiteral("Der Computer von ") + TForm1::shortForBox(who)
            + QStringLiteral(" antwortet nicht mehr; vielleicht ist die Netzwerkverbindung unterbrochen.");
    case LinkFailure::ProtocolError:
        return QStringLiteral("Von dort kamen Daten, die kein Lettrisko schickt. Die Verbindung wurde getrennt.");
    default:
        return QStringLiteral("Die Verbindung ist abgebrochen. ") + system;
    }
}

} // namespace


NetworkPlay::NetworkPlay(TForm1 &window)
    : QObject(&window)
    , m_window(window)
{
}

NetworkSession &NetworkPlay::session()
{
    if (!m_session) {
        m_session = named(new NetworkSession(*m_window.m_match, this), "networkSession");
        m_session->setPort(m_window.m_environment.port);
        connectSession();
    }
    return *m_session;
}

void NetworkPlay::open()
{
    m_window.m_match->setNetworkGame(true, m_window.RoundState.IsHost);
    m_window.showPage(TForm1::Network);
}

void NetworkPlay::host()
{
    m_window.m_pages->network->lockConnectionChoice();
    session().host(m_window.m_pages->network->nickname(), m_window.m_pages->network->password());
}

void NetworkPlay::join()
{
    m_window.m_pages->network->lockConnectionChoice();
    // The host's greeting is the first thing to happen.
    session().join(m_window.m_pages->network->address(), m_window.m_pages->network->nickname());
}

void NetworkPlay::leave(bool tellPeer)
{
    closePasswordQuery();
    if (m_session) {
        if (tellPeer)
            m_session->leave();
        else
            m_session->close();
    }
    if (m_window.m_pages->network)
        m_window.m_pages->network->reopen();
    m_window.m_match->setNetworkGame(false, m_window.RoundState.IsHost);
    // The host's settings were only borrowed for the match.
    m_window.showSettingsLock(false);
}

void NetworkPlay::connectSession()
{
    NetworkSession *s = m_session;
    connect(s, &NetworkSession::passwordWanted, this, &NetworkPlay::askPassword);
    connect(s, &NetworkSession::passwordWrong, this, [this](const QString &entry) {
        openMessageBox(&m_window, QMessageBox::Warning, QStringLiteral("Ungültiges Passwort"),
                       QStringLiteral("Das eingegebene Passwort ist nicht korrekt. "
                                      "Beachten Sie auch die Groß-/Kleinschreibung."),
                       QString(), [this, entry] {
                           // The host may have ended the connection meanwhile.
                           if (session().handshake() == NetworkSession::Handshake::PasswordWanted)
                               askPassword(entry);
                       });
    });
    connect(s, &NetworkSession::loggedIn, this, [this](const QString &host) {
        m_window.applyNames({host, m_window.m_pages->network->nickname()});
        // The host's settings may arrive, and be shown, while this box is open.
        openMessageBox(&m_window, QMessageBox::Information, QStringLiteral("Angemeldet"),
                       QStringLiteral("Die Anmeldung bei ") + TForm1::shortForBox(host)
                           + QStringLiteral(" war erfolgreich.\n\nKlicken Sie OK, um die Einstellungen des Gastgebers "
                                            "anzuzeigen. Eventuell müssen Sie einen Augenblick warten, bis die "
                                            "Informationen vom Gastgeber eintreffen."));
    });
    connect(s, &NetworkSession::settingsReceived, this, [this](const SettingsRecord &record) {
        m_window.applySettings(record.appliedTo(m_window.currentSettings()));
        // The participant looks at the host's choice but cannot change it.
        m_window.showSettingsLock(true);
        m_window.showPage(TForm1::Settings);
    });
    connect(s, &NetworkSession::participantLoggedIn, this, [this](const QString &nickname) {
        openMessageBox(&m_window, QMessageBox::Information, QStringLiteral("Mitspieler hat sich angemeldet"),
                       TForm1::shortForBox(nickname)
                           + QStringLiteral(" hat sich angemeldet.\n\nKlicken Sie auf OK, um das Spiel zu starten."),
                       QString(), [this, nickname] {
                           // The participant may have left while the box was open.
                           if (!session().confirmLogin(SettingsRecord::fromSettings(m_window.currentSettings())))
                               return;
                           m_window.applyNames({m_window.m_pages->network->nickname(), nickname});
                           m_window.StartMatch();
                           m_window.showPage(TForm1::Word);
                           // The first word can go out once the participant has seen the settings.
                           m_window.showWordEntry(int(WordPage::WordEntry::OpenOncePeerReady));
                       });
    });
    connect(s, &NetworkSession::peerReady, this, [this] { m_window.m_pages->word->allowWord(); });
    connect(s, &NetworkSession::wordRefused, this, [this](const MatchState::WordVerdict &verdict) { m_window.showRefusal(verdict); });
    connect(s, &NetworkSession::wordEntryChanged, this, [this](NetworkSession::WordEntry entry) {
        switch (entry) {
        case NetworkSession::WordEntry::Open:
            m_window.showWordEntry(int(WordPage::WordEntry::Open));
            break;
        case NetworkSession::WordEntry::PeerTypes:
            m_window.showWordEntry(int(WordPage::WordEntry::PeerTypes));
            break;
        case NetworkSession::WordEntry::PeerOnStatistics:
            m_window.showWordEntry(int(WordPage::WordEntry::PeerOnStatistics));
            break;
        }
    });
    connect(s, &NetworkSession::peerLeft, this, [this](const QString &nickname) {
        openMessageBox(&m_window, QMessageBox::Information, QStringLiteral("Mitspieler hat das Spiel beendet"),
                       TForm1::shortForBox(nickname) + QStringLiteral(" hat das Spiel verlassen."), QString(),
                       [this] { m_window.leaveMatch(false); });
    });
    connect(s, &NetworkSession::failed, this, &NetworkPlay::linkFails);
}

void NetworkPlay::askPassword(const QString &entry)
{
    auto *query = new QInputDialog(&m_window);
    query->setAttribute(Qt::WA_DeleteOnClose);
    query->setWindowTitle(QStringLiteral("Passwort"));
    query->setLabelText(kPasswordPrompt);
    query->setTextEchoMode(QLineEdit::Normal);
    query->setTextValue(entry);
    m_passwordQuery = query;
    // Cancelling leaves the connection open and this computer logged out.
    connect(query, &QInputDialog::textValueSelected, this, [this](const QString &text) { session().answerPassword(text); });
    connect(query, &QDialog::rejected, this, [this] { session().cancelPassword(); });
    query->open();
}

// The password query goes with the connection it was for.
void NetworkPlay::closePasswordQuery()
{
    if (QInputDialog *query = m_passwordQuery) {
        disconnect(query, nullptr, this, nullptr);
        query->reject();
    }
}

void NetworkPlay::linkFails(const LinkFailure &failure)
{
    closePasswordQuery();
    if (failure.stage == LinkFailure::Opening && m_window.RoundState.IsHost)
        listenFails(failure);
    else if (failure.stage != LinkFailure::Playing)
        joinFails(failure);
    else
        peerVanishes(failure);
}

void NetworkPlay::joinFails(const LinkFailure &failure)
{
    QString text = QStringLiteral("Bei der Verbindung ist ein Fehler aufgetreten.");
    if (failure.kind == LinkFailure::TurnedAway)
        text = QStringLiteral("Der Gastgeber spielt bereits mit einem anderen Teilnehmer.");
    else if (failure.stage == LinkFailure::LoggingIn && failure.kind == LinkFailure::Closed)
        text = QStringLiteral("Der Gastgeber hat die Verbindung getrennt, bevor die Anmeldung abgeschlossen war.");
    const QString who = failure.stage == LinkFailure::Opening ? m_window.m_pages->network->address() : QStringLiteral("dem Gastgeber");
    openMessageBox(&m_window, QMessageBox::Warning, QStringLiteral("Verbinden fehlgeschlagen"), text,
                   explanationOf(failure, who, session().port()), [this] {
                       m_window.leaveMatch(false);
                       // Back on the network page, ready for the next attempt to the
                       // same address.
                       open();
                       m_window.m_pages->network->unlockConnectionChoice(NetworkPage::Participant);
                   });
}

void NetworkPlay::listenFails(const LinkFailure &failure)
{
    auto again = [this] { m_window.m_pages->network->unlockConnectionChoice(NetworkPage::Host); };
    if (failure.kind == LinkFailure::AddressInUse) {
        openMessageBox(&m_window, QMessageBox::Warning, QStringLiteral("Port belegt"),
                       QStringLiteral("Auf diesem Computer wartet schon ein anderes Programm auf Verbindungen über "
                                      "den TCP-Port %1.")
                           .arg(session().port()),
                       QStringLiteral("Vielleicht läuft Lettrisko hier ein zweites Mal. Beenden Sie das andere "
                                      "Programm, und klicken Sie dann erneut auf „Auf Mitspieler warten“."),
                       again);
    } else {
        openMessageBox(&m_window, QMessageBox::Warning, QStringLiteral("Netzwerkfehler"),
                       QStringLiteral("Dieser Computer kann nicht auf Mitspieler warten."),
                       explanationOf(failure, QString(), session().port()), again);
    }
}

void NetworkPlay::peerVanishes(const LinkFailure &failure)
{
    const QString nickname = session().peerNickname();
    const QString explanation = explanationOf(failure, nickname, session().port());
    auto leave = [this] { m_window.leaveMatch(false); };
    if (failure.kind == LinkFailure::ProtocolError) {
        openMessageBox(&m_window, QMessageBox::Warning, QStringLiteral("Verbindung getrennt"),
                       QStringLiteral("Das Spiel mit ") + TForm1::shortForBox(nickname) + QStringLiteral(" ist beendet."),
                       explanation, leave);
    } else {
        // The same message as when the peer leaves on purpose.
        openMessageBox(&m_window, QMessageBox::Information, QStringLiteral("Mitspieler hat das Spiel beendet"),
                       TForm1::shortForBox(nickname) + QStringLiteral(" hat das Spiel verlassen."), explanation, leave);
    }
}
