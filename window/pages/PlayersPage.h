// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/GameSettings.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class TImage;
class TKxBitBtn;

// The two players' names for a game on one computer.
class PlayersPage : public QWidget
{
    Q_OBJECT

public:
    explicit PlayersPage(QWidget *parent);

    void showNames(const PlayerNames &names);
    void focusFirstName();

    void PlayersOKClick();
    void PlayersCancelClick();

Q_SIGNALS:
    void namesEdited(const PlayerNames &names);
    // Both names are given and differ.
    void accepted(const PlayerNames &names);
    void cancelled();
    // A character the names cannot hold was typed.
    void inputRefused();

private:
    PlayerNames namesOnPage() const;

    QLabel *Panel2 = nullptr;
    QLineEdit *Player1 = nullptr;
    QLineEdit *Player2 = nullptr;
    TKxBitBtn *PlayersCancel = nullptr;
    TKxBitBtn *PlayersOK = nullptr;
    TImage *Logo2 = nullptr;
};
