// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/IniFile.h"

#include "support/HostileFiles.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

class TestIniFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readString_data();
    void readString();
    void readInteger_data();
    void readInteger();
    void readBool_data();
    void readBool();
    void valuesComeBackAsWritten_data();
    void valuesComeBackAsWritten();
    void writesWindowsLinesInWindows1252();
    void rewritingKeepsOrderAndCase();
    void rewritingKeepsWhatIsNotWritten_data();
    void rewritingKeepsWhatIsNotWritten();
    void loadOfMissingFileIsEmpty();
    void saveCreatesTheFolder();
    void saveOntoAFolderFailsAndLeavesIt();
    void failedSaveLeavesPreviousFileWhole();
    void updateUnderTheLock_data();
    void updateUnderTheLock();
};

void TestIniFile::readString_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray names = "[Names]\r\nPlayer1=Anna\r\n";
    QTest::newRow("exact") << names << "Names" << "Player1" << "Anna";
    QTest::newRow("section without case") << names << "NAMES" << "Player1" << "Anna";
    QTest::newRow("key without case") << names << "Names" << "player1" << "Anna";
    QTest::newRow("missing key") << names << "Names" << "Player2" << "<default>";
    QTest::newRow("missing section") << names << "Properties" << "Player1" << "<default>";
    QTest::newRow("empty value is present") << QByteArray("[Names]\nPlayer1=\n") << "Names" << "Player1" << "";
    QTest::newRow("blanks and tabs around") << QByteArray("[Names]\n \tPlayer1 \t=  Anna Maria\t \n") << "Names" << "Player1" << "Anna Maria";
    QTest::newRow("blanks around section name") << QByteArray("[ Names ]\nPlayer1=Anna\n") << "Names" << "Player1" << "Anna";
    QTest::newRow("double quotes") << QByteArray("[Names]\nPlayer1=\" Anna \"\n") << "Names" << "Player1" << " Anna ";
    QTest::newRow("single quotes") << QByteArray("[Names]\nPlayer1='Anna'\n") << "Names" << "Player1" << "Anna";
    QTest::newRow("only one pair of quotes") << QByteArray("[Names]\nPlayer1=\"\"Anna\"\"\n") << "Names" << "Player1" << "\"Anna\"";
    QTest::newRow("unmatched quotes stay") << QByteArray("[Names]\nPlayer1=\"Anna'\n") << "Names" << "Player1" << "\"Anna'";
    QTest::newRow("lone quote stays") << QByteArray("[Names]\nPlayer1=\"\n") << "Names" << "Player1" << "\"";
    QTest::newRow("equals sign in value") << QByteArray("[Names]\nPlayer1=a=b\n") << "Names" << "Player1" << "a=b";
    QTest::newRow("first of two keys") << QByteArray("[Names]\nPlayer1=Anna\nPLAYER1=Berta\n") << "Names" << "Player1" << "Anna";
    QTest::newRow("first of two sections") << QByteArray("[Names]\nPlayer1=Anna\n[names]\nPlayer1=Berta\n") << "Names" << "Player1" << "Anna";
    QTest::newRow("key before any section") << QByteArray("Player1=Anna\n[Names]\n") << "Names" << "Player1" << "<default>";
    QTest::newRow("garbage lines between")
        << QByteArray("[Names]\nnonsense\n=nokey\n\x01\x02\n;Player1=Comment\nPlayer1=Anna\n[broken\n") << "Names" << "Player1" << "Anna";
    QTest::newRow("CR LF leaves no CR") << QByteArray("[Names]\r\nPlayer1=Anna\r\n") << "Names" << "Player1" << "Anna";
    QTest::newRow("no line end at the end") << QByteArray("[Names]\nPlayer1=Anna") << "Names" << "Player1" << "Anna";
    QTest::newRow("Windows-1252 bytes") << QByteArray("[Names]\nPlayer1=J\xfcrgen \x80\n") << "Names" << "Player1" << QString::fromUtf8("Jürgen €");
    const QString unicodeText = QString::fromUtf8("[Names]\r\nPlayer1=Łukasz\r\n");
    const QByteArray utf16 = QByteArray("\xFF\xFE")
        + QByteArray(reinterpret_cast<const char *>(unicodeText.utf16()), unicodeText.size() * 2);
    QTest::newRow("UTF-16 with byte order mark") << utf16 << "Names" << "Player1" << QString::fromUtf8("Łukasz");
    QTest::newRow("UTF-16 big-endian with byte order mark")
        << QByteArray(QStringEncoder(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom)(unicodeText)) << "Names" << "Player1"
        << QString::fromUtf8("Łukasz");
    QTest::newRow("UTF-8 with byte order mark") << QByteArray("\xEF\xBB\xBF[Names]\nPlayer1=J\xC3\xBCrgen\n") << "Names" << "Player1" << QString::fromUtf8("Jürgen");
}

