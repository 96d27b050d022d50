// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/SystemInstall.h"

#include "platform/BuildSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

// The folder that holds this one, symbolic links resolved: the prefix of
// bin/ and share/.
QString prefixOf(const QString &folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QString() : QFileInfo(canonical).absolutePath();
}

} // namespace

// Tried rather than read from the permission bits, which neither read-only
// media, access lists nor the administrator's rights show.
bool canCreateFilesIn(const QString &directory)
{
    if (directory.isEmpty() || !QDir(directory).exists())
        return false;
    QTemporaryFile probe(QDir(directory).filePath(QStringLiteral(".lettrisko.XXXXXX.probe")));
    return probe.open();
}

QString installedApplicationId()
{
    return applicationId();
}

bool isSystemInstall(const QString &executablePath)
{
    return !executablePath.isEmpty() && isSystemInstallFolder(QFileInfo(executablePath).absolutePath());
}

bool isSystemInstallFolder(const QString &programDirectory)
{
    if (programDirectory.isEmpty() || !QFileInfo(programDirectory).isDir())
        return false;
    const QString programPrefix = prefixOf(programDirectory);
    const QString usersData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString entry = QStringLiteral("applications/") + installedApplicationId() + QLatin1String(".desktop");

    int writable = -1;
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (!QFileInfo(QDir(data).filePath(entry)).isFile())
            continue;
        if (prefixOf(data) == programPrefix)
            return true;
        if (QDir(data) == QDir(usersData))
            continue;
        if (writable < 0)
            writable = canCreateFilesIn(programDirectory) ? 1 : 0;
        if (writable == 0)
            return true;
    }
    return false;
}
