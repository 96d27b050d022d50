// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

class SoundService;

// The program's own install and uninstall, run by the entry before any
// window of the game exists.

// True when the first argument after the program name is exactly
// "/uninstall"; any other spelling, or the switch further back, starts the
// game.
bool isUninstallRequest(const QStringList &arguments);

// The command that uninstalls the program at this path: the path in double
// quotes, a space and "/uninstall". A double quote inside the path is
// written as three, which the command line reader turns back into one.
QString uninstallCommand(const QString &executablePath);

// Rewrites the entry in the list of installed programs so that it points at
// the executable; done at every normal start. A system-wide installation
// (isSystemInstall) has a menu entry of its own: there no entry is written,
// and one left over that starts this very executable is removed, so the
// menu shows the game once. An empty path means the running executable.
void registerAtNormalStart(const QString &executablePath = QString());

// Asks whether to uninstall and, on "Ja", removes the game's registry keys,
// its settings file and its entry in the list of installed programs, then
// says so. Needs the application object for its message boxes. The
// settings file is looked for beside the executable, in the user's
// configuration folder and in settingsDirectory when one is given.
// A system-wide installation loses only what belongs to the user: the file
// beside the program holds the administrator's presets and stays, and the
// closing box says that the program itself goes with the package manager.
// Returns the process's exit code.
int runSelfUninstall(SoundService &sound, const QString &settingsDirectory = QString(),
                     const QString &executablePath = QString());