void TestIniFile::readString()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(IniFile::parse(file).readString(section, key, QStringLiteral("<default>")), expected);
}

void TestIniFile::readInteger_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected");

    const int fallback = 77;
    QTest::newRow("decimal") << "5" << 5;
    QTest::newRow("negative") << "-3" << -3;
    QTest::newRow("plus sign") << "+7" << 7;
    QTest::newRow("leading zero is decimal") << "010" << 10;
    QTest::newRow("hex") << "0x1F" << 31;
    QTest::newRow("hex capital X, small digits") << "0X1f" << 31;
    QTest::newRow("hex fills 32 bits") << "0xFFFFFFFF" << -1;
    QTest::newRow("hex too long") << "0x100000000" << fallback;
    QTest::newRow("bare 0x") << "0x" << fallback;
    QTest::newRow("hex with bad digit") << "0x1G" << fallback;
    QTest::newRow("hex twice") << "0x0x1" << fallback;
    QTest::newRow("hex with sign") << "0x-1" << fallback;
    QTest::newRow("negative hex") << "-0x10" << fallback;
    QTest::newRow("hex digits without prefix") << "1F" << fallback;
    QTest::newRow("word") << "yes" << fallback;
    QTest::newRow("empty") << "" << fallback;
    QTest::newRow("trailing letters") << "12abc" << fallback;
    QTest::newRow("inner blank") << "1 2" << fallback;
    QTest::newRow("sign only") << "-" << fallback;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << int(-2147483647 - 1);
    QTest::newRow("too large") << "2147483648" << fallback;
    QTest::newRow("far too large") << "99999999999999999999999" << fallback;
    QTest::newRow("blanks around") << "  42\t" << 42;
    QTest::newRow("in quotes") << "\"7\"" << 7;
    QTest::newRow("Arabic-Indic digit") << QString::fromUtf8("\u0663") << fallback;
}

void TestIniFile::readInteger()
{
    QFETCH(QString, value);
    QFETCH(int, expected);
    const IniFile ini = IniFile::parse("[Properties]\nRounds=" + value.toUtf8() + "\n");
    QCOMPARE(ini.readInteger(QStringLiteral("Properties"), QStringLiteral("Rounds"), 77), expected);
}

void TestIniFile::readBool_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("defaultValue");
    QTest::addColumn<bool>("expected");

    QTest::newRow("1") << "1" << false << true;
    QTest::newRow("0") << "0" << true << false;
    QTest::newRow("any other number is true") << "2" << false << true;
    QTest::newRow("negative is true") << "-1" << false << true;
    QTest::newRow("hex zero is false") << "0x0" << true << false;
    QTest::newRow("yes keeps default true") << "yes" << true << true;
    QTest::newRow("yes keeps default false") << "yes" << false << false;
    QTest::newRow("true keeps default") << "true" << false << false;
    QTest::newRow("empty keeps default") << "" << true << true;
}

void TestIniFile::readBool()
{
    QFETCH(QString, value);
    QFETCH(bool, defaultValue);
    QFETCH(bool, expected);
    const IniFile ini = IniFile::parse("[Properties]\nPlaySounds=" + value.toUtf8() + "\n");
    QCOMPARE(ini.readBool(QStringLiteral("Properties"), QStringLiteral("PlaySounds"), defaultValue), expected);
}

