// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window's parts that only its own files see.
#include "window/TForm1.h"

#include "game/WordPool.h"

#include <QPointer>

struct TForm1::Pages
{
    QStackedWidget *MainSites = nullptr;
    TWinXP *WinXP1 = nullptr;
    UpdateComponent *Update = nullptr;
    // Each is made when first shown; most runs never see some of them.
    StartPage *start = nullptr;
    SettingsPage *settings = nullptr;
    PlayersPage *players = nullptr;
    WordPage *word = nullptr;
    GamePage *game = nullptr;
    StatisticsPage *statistics = nullptr;
    NetworkPage *network = nullptr;
    SoloPage *solo = nullptr;
};

struct TForm1::State
{
    // The settings and names as loaded; saving writes only what differs.
    std::unique_ptr<GameSettings> loadedSettings;
    std::unique_ptr<PlayerNames> loadedNames;
    std::unique_ptr<SoloSettings> loadedSolo;
    // The host's settings are only shown on the joining computer.
    bool settingsLocked = false;
    bool shownOnce = false;
    bool destroyed = false;
    // The settings file is left alone: the run only updated the program.
    bool settingsDetached = false;

    // The network game.
    PeerLink *peer = nullptr;
    PeerSeat *seat = nullptr;
    QString peerNickname;
    // Open while the participant types the host's password.
    QPointer<QWidget> passwordQuery;
    // Open while the player is asked whether to give the word up.
    QPointer<QWidget> giveUpQuery;

    // Playing alone: the words the settings allow, kept while the settings
    // stay, and the computer at the setter's seat.
    std::unique_ptr<WordPool> pool;
    GameSettings poolSettings;
    ComputerSeat *computer = nullptr;
    // The match alone just played beat the best at its level.
    bool soloNewBest = false;
};
