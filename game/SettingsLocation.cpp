#include "game/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

const QString kFileName = QStringLiteral("Properties.ini");

} // namespace

bool canCreateFilesIn(const QString &directory)
{
    if (directory.isEmpty() || !QDir(directory).exists())
        return false;
    QTemporaryFile probe(QDir(directory).filePath(QStringLiteral("Properties.XXXXXX.probe")));
    return probe.open();
}

QString settingsFileBeside(const QString &programDirectory)
{
    if (canCreateFilesIn(programDirectory))
        return QDir(programDirectory).filePath(kFileName);
    const QString configuration = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return QDir(configuration).filePath(kFileName);
}

QString settingsFilePath(const QString &directory)
{
    if (!directory.isEmpty())
        return QDir(directory).filePath(kFileName);
    return settingsFileBeside(QCoreApplication::applicationDirPath());
}