void TestIniFile::valuesComeBackAsWritten_data()
{
    QTest::addColumn<QString>("value");

    QTest::newRow("plain") << "Anna";
    QTest::newRow("one blank") << " ";
    QTest::newRow("blanks around") << "  Anna ";
    QTest::newRow("tab at the end") << "Anna\t";
    QTest::newRow("in double quotes") << "\"Anna\"";
    QTest::newRow("in single quotes") << "'Anna'";
    QTest::newRow("two quotes") << "\"\"";
    QTest::newRow("lone quote") << "\"";
    QTest::newRow("quote at one end") << "\"Anna";
    QTest::newRow("equals sign") << "a=b";
    QTest::newRow("semicolon first") << ";Anna";
    QTest::newRow("brackets") << "[Names]";
    QTest::newRow("Windows-1252 letters") << QString::fromUtf8("Jürgen Öß €‰ÿ");
}

void TestIniFile::valuesComeBackAsWritten()
{
    QFETCH(QString, value);
    IniFile ini;
    ini.writeString(QStringLiteral("Names"), QStringLiteral("Player1"), value);
    ini.writeString(QStringLiteral("Names"), QStringLiteral("Player2"), QStringLiteral("next"));
    const IniFile reread = IniFile::parse(ini.serialize());
    QCOMPARE(reread.readString(QStringLiteral("Names"), QStringLiteral("Player1")), value);
    QCOMPARE(reread.readString(QStringLiteral("Names"), QStringLiteral("Player2")), QStringLiteral("next"));
}

void TestIniFile::writesWindowsLinesInWindows1252()
{
    IniFile ini;
    ini.writeInteger(QStringLiteral("Properties"), QStringLiteral("Rounds"), -12);
    ini.writeBool(QStringLiteral("Properties"), QStringLiteral("PlaySounds"), true);
    ini.writeString(QStringLiteral("Names"), QStringLiteral("Player1"), QString::fromUtf8("Jö€"));
    // What the code page cannot hold becomes one "?" per character, and a
    // line break cannot split the line.
    ini.writeString(QStringLiteral("Names"), QStringLiteral("Player2"), QString::fromUtf8("a😀łb\nc"));
    QCOMPARE(ini.serialize(),
             QByteArray("[Properties]\r\nRounds=-12\r\nPlaySounds=1\r\n[Names]\r\nPlayer1=J\xf6\x80\r\nPlayer2=a??b c\r\n"));
}

void TestIniFile::rewritingKeepsOrderAndCase()
{
    IniFile ini = IniFile::parse("[properties]\nROUNDS=3\nMistakes=4\n");
    ini.writeInteger(QStringLiteral("Properties"), QStringLiteral("Rounds"), 8);
    ini.writeInteger(QStringLiteral("Properties"), QStringLiteral("TimeLimit"), 1);
    QCOMPARE(ini.serialize(), QByteArray("[properties]\r\nROUNDS=8\r\nMistakes=4\r\nTimeLimit=1\r\n"));
    QCOMPARE(ini.sections(), QStringList{QStringLiteral("properties")});
}

