// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Registry.h"

#include "support/HostileFiles.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

namespace {

// Where QSettings reads a hive's value as it is, it also writes it so: the
// line of `key` in `file` is spelled as QSettings spells it, not only read
// alike.
bool spelledAsQSettings(const QString &file, const QString &key, QByteArray *expected)
{
    const QString alone = QFileInfo(file).dir().filePath(QStringLiteral("alone.ini"));
    QFile::remove(alone);
    QSettings(alone, QSettings::IniFormat).setValue(key, QSettings(file, QSettings::IniFormat).value(key));
    *expected = fileBytes(alone).split('\n').value(1);
    return fileBytes(file).split('\n').contains(*expected);
}

} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void stringRoundTrip_data();
    void stringRoundTrip();
    void integerRoundTrip_data();
    void integerRoundTrip();
    void binaryRoundTrip_data();
    void binaryRoundTrip();
    void floatRoundTrip();
    void valueNamesRoundTrip_data();
    void valueNamesRoundTrip();
    void readOfAnotherTypeGivesFallback();
    void valueExistsAndDeleteValue();
    void deleteKeyRemovesTheWholeTree();
    void deleteKeyRefusesTheRoot();
    void namesIgnoreCaseAndKeepTheirSpelling();
    void openKeyWithoutCreateLeavesKeyOpen();
    void relativeAndAbsolutePaths();
    void hivesAreSeparateFiles();
    void hiveFileOnDisk_data();
    void hiveFileOnDisk();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRegistry::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    Registry::setStorageDirectory(m_dir->filePath(QStringLiteral("Kx")));
}

void TestRegistry::cleanup()
{
    Registry::setStorageDirectory(QString());
    m_dir.reset();
}

void TestRegistry::stringRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << QStringLiteral("/opt/lettrisko/lettrisko");
    QTest::newRow("empty") << QString();
    QTest::newRow("umlauts") << QStringLiteral("Größenänderung ÄÖÜ ß");
    QTest::newRow("ini syntax") << QStringLiteral("a=b; c, d # e [f]");
    QTest::newRow("a list and a comment to QSettings, no equals sign") << QStringLiteral("eins, zwei; drei");
    QTest::newRow("quotes and backslashes") << QStringLiteral("\"C:\\Programme\\x\" /uninstall");
    QTest::newRow("line breaks") << QStringLiteral("eins\nzwei\r\ndrei\t");
    QTest::newRow("looks like a tag") << QStringLiteral("dword:00000001");
    QTest::newRow("leading at") << QStringLiteral("@ByteArray(x)");
    QTest::newRow("leading and trailing spaces") << QStringLiteral("  x  ");
    QTest::newRow("control characters before hex digits") << QStringLiteral("\x01" "ab\x1f" "9 \x7f");
    QTest::newRow("beyond Latin-1") << QString::fromUtf8("Łódź 😀 €");
    QTest::newRow("NUL inside") << QString::fromLatin1("x\0" "1", 3);
}

void TestRegistry::stringRoundTrip()
{
    QFETCH(QString, value);
    {
        Registry reg;
        QVERIFY(reg.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), true));
        QVERIFY(reg.writeString(QStringLiteral("Text"), value));
    }
    Registry reg;
    QVERIFY(reg.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), false));
    QCOMPARE(reg.valueType(QStringLiteral("Text")), Registry::ValueType::String);
    QCOMPARE(reg.readString(QStringLiteral("Text"), QStringLiteral("fallback")), value);

    // Earlier versions kept the hive with QSettings: each reads what the
    // other wrote.
    const QString file = Registry::hiveFilePath(RegistryHive::CurrentUser);
    const QString key = QStringLiteral("Software/Kx/Lettrisko/Text");
    QCOMPARE(QSettings(file, QSettings::IniFormat).value(key).toString(), "sz:" + value);
    QByteArray line;
    QVERIFY2(spelledAsQSettings(file, key, &line), line.constData());
    QVERIFY(QFile::remove(file));
    QSettings(file, QSettings::IniFormat).setValue(key, "sz:" + value);
    Registry earlier;
    QVERIFY(earlier.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), false));
    QCOMPARE(earlier.readString(QStringLiteral("Text")), value);
}

void TestRegistry::integerRoundTrip_data()
{
    QTest::addColumn<qint32>("value");
    QTest::newRow("zero") << 0;
    QTest::newRow("fourteen") << 14;
    QTest::newRow("minus one") << -1;
    QTest::newRow("smallest") << std::numeric_limits<qint32>::min();
    QTest::newRow("largest") << std::numeric_limits<qint32>::max();
}

