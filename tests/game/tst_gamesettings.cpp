// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/GameSettings.h"
#include "game/SoloSettings.h"
#include "text/IniFile.h"

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
    void soloSection_data();
    void soloSection();
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
    // Over these two rows, the empty file and the others each switch reads
    // its own run of values: one read from another's key is seen.
    QTest::newRow("switches apart")
        << QByteArray("[Properties]\nNoSpecialChars=0\nCapitalLetters=1\nAcceptSentences=1\nAcceptNumbers=0\n"
                      "SetFirstLetter=0\nWonRounds=1\nPlaySounds=1\n")
        << defaultsWith([](GameSettings &s) {
               s.NoSpecialChars = false;
               s.AcceptSentences = true;
               s.SetFirstLetter = false;
           });
    QTest::newRow("switches apart the other way")
        << QByteArray("[Properties]\nNoSpecialChars=0\nCapitalLetters=0\nAcceptSentences=0\nAcceptNumbers=1\n"
                      "SetFirstLetter=1\nWonRounds=0\nPlaySounds=1\n")
        << defaultsWith([](GameSettings &s) {
               s.NoSpecialChars = false;
               s.CapitalLetters = false;
               s.AcceptNumbers = true;
               s.WonRounds = false;
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
    // A switch changed alone, beside others with its default: over these
    // rows no two switches could trade keys unseen.
    const auto switched = [](std::initializer_list<const char *> keys) {
        QByteArray file = kDefaultFile;
        for (const char *key : keys) {
            const QByteArray line = QByteArray("\n") + key + '=';
            const qsizetype at = file.indexOf(line) + line.size();
            file[at] = file.at(at) == '1' ? '0' : '1';
        }
        return file;
    };
    QTest::newRow("switches changed: no special characters, first letter, sounds, sentences")
        << kDefaultFile << defaults << defaultsWith([](GameSettings &s) {
               s.NoSpecialChars = false;
               s.SetFirstLetter = false;
               s.PlaySounds = false;
               s.AcceptSentences = true;
           })
        << switched({"NoSpecialChars", "SetFirstLetter", "PlaySounds", "AcceptSentences"});
    QTest::newRow("switches changed: capitals, first letter")
        << kDefaultFile << defaults << defaultsWith([](GameSettings &s) {
               s.CapitalLetters = false;
               s.SetFirstLetter = false;
           })
        << switched({"CapitalLetters", "SetFirstLetter"});
    QTest::newRow("switches changed: rounds won, sounds")
        << kDefaultFile << defaults << defaultsWith([](GameSettings &s) {
               s.WonRounds = false;
               s.PlaySounds = false;
           })
        << switched({"WonRounds", "PlaySounds"});
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

// Solo play keeps its own section; "Anna|mittel|Alle Wörter|4/5/7" is
// what is read of it (name, level, topic, best at "mittel"). A run writes
// what it changed: a new name, and a match's result at "mittel" when it
// beats the best.
void TestGameSettings::soloSection_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QString>("newBest");
    QTest::addColumn<QByteArray>("written");

    const QByteArray solo = "[Solo]\r\nName=Anna\r\nDifficulty=schwer\r\nTopic=Tiere\r\nBestMittel=4/5/7\r\n";
    QTest::newRow("a game of two leaves the file as it was")
        << kDefaultFile << QString::fromUtf8("|mittel|Alle Wörter|") << "" << "" << kDefaultFile;
    QTest::newRow("every value read") << solo << "Anna|schwer|Tiere|4/5/7" << "" << "" << solo;
    const QByteArray flawless = "[Solo]\r\nBestMittel=5/5/0\r\n";
    QTest::newRow("a best without a mistake") << flawless << QString::fromUtf8("|mittel|Alle Wörter|5/5/0") << ""
                                              << "" << flawless;
    QTest::newRow("malformed values take their defaults")
        << QByteArray("[Solo]\r\nDifficulty=sehr schwer\r\nBestMittel=6/5/0\r\nHistory=!!\r\n")
        << QString::fromUtf8("|mittel|Alle Wörter|") << "" << ""
        << QByteArray("[Solo]\r\nDifficulty=sehr schwer\r\nBestMittel=6/5/0\r\nHistory=!!\r\n");
    QTest::newRow("only what changed is written")
        << solo << "Anna|schwer|Tiere|4/5/7" << "Berta" << "5/5/2"
        << QByteArray(solo).replace("Anna", "Berta").replace("4/5/7", "5/5/2");
    QTest::newRow("no word guessed is no best") << kDefaultFile << QString::fromUtf8("|mittel|Alle Wörter|") << ""
                                                << "0/3/9" << kDefaultFile;
    QTest::newRow("a first best adds its key") << kDefaultFile << QString::fromUtf8("|mittel|Alle Wörter|") << ""
                                               << "1/3/20" << kDefaultFile + "[Solo]\r\nBestMittel=1/3/20\r\n";
}

void TestGameSettings::soloSection()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, read);
    QFETCH(QString, newName);
    QFETCH(QString, newBest);
    QFETCH(QByteArray, written);

    IniFile ini = IniFile::parse(file);
    const SoloSettings loaded = SoloSettings::read(ini);
    const SoloBest medium = loaded.bestAt(Difficulty::Level::Medium);
    QCOMPARE(QStringList({loaded.Name, Difficulty::name(loaded.Level), loaded.Topic, medium.toString()}).join('|'),
             read);

    SoloSettings now = loaded;
    if (!newName.isEmpty())
        now.Name = newName;
    // A match's result becomes the best when it beats it.
    const SoloBest result = SoloBest::fromString(newBest);
    if (result.betterThan(now.bestAt(Difficulty::Level::Medium)))
        now.bestAt(Difficulty::Level::Medium) = result;
    now.writeChanges(ini, loaded);
    QCOMPARE(ini.serialize(), written);
}

QTEST_MAIN(TestGameSettings)
#include "tst_gamesettings.moc"