void TestIniFile::rewritingKeepsWhatIsNotWritten_data()
{
    // Each write is "section|key|value".
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QByteArray>("after");

    const QStringList roundsAndName{"Properties|Rounds|8", "Names|Player1|Anna"};
    QTest::newRow("no file")
        << QByteArray() << roundsAndName << QByteArray("[Properties]\r\nRounds=8\r\n[Names]\r\nPlayer1=Anna\r\n");
    QTest::newRow("comments and blank lines")
        << QByteArray("; Lettrisko\r\n\r\n[Properties]\r\n; per match\r\nRounds=5\r\n\r\n[Names]\r\nPlayer1=Bo\r\n")
        << roundsAndName
        << QByteArray("; Lettrisko\r\n\r\n[Properties]\r\n; per match\r\nRounds=8\r\n\r\n[Names]\r\nPlayer1=Anna\r\n");
    QTest::newRow("unknown keys and sections")
        << QByteArray("[Properties]\r\nRounds=5\r\nMyOwnKey=42\r\n[Window]\r\nLeft=10\r\n[Names]\r\nPlayer1=Bo\r\n")
        << roundsAndName
        << QByteArray("[Properties]\r\nRounds=8\r\nMyOwnKey=42\r\n[Window]\r\nLeft=10\r\n[Names]\r\nPlayer1=Anna\r\n");
    QTest::newRow("spelling of names")
        << QByteArray("[properties]\r\nrounds=5\r\n") << QStringList{"Properties|Rounds|8"}
        << QByteArray("[properties]\r\nrounds=8\r\n");
    QTest::newRow("blanks around the equals sign")
        << QByteArray("[Properties]\r\n  Rounds =  5 \t\r\n") << QStringList{"Properties|Rounds|8"}
        << QByteArray("[Properties]\r\n  Rounds =  8\r\n");
    QTest::newRow("same value leaves the line")
        << QByteArray("[Names]\r\nPlayer1 = 'Anna'  \r\n") << QStringList{"Names|Player1|Anna"}
        << QByteArray("[Names]\r\nPlayer1 = 'Anna'  \r\n");
    QTest::newRow("value that needs quotes")
        << QByteArray("[Names]\r\nPlayer1=Bo\r\n") << QStringList{"Names|Player1| Anna"}
        << QByteArray("[Names]\r\nPlayer1=\" Anna\"\r\n");
    QTest::newRow("commented-out key")
        << QByteArray("[Properties]\r\n;Rounds=3\r\nRounds=5\r\n") << QStringList{"Properties|Rounds|8"}
        << QByteArray("[Properties]\r\n;Rounds=3\r\nRounds=8\r\n");
    QTest::newRow("new key after the section's last key")
        << QByteArray("[Properties]\r\nMistakes=9\r\n\r\n; players\r\n[Names]\r\n") << QStringList{"Properties|Rounds|8"}
        << QByteArray("[Properties]\r\nMistakes=9\r\nRounds=8\r\n\r\n; players\r\n[Names]\r\n");
    QTest::newRow("new key in an empty section")
        << QByteArray("[Properties]\r\n\r\n[Window]\r\n") << QStringList{"Properties|Rounds|8"}
        << QByteArray("[Properties]\r\nRounds=8\r\n\r\n[Window]\r\n");
    QTest::newRow("new sections at the end")
        << QByteArray("[Window]\r\nLeft=10\r\n") << roundsAndName
        << QByteArray("[Window]\r\nLeft=10\r\n[Properties]\r\nRounds=8\r\n[Names]\r\nPlayer1=Anna\r\n");
    QTest::newRow("last line without line end")
        << QByteArray("[Properties]\r\nRounds=5") << QStringList{"Properties|Mistakes|3"}
        << QByteArray("[Properties]\r\nRounds=5\r\nMistakes=3\r\n");
    QTest::newRow("first of two equal keys")
        << QByteArray("[Properties]\r\nRounds=5\r\nROUNDS=6\r\n") << QStringList{"Properties|Rounds|8"}
        << QByteArray("[Properties]\r\nRounds=8\r\nROUNDS=6\r\n");
    QTest::newRow("first of two equal sections")
        << QByteArray("[Properties]\r\nRounds=5\r\n[Window]\r\n[properties]\r\nMistakes=3\r\n")
        << QStringList{"Properties|Mistakes|4"}
        << QByteArray("[Properties]\r\nRounds=5\r\nMistakes=4\r\n[Window]\r\n[properties]\r\nMistakes=3\r\n");
    QTest::newRow("key before any section")
        << QByteArray("Rounds=3\r\n[Properties]\r\n") << QStringList{"Properties|Rounds|8"}
        << QByteArray("Rounds=3\r\n[Properties]\r\nRounds=8\r\n");
    QTest::newRow("LF lines end in CR LF")
        << QByteArray("; mine\n[Properties]\nRounds=5\n") << QStringList{"Properties|Rounds|8"}
        << QByteArray("; mine\r\n[Properties]\r\nRounds=8\r\n");
    QTest::newRow("bytes the code page leaves undefined")
        << QByteArray("; \x81\x8d\x8f\x90\x9d\r\n[Names]\r\nPlayer1=J\xfcrgen\r\n")
        << QStringList{QString::fromUtf8("Names|Player1|Ölaf")}
        << QByteArray("; \x81\x8d\x8f\x90\x9d\r\n[Names]\r\nPlayer1=\xd6laf\r\n");
    QTest::newRow("UTF-8 file stays UTF-8")
        << QByteArray("\xEF\xBB\xBF; Gr\xC3\xB6\xC3\x9F\x65 \xC5\x81\r\n[Names]\r\nPlayer1=Bo\r\n")
        << QStringList{QString::fromUtf8("Names|Player1|Jürgen"), "Names|Player2|Bo"}
        << QByteArray("\xEF\xBB\xBF; Gr\xC3\xB6\xC3\x9F\x65 \xC5\x81\r\n[Names]\r\nPlayer1=J\xC3\xBCrgen\r\nPlayer2=Bo\r\n");
    const auto utf16 = [](const QString &text) {
        return QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    };
    QTest::newRow("UTF-16 file stays UTF-16")
        << utf16(QString::fromUtf8("; Łódź\n[Names]\nPlayer1=Bo\n"))
        << QStringList{QString::fromUtf8("Names|Player1|Jürgen")}
        << utf16(QString::fromUtf8("; Łódź\r\n[Names]\r\nPlayer1=Jürgen\r\n"));
    const auto bigEndian = [](const char *text) {
        return QByteArray(QStringEncoder(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom)(QString::fromUtf8(text)));
    };
    QTest::newRow("big-endian UTF-16 file stays big-endian")
        << bigEndian("; Łódź\n[Names]\nPlayer1=Bo\n")
        << QStringList{QString::fromUtf8("Names|Player1|Jürgen"), QString::fromUtf8("Names|Player2|Zoë")}
        << bigEndian("; Łódź\r\n[Names]\r\nPlayer1=Jürgen\r\nPlayer2=Zoë\r\n");
}

