#pragma once

#include <QString>

// Where Properties.ini lives: in the given folder when one is given, else
// beside the executable when that folder is writable, else in the user's
// configuration folder. The file is read from and written to that one
// place, so a system-wide installation keeps each user's settings.
QString settingsFilePath(const QString &directory = QString());

// The choice for a program installed in programDirectory.
QString settingsFileBeside(const QString &programDirectory);

// Whether a file can be created in the folder; tried rather than derived
// from the permission bits, which neither read-only media nor access
// lists show.
bool canCreateFilesIn(const QString &directory);
