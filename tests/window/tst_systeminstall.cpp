// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Registry.h"
#include "platform/SystemInstall.h"
#include "platform/UninstallEntry.h"
#include "support/ModalBoxAnswerer.h"
#include "support/ReadOnlyFolder.h"
#include "support/RecordingSound.h"
#include "window/SettingsLocation.h"
#include "window/Uninstall.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Installations are laid out in a temporary root: usr/bin, usr/share and so
// on, with XDG_DATA_DIRS naming root/usr/local/share and root/usr/share. A
// path starting with "~" lies in the user's own data folder.
class TestSystemInstall : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void recognisesInstallations_data();
    void recognisesInstallations();
    void normalStartLeavesTheMenuToTheInstallation_data();
    void normalStartLeavesTheMenuToTheInstallation();
    void uninstallLeavesTheInstallationToThePackageManager();

private:
    QString path(const QString &relative) const;
    QString makeFile(const QString &relative) const { return touch(path(relative)); }
    static QString touch(const QString &file);
    QString menuEntry(const QString &dataFolder) const
    {
        return dataFolder + QLatin1String("/applications/") + installedApplicationId() + QLatin1String(".desktop");
    }

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_root;
};

void TestSystemInstall::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Kx"));
    QCoreApplication::setApplicationName(QStringLiteral("Lettrisko"));
}

void TestSystemInstall::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    qputenv("XDG_DATA_DIRS", (path(QStringLiteral("usr/local/share")) + QLatin1Char(':')
                              + path(QStringLiteral("usr/share"))).toLocal8Bit());
    Registry::setStorageDirectory(m_root->filePath(QStringLiteral("registry")));
    QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).removeRecursively();
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).removeRecursively();
}

void TestSystemInstall::cleanup()
{
    Registry::setStorageDirectory(QString());
    m_root.reset();
}

QString TestSystemInstall::path(const QString &relative) const
{
    if (relative.startsWith(QLatin1Char('~')))
        return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                               + relative.mid(1));
    return m_root->filePath(relative);
}

QString TestSystemInstall::touch(const QString &file)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile(file).open(QIODevice::WriteOnly);
    return file;
}

void TestSystemInstall::recognisesInstallations_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("dataFolders");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("installed");

    const QString usr = QStringLiteral("usr/share");
    const QString usrLocal = QStringLiteral("usr/local/share");
    const QString usrBin = QStringLiteral("usr/bin/lettrisko");
    const QString unpacked = QStringLiteral("opt/lettrisko/lettrisko");
    QTest::newRow("package, for a player") << usrBin << QStringList{usr} << true << true;
    QTest::newRow("package, for the administrator") << usrBin << QStringList{usr} << false << true;
    QTest::newRow("package with the games folder")
        << QStringLiteral("usr/games/lettrisko") << QStringList{usr} << false << true;
    // /bin is a link to /usr/bin on most systems now.
    QTest::newRow("package reached through a linked folder")
        << QStringLiteral("bin/lettrisko") << QStringList{usr} << false << true;
    QTest::newRow("installed from source into /usr/local")
        << QStringLiteral("usr/local/bin/lettrisko") << QStringList{usrLocal} << false << true;
    QTest::newRow("bin of one prefix, entry of the other") << usrBin << QStringList{usrLocal} << false << false;
    QTest::newRow("read-only copy beside an installation") << unpacked << QStringList{usr} << true << true;
    QTest::newRow("own copy beside an installation") << unpacked << QStringList{usr} << false << false;
    QTest::newRow("read-only copy, nothing installed") << unpacked << QStringList{} << true << false;
    QTest::newRow("nothing installed") << usrBin << QStringList{} << false << false;
    QTest::newRow("installed into the user's folders")
        << QStringLiteral("~/../bin/lettrisko") << QStringList{QStringLiteral("~")} << false << true;
    // The user's own entries say nothing about a copy elsewhere.
    QTest::newRow("read-only copy, entry of the user's")
        << unpacked << QStringList{QStringLiteral("~")} << true << false;
}

void TestSystemInstall::recognisesInstallations()
{
    QFETCH(QString, program);
    QFETCH(QStringList, dataFolders);
    QFETCH(bool, readOnly);
    QFETCH(bool, installed);

    if (program.startsWith(QLatin1String("bin/")))
        QVERIFY(QDir().mkpath(path(QStringLiteral("usr/bin")))
                && QFile::link(path(QStringLiteral("usr/bin")), path(QStringLiteral("bin"))));
    const QString executable = makeFile(program);
    const QString folder = QFileInfo(executable).absolutePath();
    for (const QString &data : dataFolders)
        makeFile(menuEntry(data));
    // An entry of the self-registration's name is no installation.
    makeFile(QStringLiteral("usr/share/applications/Zeichenjagd.desktop"));

    std::unique_ptr<ReadOnlyFolder> guard;
    if (readOnly)
        guard = std::make_unique<ReadOnlyFolder>(folder);
    QCOMPARE(isSystemInstall(executable), installed);
    QCOMPARE(isSystemInstallFolder(folder), installed);

    // Only a program of its own keeps its settings beside it.
    const QString beside = QDir(folder).filePath(QStringLiteral("Properties.ini"));
    QCOMPARE(settingsLocationBeside(folder).save == beside, !readOnly && !installed);
    QVERIFY(!QFile::exists(beside));
}