void TestIniFile::rewritingKeepsWhatIsNotWritten()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, writes);
    QFETCH(QByteArray, after);

    IniFile ini = IniFile::parse(before);
    for (const QString &write : writes) {
        const QStringList parts = write.split(QLatin1Char('|'));
        ini.writeString(parts.at(0), parts.at(1), parts.at(2));
    }
    QCOMPARE(ini.serialize(), after);

    // What was written is what the next start reads.
    const IniFile reread = IniFile::parse(ini.serialize());
    for (const QString &write : writes) {
        const QStringList parts = write.split(QLatin1Char('|'));
        QCOMPARE(reread.readString(parts.at(0), parts.at(1)), parts.at(2));
    }
}

void TestIniFile::loadOfMissingFileIsEmpty()
{
    QTemporaryDir dir;
    const IniFile ini = IniFile::load(dir.filePath(QStringLiteral("nothing.ini")));
    QVERIFY(ini.sections().isEmpty());
    QCOMPARE(ini.readInteger(QStringLiteral("Properties"), QStringLiteral("Rounds"), 5), 5);
}

void TestIniFile::saveCreatesTheFolder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a/b/Properties.ini"));
    IniFile ini;
    ini.writeInteger(QStringLiteral("Properties"), QStringLiteral("Rounds"), 3);
    QVERIFY(ini.save(path));
    QCOMPARE(fileBytes(path), QByteArray("[Properties]\r\nRounds=3\r\n"));
}

