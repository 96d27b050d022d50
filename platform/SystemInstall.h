// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The name under which an installed copy of the game keeps its menu entry,
// icon and software-centre description: "<id>.desktop" in applications/
// of a data folder such as /usr/share.
QString installedApplicationId();

// Whether the program at this path belongs to an installation made with the
// package manager or "cmake --install" rather than to a folder of its own.
// Such a copy is replaced only by the tool that installed it: the program
// then writes no menu entry of its own, keeps its settings in the user's
// configuration folder and does not update itself.
//
// It does when one of the data folders (the user's own and those of
// XDG_DATA_DIRS) holds the installed menu entry and either
// - the program's folder lies beside that data folder, as bin/ beside
//   share/ under one prefix, whoever may write to it (an administrator who
//   starts the game from /usr/bin), or
// - the data folder is a system one and the user may not create files in
//   the program's folder.
// A copy unpacked into a folder the user may write to stays a program of
// its own even when the game is installed as well.
bool isSystemInstall(const QString &executablePath);

// Whether this program may create files in the folder.
bool canCreateFilesIn(const QString &directory);
bool isSystemInstallFolder(const QString &programDirectory);
