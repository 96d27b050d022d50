#include "game/Uninstall.h"

#include "platform/Registry.h"
#include "platform/SoundService.h"
#include "platform/UninstallEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
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

QStringList settingsFileCandidates(const QString &settingsDirectory)
{
    QStringList folders{QCoreApplication::applicationDirPath(),
                        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)};
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
    QPushButton *yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void reportUninstalled()
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Deinstallation abgeschlossen"),
                    QStringLiteral("Lettrisko wurde erfolgreich deinstalliert."), QMessageBox::Ok);
    nameInTaskBar(box);
    box.exec();
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

void registerAtNormalStart()
{
    RegisterUninstallEntry(kDisplayName, uninstallCommand(QCoreApplication::applicationFilePath()), QString(),
                           false, kEntryKeyName);
}

int runSelfUninstall(SoundService &sound, const QString &settingsDirectory)
{
    sound.exclamationBeep();
    if (!confirmUninstall())
        return 0;

    // Both hives are files of this user here, so the update schedule kept
    // under the local machine goes with the user's own key.
    deleteProgramKey(RegistryHive::CurrentUser);
    deleteProgramKey(RegistryHive::LocalMachine);
    for (const QString &file : settingsFileCandidates(settingsDirectory))
        QFile::remove(file);
    RegisterUninstallEntry(kDisplayName, uninstallCommand(QCoreApplication::applicationFilePath()), QString(), true,
                           kEntryKeyName);

    reportUninstalled();
    return 0;
}
