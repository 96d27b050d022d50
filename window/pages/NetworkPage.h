// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class TImage;
class TKxBitBtn;
class TRadioGroup;

// How two computers find each other: this one hosts, with a nickname and
// perhaps a password, or joins a host by its address.
class NetworkPage : public QWidget
{
    Q_OBJECT

public:
    enum Mode { Host = 0, Participant = 1 };

    explicit NetworkPage(QWidget *parent);

    QString nickname() const;
    QString password() const;
    QString address() const;
    // After a start only cancel and the troubleshooting note stay usable.
    void lockConnectionChoice();
    // After a failed attempt the page stands as before it, ready for the
    // next one in the same mode.
    void unlockConnectionChoice(Mode mode);
    // Left: the next visit may choose again.
    void reopen();

    void RadioGroup_ConnectionModeClick();
    void Button_HostStartClick();
    void Button_ClientStartClick();
    void Button_IPCancelClick();
    void Button_TroubleshootingClick();

Q_SIGNALS:
    void hostRequested();
    void joinRequested();
    void cancelled();
    void settingsWanted();
    // A character that cannot travel to the peer was typed.
    void inputRefused();

private:
    QLabel *Panel5 = nullptr;
    TRadioGroup *RadioGroup_ConnectionMode = nullptr;
    QLineEdit *Edit_IPName = nullptr;
    QGroupBox *GroupBox_Host = nullptr;
    QLineEdit *Edit_IPPassword = nullptr;
    QLabel *Label14 = nullptr;
    TKxBitBtn *Button_IPSettings = nullptr;
    TKxBitBtn *Button_HostStart = nullptr;
    QGroupBox *GroupBox_Client = nullptr;
    QLineEdit *Edit_IP = nullptr;
    QLabel *Label15 = nullptr;
    TKxBitBtn *Button_ClientStart = nullptr;
    TKxBitBtn *Button_IPCancel = nullptr;
    TKxBitBtn *Button_Troubleshooting = nullptr;
    TImage *Logo5 = nullptr;
};
