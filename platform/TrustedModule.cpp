// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/TrustedModule.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

bool ownedByPlayerOrRoot(const struct stat &status, uid_t player)
{
    return status.st_uid == player || status.st_uid == 0;
}

bool writableByOthers(const struct stat &status)
{
    return (status.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

bool statusOf(const QString &path, struct stat &status)
{
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

} // namespace

QString trustedModulePath(const QString &path, uid_t player)
{
    const QString real = QFileInfo(path).canonicalFilePath();
    struct stat status;
    if (real.isEmpty() || !statusOf(real, status))
        return {};
    if (!S_ISREG(status.st_mode) || !ownedByPlayerOrRoot(status, player) || writableByOthers(status))
        return {};
    for (QString folder = QFileInfo(real).path();; folder = QFileInfo(folder).path()) {
        if (!statusOf(folder, status) || !S_ISDIR(status.st_mode) || !ownedByPlayerOrRoot(status, player))
            return {};
        if (writableByOthers(status) && !(status.st_mode & S_ISVTX))
            return {};
        if (folder == QLatin1String("/"))
            return real;
    }
}
