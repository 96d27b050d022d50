// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window's parts that only its own files see.
#include "window/TForm1.h"

#include "game/ComputerSeat.h"
#include "game/KeyboardSeat.h"
#include "game/WordPool.h"

#include <QInputDialog>
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

    // This computer's keyboard at the match being played.
    QPointer<KeyboardSeat> keyboard;

    // The network game, and the query of the host's password while the
    // participant's player types it.
    NetworkSession *session = nullptr;
    QPointer<QInputDialog> passwordQuery;

    // Playing alone: the words the settings allow, kept while the settings
    // stay, and the computer at the setter's seat.
    std::unique_ptr<WordPool> pool;
    GameSettings poolSettings;
    QPointer<ComputerSeat> computer;
    // The match alone just played beat the best at its level.
    bool soloNewBest = false;
};
