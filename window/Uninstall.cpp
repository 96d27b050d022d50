// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Uninstall.h"

#include "controls/MessageBoxes.h"
#include "platform/Registry.h"
#include "platform/SoundService.h"
#include "platform/SystemInstall.h"
#include "platform/UninstallEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace {

const QString kDisplayName = QStringLiteral("Lettrisko");
const QString kEntryKeyName = QStringLiteral("Zeichenjagd");

// Removes Software\Kx\Lettrisko from a hive; the Kx key itself may hold
// other programs of the maker and stays.
void deleteProgramKey(RegistryHive hive)
{
    Registry registry(hive);
    if (registry.openKey(QStringLiteral("Software\\Kx"), true) && registry.keyExists(kDisplayName))
        registry.deleteKey(kDisplayName);
}

QString programOrRunning(const QString &executablePath)
{
    return executablePath.isEmpty() ? QCoreApplication::applicationFilePath() : executablePath;
}

QStringList settingsFileCandidates(const QString &settingsDirectory, const QString &programDirectory)
{
    QStringList folders{programDirectory, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)};
    if (!settingsDirectory.isEmpty())
        folders << settingsDirectory;
    QStringList files;
    for (const QString &folder : folders) {
        if (folder.isEmpty())
            continue;
        const QString file = QDir(folder).filePath(QStringLiteral("Properties.ini"));
        if (!files.contains(file))
            files << file;
    }
    return files;
}

// Qt appends an application display name to every window title, which
// would spoil the boxes' captions; so the program's name and what it is
// doing go into the text shown for the window in the task bar instead.
void nameInTaskBar(QMessageBox &box)
{
    // The text reaches the window system only once the window exists.
    box.winId();
    box.setWindowIconText(QStringLiteral("Lettrisko [Deinstallation]"));
}

bool confirmUninstall()
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warnung"),
                    QStringLiteral("Soll Lettrisko wirklich deinstalliert werden?"));
    nameInTaskBar(box);
    return execYesNo(box);
}

void reportUninstalled(bool systemInstall)
{
    const QString text = systemInstall
        ? QStringLiteral("Ihre Einstellungen und der Update-Zeitplan von Lettrisko wurden entfernt.\n\n"
                         "Das Programm selbst wurde mit der Paketverwaltung installiert; entfernen Sie es "
                         "bitte auch mit der Paketverwaltung.")
        : QStringLiteral("Lettrisko wurde erfolgreich deinstalliert.");
    QMessageBox box(QMessageBox::Information, QStringLiteral("Deinstallation abgeschlossen"), text,
                    QMessageBox::Ok);
    nameInTaskBar(box);
    box.exec();
}

bool samePath(const QString &a, const QString &b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return canonicalA.isEmpty() ? QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath()
                                : canonicalA == QFileInfo(b).canonicalFilePath();
}

// An entry of our own for an installed copy, written before it was
// installed or by a version that wrote one anyway, would show the game a
// second time beside the installation's entry. An entry for another copy
// of the game is that copy's and stays.
void removeEntryStarting(const QString &program)
{
    const QString entryProgram = uninstallEntryProgram(kEntryKeyName);
    if (!entryProgram.isEmpty() && samePath(entryProgram, program))
        RegisterUninstallEntry(kDisplayName, QString(), QString(), true, kEntryKeyName);
}

} // namespace

bool isUninstallRequest(const QStringList &arguments)
{
    return arguments.size() >= 2 && arguments.at(1) == QLatin1String("/uninstall");
}

QString uninstallCommand(const QString &executablePath)
{
    QString path = executablePath;
    path.replace(QLatin1String("\""), QLatin1String("\"\"\""));
    return QLatin1Char('"') + path + QLatin1String("\" /uninstall");
}

void registerAtNormalStart(const QString &executablePath)
{
    const QString program = programOrRunning(executablePath);
    if (isSystemInstall(program))
        removeEntryStarting(program);
    else
        RegisterUninstallEntry(kDisplayName, uninstallCommand(program), QString(), false, kEntryKeyName);
}

int runSelfUninstall(SoundService &sound, const QString &settingsDirectory, const QString &executablePath)
{
    sound.exclamationBeep();
    if (!confirmUninstall())
        return 0;

    const QString program = programOrRunning(executablePath);
    const bool systemInstall = isSystemInstall(program);
    // Both hives are files of this user here, so the update schedule kept
    // under the local machine goes with the user's own key.
    deleteProgramKey(RegistryHive::CurrentUser);
    deleteProgramKey(RegistryHive::LocalMachine);
    const QString besideProgram = systemInstall ? QString() : QFileInfo(program).absolutePath();
    for (const QString &file : settingsFileCandidates(settingsDirectory, besideProgram))
        QFile::remove(file);
    if (systemInstall)
        removeEntryStarting(program);
    else
        RegisterUninstallEntry(kDisplayName, uninstallCommand(program), QString(), true, kEntryKeyName);

    reportUninstalled(systemInstall);
    return 0;
}
