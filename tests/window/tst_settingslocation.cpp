// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the settings file is read and saved: in a given folder, beside the
// program, or in the user's configuration folder when the program's folder
// is shared.
#include "game/GameSettings.h"
#include "platform/SystemInstall.h"
#include "text/IniFile.h"
#include "window/SettingsLocation.h"

#include "support/ReadOnlyFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsLocation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void fileLocation();
    void readOnlyProgramFolderUsesConfigurationFolder_data();
    void readOnlyProgramFolderUsesConfigurationFolder();
};

void TestSettingsLocation::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSettingsLocation::fileLocation()
{
    QTemporaryDir given;
    const QString givenFile = QDir(given.path()).filePath(QStringLiteral("Properties.ini"));
    QCOMPARE(settingsLocation(given.path()).load, givenFile);
    QCOMPARE(settingsLocation(given.path()).save, givenFile);

    QTemporaryDir program;
    const QString beside = QDir(program.path()).filePath(QStringLiteral("Properties.ini"));
    QCOMPARE(settingsLocationBeside(program.path()).load, beside);
    QCOMPARE(settingsLocationBeside(program.path()).save, beside);
    QCOMPARE(settingsLocation(QString(), program.path()).save, beside);
    // The probe leaves nothing behind.
    QVERIFY(QDir(program.path()).isEmpty());

    const QString configuration = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QCOMPARE(settingsLocationBeside(program.filePath(QStringLiteral("gone"))).save,
             QDir(configuration).filePath(QStringLiteral("Properties.ini")));
}

void TestSettingsLocation::readOnlyProgramFolderUsesConfigurationFolder_data()
{
    QTest::addColumn<bool>("preset");
    QTest::addColumn<bool>("usersFile");
    QTest::addColumn<int>("rounds");

    // Presets say 12 rounds, the user's own file 20.
    QTest::newRow("neither") << false << false << 5;
    QTest::newRow("administrator's presets") << true << false << 12;
    QTest::newRow("user's file") << false << true << 20;
    QTest::newRow("user's file over presets") << true << true << 20;
}

void TestSettingsLocation::readOnlyProgramFolderUsesConfigurationFolder()
{
    QFETCH(bool, preset);
    QFETCH(bool, usersFile);
    QFETCH(int, rounds);

    QTemporaryDir program;
    const QString own = QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                            .filePath(QStringLiteral("Properties.ini"));
    QFile::remove(own);
    const auto saveRounds = [](const QString &path, int value) {
        IniFile ini;
        GameSettings settings;
        settings.Rounds = value;
        settings.write(ini);
        return ini.save(path);
    };
    if (preset)
        QVERIFY(saveRounds(QDir(program.path()).filePath(QStringLiteral("Properties.ini")), 12));
    if (usersFile)
        QVERIFY(saveRounds(own, 20));

    ReadOnlyFolder readOnly(program.path());
    QVERIFY(!canCreateFilesIn(program.path()));
    const SettingsLocation chosen = settingsLocationBeside(program.path());
    QCOMPARE(chosen.save, own);
    QCOMPARE(GameSettings::read(IniFile::load(chosen.load)).Rounds, rounds);

    // The next start reads what this one saved.
    QVERIFY(saveRounds(chosen.save, 33));
    QCOMPARE(GameSettings::read(IniFile::load(settingsLocationBeside(program.path()).load)).Rounds, 33);
    QFile::remove(own);
}

QTEST_MAIN(TestSettingsLocation)
#include "tst_settingslocation.moc"
