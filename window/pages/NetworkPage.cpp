// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/pages/NetworkPage.h"

#include "controls/MessageBoxes.h"
#include "controls/Named.h"
#include "controls/TImage.h"
#include "controls/TKxBitBtn.h"
#include "controls/TRadioGroup.h"
#include "net/NetProtocol.h"
#include "text/CodePageValidator.h"
#include "window/pages/PageKit.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

using namespace PageKit;

namespace {

void setGroupEnabled(QGroupBox *box, bool enabled)
{
    box->setEnabled(enabled);
    for (QWidget *child : box->findChildren<QWidget *>())
        child->setEnabled(enabled);
}

} // namespace

NetworkPage::NetworkPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TCPIP"));
    Panel5 = banner(this, "Panel5", QStringLiteral("TCP/IP-Einstellungen"));
    Logo5 = decoration(this, "Logo5", 534);

    RadioGroup_ConnectionMode = named(new TRadioGroup(QStringLiteral("Verbindungsart (Gastgeber bestimmt Spieleinstellungen)"),
                                                      {QStringLiteral("Gastgeber"), QStringLiteral("Teilnehmer")}, this),
                                      "RadioGroup_ConnectionMode");
    RadioGroup_ConnectionMode->setGeometry(16, 52, 500, 100);
    RadioGroup_ConnectionMode->setItemIndex(-1);

    Edit_IPName = edit(this, "Edit_IPName", {536, 84, 241, 34});
    label(this, QStringLiteral("Nick&name:"), 536, 56, Edit_IPName)->setObjectName(QStringLiteral("Label_IPName"));

    GroupBox_Host = named(new QGroupBox(QStringLiteral("Gastgebereinstellungen"), this), "GroupBox_Host");
    GroupBox_Host->setGeometry(16, 160, 500, 150);
    Edit_IPPassword = edit(GroupBox_Host, "Edit_IPPassword", {136, 32, 200, 34});
    Edit_IPPassword->setEchoMode(QLineEdit::Normal);
    labelEndingAt(GroupBox_Host, QStringLiteral("&Passwort:"), 128, 36, Edit_IPPassword)
        ->setObjectName(QStringLiteral("Label_IPPassword"));
    Label14 = named(label(GroupBox_Host, QStringLiteral("(freilassen, um kein Passwort zu verwenden)"), 16, 70), "Label14");
    Label14->setFont(pixelFont(font(), 15));
    Label14->adjustSize();
    Button_IPSettings = button(GroupBox_Host, "Button_IPSettings", QStringLiteral("Spiel&einstellungen"), {16, 98, 220, 41});
    Button_HostStart = button(GroupBox_Host, "Button_HostStart", QStringLiteral("Auf Mit&spieler warten"), {256, 98, 228, 41});

    GroupBox_Client = named(new QGroupBox(QStringLiteral("Teilnehmereinstellungen"), this), "GroupBox_Client");
    GroupBox_Client->setGeometry(16, 320, 500, 120);
    Edit_IP = edit(GroupBox_Client, "Edit_IP", {136, 32, 200, 34});
    labelEndingAt(GroupBox_Client, QStringLiteral("&IP-Adresse:"), 128, 36, Edit_IP)->setObjectName(QStringLiteral("Label_IP"));
    Label15 = named(label(GroupBox_Client, QStringLiteral("(IP-Adresse oder Computername)"), 136, 72), "Label15");
    Label15->setFont(pixelFont(font(), 15));
    Label15->adjustSize();
    Button_ClientStart = button(GroupBox_Client, "Button_ClientStart", QStringLiteral("Ver&binden"), {352, 30, 132, 41});

    // No mode chosen yet: both groups are closed.
    RadioGroup_ConnectionModeClick();

    Button_IPCancel = button(this, "Button_IPCancel", QStringLiteral("Abbrechen"), {16, 504, 185, 57});
    Button_IPCancel->setCancelButton(true);
    setCancelGlyph(Button_IPCancel);
    Button_Troubleshooting = button(this, "Button_Troubleshooting", QStringLiteral("Informationen zur Problembehandlung"),
                                    {16, 452, 500, 41});
    Button_Troubleshooting->setFont(pixelFont(font(), 15));
    Button_Troubleshooting->setGlyph(glyph("info.png"));

    for (TKxBitBtn *each : {Button_IPSettings, Button_HostStart, Button_ClientStart})
        each->setFocusPolicy(Qt::NoFocus);
    // Return starts what the chosen mode offers; the other mode's group is
    // closed, and with it its button.
    Button_HostStart->setDefaultButton(true);
    Button_ClientStart->setDefaultButton(true);
    // Nickname and password travel as 8-bit text and become player names;
    // the other computer takes no greeting longer than both can be.
    Edit_IPName->setMaxLength(NetProtocol::MaxNicknameLength);
    Edit_IPPassword->setMaxLength(NetProtocol::MaxPasswordLength);
    for (QLineEdit *text : {Edit_IPName, Edit_IPPassword}) {
        text->setValidator(new CodePageValidator(text));
        connect(text, &QLineEdit::inputRejected, this, &NetworkPage::inputRefused);
    }
    chainTabOrder({RadioGroup_ConnectionMode, Edit_IPName, GroupBox_Host, Edit_IPPassword, GroupBox_Client, Edit_IP,
                   Button_IPCancel, Button_Troubleshooting});

    connect(Button_IPSettings, &QAbstractButton::clicked, this, &NetworkPage::settingsWanted);
    connect(Button_IPCancel, &QAbstractButton::clicked, this, &NetworkPage::Button_IPCancelClick);
    connect(RadioGroup_ConnectionMode, &TRadioGroup::Click, this, &NetworkPage::RadioGroup_ConnectionModeClick);
    connect(Button_HostStart, &QAbstractButton::clicked, this, &NetworkPage::Button_HostStartClick);
    connect(Button_ClientStart, &QAbstractButton::clicked, this, &NetworkPage::Button_ClientStartClick);
    connect(Button_Troubleshooting, &QAbstractButton::clicked, this, &NetworkPage::Button_TroubleshootingClick);
}