void TestSystemInstall::normalStartLeavesTheMenuToTheInstallation_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("entryBefore");
    QTest::addColumn<QString>("entryAfter");

    const QString program = QStringLiteral("usr/bin/lettrisko");
    const QString otherCopy = QStringLiteral("home/anna/Spiele/lettrisko");
    QTest::newRow("installed, no entry") << true << QString() << QString();
    QTest::newRow("installed, entry left for it") << true << program << QString();
    // The same program by the way of a linked folder, as /bin is /usr/bin.
    QTest::newRow("installed, entry by a linked folder") << true << QStringLiteral("bin/lettrisko") << QString();
    QTest::newRow("installed, entry of another copy") << true << otherCopy << otherCopy;
    QTest::newRow("folder of its own") << false << QString() << program;
    QTest::newRow("folder of its own, moved") << false << otherCopy << program;
}

void TestSystemInstall::normalStartLeavesTheMenuToTheInstallation()
{
    QFETCH(bool, installed);
    QFETCH(QString, entryBefore);
    QFETCH(QString, entryAfter);

    const QString program = makeFile(QStringLiteral("usr/bin/lettrisko"));
    QVERIFY(QFile::link(path(QStringLiteral("usr/bin")), path(QStringLiteral("bin"))));
    if (installed)
        makeFile(menuEntry(QStringLiteral("usr/share")));
    const QString key = QStringLiteral("Zeichenjagd");
    if (!entryBefore.isEmpty())
        QVERIFY(RegisterUninstallEntry(QStringLiteral("Lettrisko"), uninstallCommand(path(entryBefore)), QString(),
                                       false, key));

    registerAtNormalStart(program);

    QCOMPARE(uninstallEntryProgram(key), entryAfter.isEmpty() ? QString() : path(entryAfter));
    QCOMPARE(QFile::exists(uninstallEntryFilePath(key)), !entryAfter.isEmpty());
    QCOMPARE(QFile::exists(uninstallEntryIconPath(key)), !entryAfter.isEmpty());
}

void TestSystemInstall::uninstallLeavesTheInstallationToThePackageManager()
{
    const QString program = makeFile(QStringLiteral("usr/bin/lettrisko"));
    makeFile(menuEntry(QStringLiteral("usr/share")));
    const QString presets = makeFile(QStringLiteral("usr/bin/Properties.ini"));
    const QString own = touch(QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                                  .filePath(QStringLiteral("Properties.ini")));
    for (RegistryHive hive : {RegistryHive::CurrentUser, RegistryHive::LocalMachine}) {
        Registry registry(hive);
        QVERIFY(registry.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), true));
        QVERIFY(registry.writeInteger(QStringLiteral("UpdateInterval"), 14));
    }
    const QString key = QStringLiteral("Zeichenjagd");
    QVERIFY(RegisterUninstallEntry(QStringLiteral("Lettrisko"), uninstallCommand(program), QString(), false, key));

    RecordingSound sound;
    ModalBoxAnswerer answerer(QStringLiteral("&Ja"));
    QCOMPARE(runSelfUninstall(sound, QString(), program), 0);

    QCOMPARE(answerer.count(), 2);
    QCOMPARE(answerer.last().title, QStringLiteral("Deinstallation abgeschlossen"));
    QCOMPARE(answerer.last().text,
             QStringLiteral("Ihre Einstellungen und der Update-Zeitplan von Lettrisko wurden entfernt.\n\n"
                            "Das Programm selbst wurde mit der Paketverwaltung installiert; entfernen Sie es "
                            "bitte auch mit der Paketverwaltung."));
    QVERIFY(!QFile::exists(own));
    QVERIFY(!QFile::exists(uninstallEntryFilePath(key)));
    for (RegistryHive hive : {RegistryHive::CurrentUser, RegistryHive::LocalMachine})
        QVERIFY(!Registry(hive).keyExists(QStringLiteral("Software\\Kx\\Lettrisko")));
    // The installation stays whole: the program and the administrator's
    // presets beside it.
    QVERIFY(QFile::exists(program));
    QVERIFY(QFile::exists(presets));
}

QTEST_MAIN(TestSystemInstall)
#include "tst_systeminstall.moc"
