// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/SettingsLocation.h"

#include "platform/SystemInstall.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kFileName = QStringLiteral("Properties.ini");

} // namespace

SettingsLocation settingsLocationBeside(const QString &programDirectory)
{
    // An administrator may write to /usr/bin, but a file left there would
    // outlive the package.
    if (canCreateFilesIn(programDirectory) && !isSystemInstallFolder(programDirectory)) {
        const QString beside = QDir(programDirectory).filePath(kFileName);
        return {beside, beside};
    }
    const QString configuration = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString own = QDir(configuration).filePath(kFileName);
    if (QFileInfo::exists(own) || programDirectory.isEmpty())
        return {own, own};
    return {QDir(programDirectory).filePath(kFileName), own};
}

SettingsLocation settingsLocation(const QString &directory, const QString &programDirectory)
{
    if (!directory.isEmpty()) {
        const QString file = QDir(directory).filePath(kFileName);
        return {file, file};
    }
    return settingsLocationBeside(programDirectory.isEmpty() ? QCoreApplication::applicationDirPath()
                                                             : programDirectory);
}
