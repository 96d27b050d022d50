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
// the running executable; done at every normal start.
void registerAtNormalStart();

// Asks whether to uninstall and, on "Ja", removes the game's registry keys,
// its settings file and its entry in the list of installed programs, then
// says so. Needs the application object for its message boxes. The
// settings file is looked for beside the executable, in the user's
// configuration folder and in settingsDirectory when one is given.
// Returns the process's exit code.
int runSelfUninstall(SoundService &sound, const QString &settingsDirectory = QString());
