// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

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

Q_DECLARE_METATYPE(GameSettings)

namespace {

const QByteArray kDefaultFile = "[Properties]\r\n"
                                "Rounds=5\r\n"
                                "Mistakes=9\r\n"
                                "TimeLimit=0\r\n"
                                "TimeLimitValue=30\r\n"
                                "NoSpecialChars=1\r\n"
                                "CapitalLetters=1\r\n"
                                "AcceptSentences=0\r\n"
                                "AcceptNumbers=0\r\n"
                                "SetFirstLetter=1\r\n"
                                "WonRounds=1\r\n"
                                "PlaySounds=1\r\n"
                                "[Names]\r\n"
                                "Player1=\r\n"
                                "Player2=\r\n";

template<typename Change>
GameSettings defaultsWith(Change change)
{
    GameSettings settings;
    change(settings);
    return settings;
}

} // namespace

class TestGameSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void defaultsWriteTheKnownFile();
    void read_data();
    void read();
    void everyOptionComesBack();
    void onlyChangesAreWritten_data();
    void onlyChangesAreWritten();
    void namesComeBack_data();
    void namesComeBack();
    void fileLocation();
    void readOnlyProgramFolderUsesConfigurationFolder_data();
    void readOnlyProgramFolderUsesConfigurationFolder();
};

void TestGameSettings::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestGameSettings::defaultsWriteTheKnownFile()
{
    IniFile ini;
    GameSettings().write(ini);
    PlayerNames().write(ini);
    QCOMPARE(ini.serialize(), kDefaultFile);

    const IniFile reread = IniFile::parse(kDefaultFile);
    QCOMPARE(GameSettings::read(reread), GameSettings());
}

void TestGameSettings::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<GameSettings>("expected");

    const GameSettings defaults;
    QTest::newRow("empty file") << QByteArray() << defaults;
    QTest::newRow("names only") << QByteArray("[Names]\nPlayer1=Anna\n") << defaults;
    QTest::newRow("keys in another section") << QByteArray("[Options]\nRounds=8\n") << defaults;
    QTest::newRow("rounds above range") << QByteArray("[Properties]\nRounds=500\n")
                                        << defaultsWith([](GameSettings &s) { s.Rounds = 100; });
    QTest::newRow("rounds 0") << QByteArray("[Properties]\nRounds=0\n")
                              << defaultsWith([](GameSettings &s) { s.Rounds = 1; });
    QTest::newRow("mistakes below range") << QByteArray("[Properties]\nMistakes=-3\n")
                                          << defaultsWith([](GameSettings &s) { s.Mistakes = 0; });
    QTest::newRow("mistakes above range") << QByteArray("[Properties]\nMistakes=26\n")
                                          << defaultsWith([](GameSettings &s) { s.Mistakes = 25; });
    QTest::newRow("time limit below range") << QByteArray("[Properties]\nTimeLimitValue=2\n")
                                            << defaultsWith([](GameSettings &s) { s.TimeLimitValue = 5; });
    QTest::newRow("time limit above range") << QByteArray("[Properties]\nTimeLimitValue=601\n")
                                            << defaultsWith([](GameSettings &s) { s.TimeLimitValue = 600; });
    QTest::newRow("the highest of each") << QByteArray("[Properties]\nRounds=100\nMistakes=25\nTimeLimitValue=600\n")
                                         << defaultsWith([](GameSettings &s) {
                                                s.Rounds = 100;
                                                s.Mistakes = 25;
                                                s.TimeLimitValue = 600;
                                            });
    QTest::newRow("one past the highest of each")
        << QByteArray("[Properties]\nRounds=101\nMistakes=26\nTimeLimitValue=601\n") << defaultsWith([](GameSettings &s) {
               s.Rounds = 100;
               s.Mistakes = 25;
               s.TimeLimitValue = 600;
           });
    QTest::newRow("the lowest of each") << QByteArray("[Properties]\nRounds=1\nMistakes=0\nTimeLimitValue=5\n")
                                        << defaultsWith([](GameSettings &s) {
                                               s.Rounds = 1;
                                               s.Mistakes = 0;
                                               s.TimeLimitValue = 5;
                                           });
    QTest::newRow("one past the lowest of each")
        << QByteArray("[Properties]\nRounds=0\nMistakes=-1\nTimeLimitValue=4\n") << defaultsWith([](GameSettings &s) {
               s.Rounds = 1;
               s.Mistakes = 0;
               s.TimeLimitValue = 5;
           });
    QTest::newRow("hex rounds") << QByteArray("[Properties]\nRounds=0x1F\n")
                                << defaultsWith([](GameSettings &s) { s.Rounds = 31; });
    QTest::newRow("rounds not a number") << QByteArray("[Properties]\nRounds=five\n") << defaults;
    QTest::newRow("per letter") << QByteArray("[Properties]\nTimeLimit=1\n")
                                << defaultsWith([](GameSettings &s) { s.TimeLimit = TimeLimitMode::PerLetter; });
    QTest::newRow("whole word") << QByteArray("[Properties]\nTimeLimit=2\n")
                                << defaultsWith([](GameSettings &s) { s.TimeLimit = TimeLimitMode::WholeWord; });
    QTest::newRow("unknown time mode 3") << QByteArray("[Properties]\nTimeLimit=3\n") << defaults;
    QTest::newRow("unknown time mode 7") << QByteArray("[Properties]\nTimeLimit=7\n") << defaults;
    QTest::newRow("unknown time mode -1") << QByteArray("[Properties]\nTimeLimit=-1\n") << defaults;
    QTest::newRow("boolean yes") << QByteArray("[Properties]\nNoSpecialChars=yes\nAcceptNumbers=yes\n") << defaults;
    QTest::newRow("boolean 2") << QByteArray("[Properties]\nNoSpecialChars=2\nAcceptNumbers=2\n")
                               << defaultsWith([](GameSettings &s) { s.AcceptNumbers = true; });
    QTest::newRow("booleans 0") << QByteArray("[Properties]\nNoSpecialChars=0\nCapitalLetters=0\nSetFirstLetter=0\nPlaySounds=0\n")
                                << defaultsWith([](GameSettings &s) {
                                       s.NoSpecialChars = false;
                                       s.CapitalLetters = false;
                                       s.SetFirstLetter = false;
                                       s.PlaySounds = false;
                                   });
    QTest::newRow("fewest mistakes") << QByteArray("[Properties]\nWonRounds=0\n")
                                     << defaultsWith([](GameSettings &s) { s.WonRounds = false; });
    QTest::newRow("keys in any case, LF lines") << QByteArray("[PROPERTIES]\nrounds=3\nacceptsentences=1\n")
                                                << defaultsWith([](GameSettings &s) {
                                                       s.Rounds = 3;
                                                       s.AcceptSentences = true;
                                                   });
    QTest::newRow("garbage between the keys")
        << QByteArray("\x01garbage\r\n[Properties]\r\n###\r\nRounds=4\r\n==\r\nMistakes\r\n{}\r\nTimeLimit=2\r\n")
        << defaultsWith([](GameSettings &s) {
               s.Rounds = 4;
               s.TimeLimit = TimeLimitMode::WholeWord;
           });
}