QString NetworkPage::nickname() const
{
    return Edit_IPName->text();
}

QString NetworkPage::password() const
{
    return Edit_IPPassword->text();
}

QString NetworkPage::address() const
{
    return Edit_IP->text();
}

void NetworkPage::RadioGroup_ConnectionModeClick()
{
    const int mode = RadioGroup_ConnectionMode->ItemIndex();
    setGroupEnabled(GroupBox_Host, mode == Host);
    setGroupEnabled(GroupBox_Client, mode == Participant);
}

void NetworkPage::lockConnectionChoice()
{
    RadioGroup_ConnectionMode->setEnabled(false);
    RadioGroup_ConnectionMode->setItemIndex(-1);
    RadioGroup_ConnectionModeClick();
    Edit_IPName->setEnabled(false);
}

void NetworkPage::unlockConnectionChoice(Mode mode)
{
    RadioGroup_ConnectionMode->setEnabled(true);
    RadioGroup_ConnectionMode->setItemIndex(mode);
    RadioGroup_ConnectionModeClick();
    Edit_IPName->setEnabled(true);
}

void NetworkPage::reopen()
{
    RadioGroup_ConnectionMode->setEnabled(true);
    Edit_IPName->setEnabled(true);
}

void NetworkPage::Button_HostStartClick()
{
    if (Edit_IPName->text().isEmpty()) {
        openMessageBox(this, QMessageBox::Warning, QStringLiteral("Kein Nickname eingegeben"),
                       QStringLiteral("Sie müssen einen Nickname eingeben."));
        Edit_IPName->setFocus();
        return;
    }
    Q_EMIT hostRequested();
}

void NetworkPage::Button_ClientStartClick()
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
        openMessageBox(this, QMessageBox::Warning, QStringLiteral("Unvollständige Angaben"), problem);
        return;
    }
    Q_EMIT joinRequested();
}

void NetworkPage::Button_IPCancelClick()
{
    Q_EMIT cancelled();
}

void NetworkPage::Button_TroubleshootingClick()
{
    openMessageBox(this, QMessageBox::Information, QStringLiteral("Vorraussetzung"),
                   QStringLiteral("Um das korrekte Funktionieren der Netzwerk- oder Internetverbindung zu gewährleisten, "
                                  "muss der TCP-Port 5997 freigegeben sein. Sollte auf Ihrem System eine Firewall "
                                  "installiert sein oder eine Hardwarefirewall existieren, müssen Sie dies evtl. "
                                  "manuell konfigurieren."));
}
