// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/BuildSettings.h"

#include <QString>

#include <functional>
#include <memory>

class SoundService;
class WordList;

// What a main window takes from its surroundings. The product uses the
// defaults; tests point the files at a temporary folder, pick a free port
// and count the sounds.
struct FormEnvironment
{
    // Folder of Properties.ini, read and saved there; empty: chosen by the
    // program's folder (settingsLocationBeside).
    QString settingsDirectory;
    // Folder of the executable; empty: the running one's.
    QString programDirectory;
    quint16 port = 5997;
    // Null: the desktop's sound output.
    std::shared_ptr<SoundService> sound;
    // The update check at start-up.
    bool automaticUpdate = true;
    // Host name or base URL of the update server; empty: no online update.
    QString updateServer = updateHost();
    // The computer's words when playing alone; null: the list the program
    // carries. The draw's random source; empty: the system's.
    std::shared_ptr<const WordList> words;
    std::function<int(int bound)> random;
};