void TestRegistry::integerRoundTrip()
{
    QFETCH(qint32, value);
    {
        Registry reg(RegistryHive::LocalMachine);
        QVERIFY(reg.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), true));
        QVERIFY(reg.writeInteger(QStringLiteral("UpdateInterval"), value));
    }
    Registry reg(RegistryHive::LocalMachine);
    QVERIFY(reg.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), false));
    QCOMPARE(reg.valueType(QStringLiteral("UpdateInterval")), Registry::ValueType::Integer);
    QCOMPARE(reg.readInteger(QStringLiteral("UpdateInterval"), 12345), value);
    QByteArray line;
    QVERIFY2(spelledAsQSettings(Registry::hiveFilePath(RegistryHive::LocalMachine),
                                QStringLiteral("Software/Kx/Lettrisko/UpdateInterval"), &line),
             line.constData());
}

void TestRegistry::binaryRoundTrip_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("8 bytes with zeros") << QByteArray("\x00\x01\x00\xff\x80\x00\x7f\x00", 8);
    QTest::newRow("all zero") << QByteArray(8, '\0');
    QTest::newRow("empty") << QByteArray();
    QByteArray all;
    for (int i = 0; i < 4096; ++i)
        all.append(char(i % 256));
    QTest::newRow("4096 bytes") << all;
}

void TestRegistry::binaryRoundTrip()
{
    QFETCH(QByteArray, value);
    {
        Registry reg;
        QVERIFY(reg.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), true));
        QVERIFY(reg.writeBinaryData(QStringLiteral("Data"), value));
    }
    Registry reg;
    QVERIFY(reg.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), false));
    QCOMPARE(reg.valueType(QStringLiteral("Data")), Registry::ValueType::Binary);
    const QByteArray back = reg.readBinaryData(QStringLiteral("Data"));
    QCOMPARE(back.size(), value.size());
    QCOMPARE(back, value);
}

void TestRegistry::floatRoundTrip()
{
    // A date-time as the update schedule keeps it: days since 30.12.1899.
    const double when = 37622.75;
    {
        Registry reg(RegistryHive::LocalMachine);
        QVERIFY(reg.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), true));
        QVERIFY(reg.writeFloat(QStringLiteral("Update"), when));
    }
    Registry reg(RegistryHive::LocalMachine);
    QVERIFY(reg.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), false));
    QCOMPARE(reg.readBinaryData(QStringLiteral("Update")).size(), 8);
    QCOMPARE(reg.readFloat(QStringLiteral("Update"), -1.0), when);

    QVERIFY(reg.writeBinaryData(QStringLiteral("Short"), QByteArray(4, '\1')));
    QCOMPARE(reg.readFloat(QStringLiteral("Short"), -1.0), -1.0);
}

void TestRegistry::valueNamesRoundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stored"); // the key below Software/Kx as QSettings sees it
    QTest::newRow("default value") << QString() << "@";
    QTest::newRow("slash") << QStringLiteral("a/b") << "a%2Fb";
    QTest::newRow("backslash") << QStringLiteral("a\\b") << "a%5Cb";
    QTest::newRow("percent") << QStringLiteral("100%2F") << "100%252F";
    QTest::newRow("at") << QStringLiteral("@") << "%40";
    QTest::newRow("General") << QStringLiteral("General") << "General";
    QTest::newRow("spaces and umlauts") << QStringLiteral("Letzte Prüfung") << QStringLiteral("Letzte Prüfung");
    QTest::newRow("digits, hyphen, dot and underscore") << QStringLiteral("Lettrisko-2.0_b") << "Lettrisko-2.0_b";
    QTest::newRow("beyond Latin-1") << QStringLiteral("Łódź") << QStringLiteral("Łódź");
    QTest::newRow("the ends of the letters and digits") << QStringLiteral("azAZ09") << "azAZ09";
}