void TestGameSettings::read()
{
    QFETCH(QByteArray, file);
    QFETCH(GameSettings, expected);
    const GameSettings read = GameSettings::read(IniFile::parse(file));
    QCOMPARE(read.Rounds, expected.Rounds);
    QCOMPARE(read.Mistakes, expected.Mistakes);
    QCOMPARE(int(read.TimeLimit), int(expected.TimeLimit));
    QCOMPARE(read.TimeLimitValue, expected.TimeLimitValue);
    QVERIFY(read == expected);
}

void TestGameSettings::everyOptionComesBack()
{
    GameSettings changed;
    changed.Rounds = 100;
    changed.Mistakes = 0;
    changed.TimeLimit = TimeLimitMode::WholeWord;
    changed.TimeLimitValue = 600;
    changed.NoSpecialChars = false;
    changed.CapitalLetters = false;
    changed.AcceptSentences = true;
    changed.AcceptNumbers = true;
    changed.SetFirstLetter = false;
    changed.WonRounds = false;
    changed.PlaySounds = false;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Properties.ini"));
    IniFile ini;
    changed.write(ini);
    QVERIFY(ini.save(path));
    QVERIFY(GameSettings::read(IniFile::load(path)) == changed);
}

void TestGameSettings::onlyChangesAreWritten_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<GameSettings>("loaded");
    QTest::addColumn<GameSettings>("now");
    QTest::addColumn<QByteArray>("written");

    const GameSettings defaults;
    const QByteArray otherCopysRounds = QByteArray(kDefaultFile).replace("Rounds=5", "Rounds=7");
    QTest::newRow("another copy's change stays")
        << otherCopysRounds << defaults << defaultsWith([](GameSettings &s) { s.Mistakes = 3; })
        << QByteArray(otherCopysRounds).replace("Mistakes=9", "Mistakes=3");
    QTest::newRow("this run's change of the same key wins")
        << otherCopysRounds << defaults << defaultsWith([](GameSettings &s) { s.Rounds = 12; })
        << QByteArray(kDefaultFile).replace("Rounds=5", "Rounds=12");
    QTest::newRow("a value this run left alone stays the other copy's")
        << otherCopysRounds << defaultsWith([](GameSettings &s) { s.WonRounds = false; })
        << defaultsWith([](GameSettings &s) { s.WonRounds = false; }) << otherCopysRounds;
    QTest::newRow("a missing key is written whatever its value")
        << QByteArray("[Properties]\r\nRounds=7\r\n") << defaults << defaults
        << QByteArray(kDefaultFile).replace("Rounds=5", "Rounds=7").left(kDefaultFile.indexOf("[Names]"));
}

void TestGameSettings::onlyChangesAreWritten()
{
    QFETCH(QByteArray, file);
    QFETCH(GameSettings, loaded);
    QFETCH(GameSettings, now);
    QFETCH(QByteArray, written);

    IniFile ini = IniFile::parse(file);
    now.writeChanges(ini, loaded);
    QCOMPARE(ini.serialize(), written);
}

void TestGameSettings::namesComeBack_data()
{
    QTest::addColumn<QString>("player1");
    QTest::addColumn<QString>("player2");

    QTest::newRow("plain") << "Anna" << "Berta";
    QTest::newRow("one blank") << " " << "  ";
    QTest::newRow("quoted nickname") << "\"Ace\"" << "'Bo'";
    QTest::newRow("umlauts and euro") << QString::fromUtf8("Jürgen") << QString::fromUtf8("Ölaf €");
}

void TestGameSettings::namesComeBack()
{
    QFETCH(QString, player1);
    QFETCH(QString, player2);
    IniFile ini;
    GameSettings().write(ini);
    PlayerNames{player1, player2}.write(ini);
    const PlayerNames read = PlayerNames::read(IniFile::parse(ini.serialize()));
    QCOMPARE(read.Player1, player1);
    QCOMPARE(read.Player2, player2);
}

void TestGameSettings::fileLocation()
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

void TestGameSettings::readOnlyProgramFolderUsesConfigurationFolder_data()
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

void TestGameSettings::readOnlyProgramFolderUsesConfigurationFolder()
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

QTEST_MAIN(TestGameSettings)
#include "tst_gamesettings.moc"
