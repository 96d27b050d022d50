// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window's parts that only its own files see.
#include "window/TForm1.h"

#include "window/NetworkPlay.h"
#include "window/SoloPlay.h"

#include "game/KeyboardSeat.h"
#include "game/WordPool.h"

#include <QPointer>

class GamePage;
class NetworkPage;
class PlayersPage;
class QStackedWidget;
class SettingsPage;
class SoloPage;
class StartPage;
class StatisticsPage;
class TWinXP;
class UpdateComponent;
class WordPage;

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
    // Open while the player is asked whether to give the word up.
    QPointer<QWidget> giveUpQuery;

    // The window's parts for playing alone and over the network.
    SoloPlay *solo = nullptr;
    NetworkPlay *network = nullptr;
};