void TestRegistry::valueNamesRoundTrip()
{
    QFETCH(QString, name);
    QFETCH(QString, stored);
    // A name as an earlier version, with QSettings, stored it.
    const QString file = Registry::hiveFilePath(RegistryHive::CurrentUser);
    QSettings(file, QSettings::IniFormat).setValue("Software/Kx/" + stored, "sz:earlier");
    QCOMPARE(Registry().keyExists("Software\\Kx"), true);
    {
        Registry earlier;
        QVERIFY(earlier.openKey(QStringLiteral("Software\\Kx"), false));
        QCOMPARE(earlier.readString(name), QStringLiteral("earlier"));
    }
    QVERIFY(QFile::remove(file));
    {
        Registry reg;
        QVERIFY(reg.openKey(QStringLiteral("Software\\Kx"), true));
        QVERIFY(reg.writeString(name, QStringLiteral("v")));
        QVERIFY(reg.writeString(QStringLiteral("other"), QStringLiteral("w")));
    }
    Registry reg;
    QVERIFY(reg.openKey(QStringLiteral("Software\\Kx"), false));
    QVERIFY(reg.valueExists(name));
    QCOMPARE(reg.readString(name), QStringLiteral("v"));
    QVERIFY(reg.valueNames().contains(name));
    QCOMPARE(reg.valueNames().size(), 2);
    QCOMPARE(QSettings(file, QSettings::IniFormat).value("Software/Kx/" + stored).toString(), QStringLiteral("sz:v"));
    QByteArray line;
    QVERIFY2(spelledAsQSettings(file, "Software/Kx/" + stored, &line), line.constData());
    QVERIFY(reg.deleteValue(name));
    QVERIFY(!reg.valueExists(name));
    QCOMPARE(reg.readString(QStringLiteral("other")), QStringLiteral("w"));
}

void TestRegistry::readOfAnotherTypeGivesFallback()
{
    Registry reg;
    QVERIFY(reg.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), true));
    QVERIFY(reg.writeString(QStringLiteral("S"), QStringLiteral("14")));
    QVERIFY(reg.writeInteger(QStringLiteral("I"), 14));

    QCOMPARE(reg.readInteger(QStringLiteral("S"), -7), -7);
    QCOMPARE(reg.readString(QStringLiteral("I"), QStringLiteral("fb")), QStringLiteral("fb"));
    QVERIFY(reg.readBinaryData(QStringLiteral("S")).isEmpty());
    QCOMPARE(reg.readInteger(QStringLiteral("missing"), 3), 3);
    QCOMPARE(reg.valueType(QStringLiteral("missing")), Registry::ValueType::None);

    // Writing another type replaces the value and its type.
    QVERIFY(reg.writeInteger(QStringLiteral("S"), 5));
    QCOMPARE(reg.valueType(QStringLiteral("S")), Registry::ValueType::Integer);
    QCOMPARE(reg.readInteger(QStringLiteral("S")), 5);
}

void TestRegistry::valueExistsAndDeleteValue()
{
    Registry reg;
    QVERIFY(reg.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), true));
    QVERIFY(!reg.valueExists(QStringLiteral("NoUpdate")));
    QVERIFY(reg.writeInteger(QStringLiteral("NoUpdate"), 1));
    QVERIFY(reg.valueExists(QStringLiteral("NoUpdate")));

    QVERIFY(reg.deleteValue(QStringLiteral("NoUpdate")));
    QVERIFY(!reg.valueExists(QStringLiteral("NoUpdate")));
    QVERIFY(!reg.deleteValue(QStringLiteral("NoUpdate")));

    Registry again;
    QVERIFY(!again.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), false));
}

void TestRegistry::deleteKeyRemovesTheWholeTree()
{
    {
        Registry reg;
        QVERIFY(reg.openKey(QStringLiteral("\\Software\\Kx\\Lettrisko\\Deep\\Deeper"), true));
        QVERIFY(reg.writeBinaryData(QStringLiteral("B"), QByteArray(8, '\0')));
        QVERIFY(reg.openKey(QStringLiteral("\\Software\\Kx\\Lettrisko"), true));
        QVERIFY(reg.writeString(QStringLiteral("ApplicationFileName"), QStringLiteral("x")));
        // A sibling whose name begins like the deleted key stays.
        QVERIFY(reg.openKey(QStringLiteral("\\Software\\Kx\\Lettrisko2"), true));
        QVERIFY(reg.writeInteger(QStringLiteral("I"), 2));
        QVERIFY(reg.openKey(QStringLiteral("\\Software\\Kx"), true));
        QVERIFY(reg.writeInteger(QStringLiteral("Own"), 1));
    }

    Registry reg;
    QVERIFY(reg.openKey(QStringLiteral("Software\\Kx"), true));
    QVERIFY(reg.keyExists(QStringLiteral("Lettrisko")));
    QVERIFY(reg.deleteKey(QStringLiteral("Lettrisko")));
    QVERIFY(!reg.keyExists(QStringLiteral("Lettrisko")));
    QVERIFY(!reg.keyExists(QStringLiteral("Lettrisko\\Deep\\Deeper")));
    QVERIFY(!reg.deleteKey(QStringLiteral("Lettrisko")));

    Registry fresh;
    QVERIFY(!fresh.keyExists(QStringLiteral("Software\\Kx\\Lettrisko")));
    QVERIFY(fresh.openKey(QStringLiteral("Software\\Kx\\Lettrisko2"), false));
    QCOMPARE(fresh.readInteger(QStringLiteral("I")), 2);
    QVERIFY(fresh.openKey(QStringLiteral("\\Software\\Kx"), false));
    QCOMPARE(fresh.readInteger(QStringLiteral("Own")), 1);
    QCOMPARE(fresh.subKeyNames(), QStringList{QStringLiteral("Lettrisko2")});
}

