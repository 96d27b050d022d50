// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Where Properties.ini is read at start and saved at the end. The two
// differ only for a system-wide installation, see settingsLocationBeside.
struct SettingsLocation
{
    QString load;
    QString save;
};

// In the given folder when one is given; else for the program installed
// in programDirectory, empty for the running executable's folder.
SettingsLocation settingsLocation(const QString &directory = QString(), const QString &programDirectory = QString());

// Beside the program when its folder is writable. A folder the user cannot
// write to, or the folder of a system-wide installation (which not even its
// administrator should fill), is shared: each user's settings are saved in
// the user's configuration folder and read from there once that file
// exists; until then the file beside the program is read, which may hold
// the administrator's preset names and options.
SettingsLocation settingsLocationBeside(const QString &programDirectory);

