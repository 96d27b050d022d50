// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for, worked out before any window or the
// application object exists, so that asking for help or the version needs
// no display.
struct CommandLineRequest
{
    enum class Action {
        Play,      // the game, or the uninstall when "/uninstall" comes first
        ShowText,  // the help or the version: print text and end with 0
        Refuse,    // an option the program does not know: print text to the error output, end with 2
    };
    Action action = Action::Play;
    QString text;
};

// The arguments as given, the program's name first. Besides its own
// options the program accepts those of Qt (-platform, -style, ...) and
// leaves them to the application object; arguments that are no options,
// "/uninstall" among them, are left to the program entry.
CommandLineRequest readCommandLine(const QStringList &arguments);

// The one line that a start without a usable display prints before it
// ends with 1: what is missing, in the environment's own words.
QString noDisplayMessage(const QStringList &arguments);