void TestRegistry::deleteKeyRefusesTheRoot()
{
    Registry reg;
    QVERIFY(reg.openKey(QStringLiteral("Software"), true));
    QVERIFY(reg.writeInteger(QStringLiteral("I"), 1));
    QVERIFY(!reg.deleteKey(QString()));
    QVERIFY(!reg.deleteKey(QStringLiteral("\\")));
    QVERIFY(reg.valueExists(QStringLiteral("I")));
}

void TestRegistry::namesIgnoreCaseAndKeepTheirSpelling()
{
    {
        Registry reg;
        QVERIFY(reg.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), true));
        QVERIFY(reg.writeInteger(QStringLiteral("UpdateInterval"), 7));
    }
    Registry reg;
    QVERIFY(reg.openKey(QStringLiteral("SOFTWARE\\kx\\LETTRISKO"), false));
    QCOMPARE(reg.currentPath(), QStringLiteral("Software\\Kx\\Lettrisko"));
    QVERIFY(reg.valueExists(QStringLiteral("updateinterval")));
    QCOMPARE(reg.readInteger(QStringLiteral("UPDATEINTERVAL")), 7);

    // Writing under another spelling changes the value, not the name.
    QVERIFY(reg.writeInteger(QStringLiteral("updateINTERVAL"), 8));
    QCOMPARE(reg.valueNames(), QStringList{QStringLiteral("UpdateInterval")});
    QCOMPARE(reg.readInteger(QStringLiteral("UpdateInterval")), 8);

    QVERIFY(reg.openKey(QStringLiteral("\\software\\KX"), true));
    QCOMPARE(reg.subKeyNames(), QStringList{QStringLiteral("Lettrisko")});
    QVERIFY(reg.deleteKey(QStringLiteral("lettrisko")));
    QVERIFY(!reg.keyExists(QStringLiteral("Lettrisko")));
}

void TestRegistry::openKeyWithoutCreateLeavesKeyOpen()
{
    Registry reg;
    QVERIFY(reg.openKey(QStringLiteral("Software\\Kx"), true));
    QVERIFY(!reg.openKey(QStringLiteral("Missing"), false));
    QCOMPARE(reg.currentPath(), QStringLiteral("Software\\Kx"));
}

void TestRegistry::relativeAndAbsolutePaths()
{
    Registry reg;
    QVERIFY(reg.openKey(QStringLiteral("Software"), true));
    QVERIFY(reg.openKey(QStringLiteral("Kx"), true));
    QCOMPARE(reg.currentPath(), QStringLiteral("Software\\Kx"));
    QVERIFY(reg.writeInteger(QStringLiteral("I"), 1));
    QVERIFY(reg.openKey(QStringLiteral("\\Other"), true));
    QCOMPARE(reg.currentPath(), QStringLiteral("Other"));
    reg.closeKey();
    QVERIFY(reg.keyExists(QStringLiteral("Software\\Kx")));
    QVERIFY(!reg.keyExists(QStringLiteral("Other\\Software\\Kx")));
}

void TestRegistry::hivesAreSeparateFiles()
{
    Registry user(RegistryHive::CurrentUser);
    QVERIFY(user.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), true));
    QVERIFY(user.writeString(QStringLiteral("Where"), QStringLiteral("user")));

    Registry machine(RegistryHive::LocalMachine);
    QVERIFY(!machine.keyExists(QStringLiteral("Software\\Kx\\Lettrisko")));

    QCOMPARE(Registry::hiveFilePath(RegistryHive::CurrentUser),
             m_dir->filePath(QStringLiteral("Kx/HKEY_CURRENT_USER.ini")));
    QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("Kx/HKEY_CURRENT_USER.ini"))));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("Kx/HKEY_LOCAL_MACHINE.ini"))));
}