void TestIniFile::saveOntoAFolderFailsAndLeavesIt()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Properties.ini"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Properties.ini")));
    QVERIFY(writeFileBytes(path + QStringLiteral("/inside"), "kept"));

    IniFile ini;
    ini.writeInteger(QStringLiteral("Properties"), QStringLiteral("Rounds"), 3);
    QVERIFY(!ini.save(path));
    QCOMPARE(fileBytes(path + QStringLiteral("/inside")), QByteArray("kept"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{QStringLiteral("Properties.ini")});
}

void TestIniFile::failedSaveLeavesPreviousFileWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Properties.ini"));
    const QByteArray previous = "[Names]\r\nPlayer1=Anna\r\n";
    QVERIFY(writeFileBytes(path, previous));

    IniFile ini;
    ini.writeString(QStringLiteral("Names"), QStringLiteral("Player1"), QString(4000, QLatin1Char('x')));
    bool saved = true;
    {
        // The disk fills up half-way through the new file.
        FileSizeLimit limit(1024);
        saved = ini.save(path);
    }
    QVERIFY(!saved);
    QCOMPARE(fileBytes(path), previous);
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{QStringLiteral("Properties.ini")});

    QVERIFY(ini.save(path));
    QCOMPARE(fileBytes(path).size(), ini.serialize().size());
}

// What a save finds beside the file, and another copy saving at once.
void TestIniFile::updateUnderTheLock_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("besides"); // names beside Properties.ini
    QTest::addColumn<QByteArray>("otherCopys"); // what another copy saves meanwhile
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QStringList>("kept");

    const QByteArray bo = "[Names]\r\nPlayer2=Bo\r\n";
    QTest::newRow("another copy saving meanwhile keeps its change and its temporary file")
        << bo << QStringList() << QByteArray("[Names]\r\nPlayer2=Berta\r\n") << int(SharedFile::Outcome::Written)
        << QByteArray("[Names]\r\nPlayer2=Berta\r\nPlayer1=Anna\r\n") << QStringList();
    const QStringList lookalikes{"Properties.ini.backup", "Properties.ini.Backup", "Properties.ini.BACKUP",
                                 "Properties.ini.bak123"};
    QTest::newRow("a killed save's temporary file goes, the player's copies stay")
        << bo << QStringList{"Properties.ini.kQzTbe", "Properties.ini.AbCdEf"} + lookalikes << QByteArray()
        << int(SharedFile::Outcome::Written) << QByteArray("[Names]\r\nPlayer2=Bo\r\nPlayer1=Anna\r\n") << lookalikes;
    QTest::newRow("nothing to change leaves the file as it is")
        << QByteArray("[Names]\nPlayer1=Anna\n") << QStringList() << QByteArray() << int(SharedFile::Outcome::Unchanged)
        << QByteArray("[Names]\nPlayer1=Anna\n") << QStringList();
}

void TestIniFile::updateUnderTheLock()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, besides);
    QFETCH(QByteArray, otherCopys);
    QFETCH(int, outcome);
    QFETCH(QByteArray, after);
    QFETCH(QStringList, kept);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Properties.ini"));
    QVERIFY(writeFileBytes(path, before));
    for (const QString &name : besides)
        QVERIFY(writeFileBytes(dir.filePath(name), "[Names]\r\n"));
    const ino_t created = inodeOf(path);

    SharedFile::Outcome result = SharedFile::Outcome::Failed;
    const auto save = [&] {
        result = IniFile::update(path, [](IniFile &ini) { ini.writeString("Names", "Player1", "Anna"); });
    };
    if (otherCopys.isEmpty())
        save();
    else
        QVERIFY(saveWhileAnotherCopySaves(path, otherCopys, save));
    QCOMPARE(int(result), outcome);
    QCOMPARE(fileBytes(path), after);
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    left.removeOne(QStringLiteral("Properties.ini"));
    left.sort();
    kept.sort();
    QCOMPARE(left, kept);
    if (result == SharedFile::Outcome::Unchanged)
        QCOMPARE(inodeOf(path), created);
}

QTEST_MAIN(TestIniFile)
#include "tst_inifile.moc"
