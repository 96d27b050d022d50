// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// What the player is told when the link to the other computer cannot be
// made or ends without a goodbye, and where each such end leaves the
// window: ready for a new attempt on the network page, or back on the
// start page as after a leave.
#include "window/TForm1.h"

#include "controls/MessageBoxes.h"
#include "controls/TRadioGroup.h"
#include "net/LinkFailure.h"
#include "net/PeerLink.h"

#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace {

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

// One of any length may come from the peer, and a box as wide as its text
// would not fit the screen.
QString TForm1::shortForBox(const QString &text)
{
    constexpr int kShown = 40;
    return text.size() <= kShown ? text : text.left(kShown - 1) + QChar(0x2026);
}

void TForm1::linkFails(const LinkFailure &failure)
{
    if (failure.stage == LinkFailure::Opening && RoundState.IsHost) {
        listenFails(failure);
        return;
    }
    if (failure.stage != LinkFailure::Playing) {
        ClientSocketError(failure);
        return;
    }
    // Each computer ends its side once its user has seen the last result;
    // the other's going then is the end of the match, not a leave.
    if (failure.kind != LinkFailure::ProtocolError && failure.phase == NetPhase::TurnRunning && matchIsOver())
        return;
    peerVanishes(failure);
}

bool TForm1::matchIsOver() const
{
    return m_match->stage() == MatchState::Stage::TurnOver && m_match->lastTurnPlayed();
}

void TForm1::ClientSocketError(const LinkFailure &failure)
{
    // The password query goes with the connection it was for.
    if (auto *query = qobject_cast<QDialog *>(m_passwordQuery.data()))
        query->reject();
    QString text = QStringLiteral("Bei der Verbindung ist ein Fehler aufgetreten.");
    if (failure.kind == LinkFailure::TurnedAway)
        text = QStringLiteral("Der Gastgeber spielt bereits mit einem anderen Teilnehmer.");
    else if (failure.stage == LinkFailure::LoggingIn && failure.kind == LinkFailure::Closed)
        text = QStringLiteral("Der Gastgeber hat die Verbindung getrennt, bevor die Anmeldung abgeschlossen war.");
    const QString who = failure.stage == LinkFailure::Opening ? Edit_IP->text() : QStringLiteral("dem Gastgeber");
    showMessageBox(this, QMessageBox::Warning, QStringLiteral("Verbinden fehlgeschlagen"), text,
                     explanationOf(failure, who, peer().port()));
    peer().setPhase(NetPhase::Connecting);
    m_match->setNetworkGame(false, RoundState.IsHost);
    Button_IPCancelClick(nullptr);
    // Back on the network page, ready for the next attempt to the same
    // address.
    IPGameClick();
    unlockConnectionChoice(1);
}

void TForm1::listenFails(const LinkFailure &failure)
{
    if (failure.kind == LinkFailure::AddressInUse) {
        showMessageBox(this, QMessageBox::Warning, QStringLiteral("Port belegt"),
                         QStringLiteral("Auf diesem Computer wartet schon ein anderes Programm auf Verbindungen über "
                                        "den TCP-Port %1.")
                             .arg(peer().port()),
                         QStringLiteral("Vielleicht läuft Lettrisko hier ein zweites Mal. Beenden Sie das andere "
                                        "Programm, und klicken Sie dann erneut auf „Auf Mitspieler warten“."));
    } else {
        showMessageBox(this, QMessageBox::Warning, QStringLiteral("Netzwerkfehler"),
                         QStringLiteral("Dieser Computer kann nicht auf Mitspieler warten."),
                         explanationOf(failure, QString(), peer().port()));
    }
    unlockConnectionChoice(0);
}

void TForm1::peerVanishes(const LinkFailure &failure)
{
    const QString explanation = explanationOf(failure, m_peerNickname, peer().port());
    if (failure.kind == LinkFailure::ProtocolError) {
        showMessageBox(this, QMessageBox::Warning, QStringLiteral("Verbindung getrennt"),
                         QStringLiteral("Das Spiel mit ") + TForm1::shortForBox(m_peerNickname)
                             + QStringLiteral(" ist beendet."),
                         explanation);
    } else {
        // The same message as when the peer leaves on purpose.
        showMessageBox(this, QMessageBox::Information, QStringLiteral("Mitspieler hat das Spiel beendet"),
                         TForm1::shortForBox(m_peerNickname) + QStringLiteral(" hat das Spiel verlassen."), explanation);
    }
    Button_IPCancelClick(nullptr);
}