// What the player's machine may do to a hive's file: fill the disk, grow
// it beyond reason, put a FIFO in its place, or run a second copy that
// saves at the same moment.
void TestRegistry::hiveFileOnDisk_data()
{
    QTest::addColumn<QByteArray>("before"); // "<fifo>": a FIFO
    QTest::addColumn<QByteArray>("otherCopys"); // what another copy saves meanwhile
    QTest::addColumn<int>("sizeLimit");
    QTest::addColumn<QString>("value"); // written as ApplicationFileName
    QTest::addColumn<QString>("read"); // ApplicationFileName before
    QTest::addColumn<bool>("written");
    QTest::addColumn<QByteArray>("after");
    // What the start is told of the file: too large and no file at all
    // are apart.
    QTest::addColumn<SharedFile::Status>("status");

    const SharedFile::Status wasRead = SharedFile::Status::Read;

    const QByteArray alt = "[Software]\nKx\\Lettrisko\\ApplicationFileName=sz:alt\n";
    const QByteArray neu = "[Software]\nKx\\Lettrisko\\ApplicationFileName=sz:neu\n";
    const QByteArray huge = alt + ';' + QByteArray(1 << 20, 'x') + '\n';
    const QByteArray other = alt + "Kx\\Lettrisko\\NoUpdate=sz:\n";
    QTest::newRow("the disk full keeps the old file")
        << alt << QByteArray() << 200 << QString(4000, 'y') << "alt" << false << alt << wasRead;
    const QByteArray byHand = "; von Hand\n" + alt;
    QTest::newRow("the same value leaves the file")
        << byHand << QByteArray() << 0 << "alt" << "alt" << true << byHand << wasRead;
    // As QSettings reads it: blanks around a value not in quotes are no part of it.
    const QByteArray blanksAfter = QByteArray(alt).replace("sz:alt", " \tsz:alt \t ");
    QTest::newRow("blanks around the value by hand")
        << blanksAfter << QByteArray() << 0 << "alt" << "alt" << true << blanksAfter << wasRead;
    QTest::newRow("larger than 1 MiB reads as empty and stays")
        << huge << QByteArray() << 0 << "neu" << "" << false << huge << SharedFile::Status::TooLarge;
    QTest::newRow("a FIFO reads as empty and stays")
        << QByteArray("<fifo>") << QByteArray() << 0 << "neu" << "" << false << QByteArray("<fifo>")
        << SharedFile::Status::NotRegular;
    QTest::newRow("another copy saving meanwhile keeps its change")
        << alt << other << 0 << "neu" << "alt" << true
        << QByteArray(neu + "Kx\\Lettrisko\\NoUpdate=sz:\n") << wasRead;
}

void TestRegistry::hiveFileOnDisk()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, otherCopys);
    QFETCH(int, sizeLimit);
    QFETCH(QString, value);
    QFETCH(QString, read);
    QFETCH(bool, written);
    QFETCH(QByteArray, after);

    const QString file = Registry::hiveFilePath(RegistryHive::LocalMachine);
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    std::unique_ptr<FifoTrap> fifo;
    if (before == "<fifo>")
        fifo = std::make_unique<FifoTrap>(file);
    else
        QVERIFY(writeFileBytes(file, before));
    const ino_t original = inodeOf(file);

    Registry reg(RegistryHive::LocalMachine);
    QVERIFY(reg.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), true));
    QCOMPARE(reg.readString(QStringLiteral("ApplicationFileName")), read);
    QTEST(reg.fileStatus(), "status");
    bool result = !written;
    const auto write = [&] { result = reg.writeString(QStringLiteral("ApplicationFileName"), value); };
    if (!otherCopys.isEmpty()) {
        QVERIFY(saveWhileAnotherCopySaves(file, otherCopys, write));
    } else {
        FileSizeLimit limit(sizeLimit ? rlim_t(sizeLimit) : RLIM_INFINITY);
        write();
    }
    QCOMPARE(result, written);
    if (fifo)
        QVERIFY(fifo->stillThere() && !fifo->opened());
    else
        QCOMPARE(fileBytes(file), after);
    if (after == before)
        QCOMPARE(inodeOf(file), original);
}

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
