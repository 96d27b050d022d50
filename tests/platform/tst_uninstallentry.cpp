// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/UninstallEntry.h"

#include "support/HostileFiles.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Group = QMap<QString, QString>;

// Reads a desktop file the way a menu does: groups of key=value lines,
// string escapes undone.
QString unescapeString(const QString &raw)
{
    QString text;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw.at(i) == QLatin1Char('\\') && i + 1 < raw.size()) {
            const QChar next = raw.at(++i);
            if (next == QLatin1Char('s'))
                text += QLatin1Char(' ');
            else if (next == QLatin1Char('n'))
                text += QLatin1Char('\n');
            else if (next == QLatin1Char('t'))
                text += QLatin1Char('\t');
            else if (next == QLatin1Char('r'))
                text += QLatin1Char('\r');
            else
                text += next;
        } else {
            text += raw.at(i);
        }
    }
    return text;
}

QMap<QString, Group> readDesktopFile(const QString &path)
{
    QMap<QString, Group> groups;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return groups;
    QString current;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = line.mid(1, line.size() - 2);
            groups[current];
        } else if (line.contains(QLatin1Char('='))) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            groups[current][line.left(eq)] = unescapeString(line.mid(eq + 1));
        }
    }
    return groups;
}

// Splits an Exec value into its arguments as a launcher does.
QStringList execArguments(const QString &exec)
{
    QStringList arguments;
    QString current;
    bool inQuotes = false;
    bool haveArgument = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (c == QLatin1Char('%') && i + 1 < exec.size() && exec.at(i + 1) == QLatin1Char('%')) {
            current += QLatin1Char('%');
            ++i;
            haveArgument = true;
        } else if (inQuotes && c == QLatin1Char('\\') && i + 1 < exec.size()) {
            current += exec.at(++i);
        } else if (c == QLatin1Char('"')) {
            inQuotes = !inQuotes;
            haveArgument = true;
        } else if (c == QLatin1Char(' ') && !inQuotes) {
            if (haveArgument)
                arguments << current;
            current.clear();
            haveArgument = false;
        } else {
            current += c;
            haveArgument = true;
        }
    }
    if (haveArgument)
        arguments << current;
    return arguments;
}

QString quotedCommand(const QString &path)
{
    QString inner = path;
    inner.replace(QLatin1String("\""), QLatin1String("\"\"\""));
    return QLatin1Char('"') + inner + QLatin1String("\" /uninstall");
}

} // namespace

class TestUninstallEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void entryStartsTheExecutable_data();
    void entryStartsTheExecutable();
    void entryPassesValidation_data();
    void entryPassesValidation();
    void modifyPathOnlyWhenGiven();
    void rewriteOfTheEntry_data();
    void rewriteOfTheEntry();
    void emptyKeyNameUsesDisplayName();
    void removeDeletesEntryAndIcon();
    void keyNameMustNameOneFile_data();
    void keyNameMustNameOneFile();

private:
    QTemporaryDir m_home;
};

void TestUninstallEntry::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
}

void TestUninstallEntry::init()
{
    QFile::remove(uninstallEntryFilePath(QStringLiteral("Zeichenjagd")));
}

void TestUninstallEntry::entryStartsTheExecutable_data()
{
    QTest::addColumn<QString>("executable");
    QTest::newRow("spaces") << QStringLiteral("/home/anna/Meine Spiele/Lettrisko 2/lettrisko");
    QTest::newRow("plain") << QStringLiteral("/opt/lettrisko/lettrisko");
    QTest::newRow("double quote") << QStringLiteral("/tmp/das \"beste\" Spiel/lettrisko");
    QTest::newRow("shell characters") << QStringLiteral("/tmp/$HOME `x` 100% (a);b&c/lettrisko");
    QTest::newRow("backslash") << QStringLiteral("/tmp/a\\b\\\\c/lettrisko");
    QTest::newRow("umlauts") << QStringLiteral("/home/jürgen/Spiele/lettrisko");
}

void TestUninstallEntry::entryStartsTheExecutable()
{
    QFETCH(QString, executable);
    const QString command = quotedCommand(executable);
    QVERIFY(RegisterUninstallEntry(QStringLiteral("Lettrisko"), command, QString(), false,
                                   QStringLiteral("Zeichenjagd")));

    const QString path = uninstallEntryFilePath(QStringLiteral("Zeichenjagd"));
    QVERIFY(path.endsWith(QLatin1String("/applications/Zeichenjagd.desktop")));
    const auto groups = readDesktopFile(path);
    const Group entry = groups.value(QStringLiteral("Desktop Entry"));
    QCOMPARE(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
    QCOMPARE(entry.value(QStringLiteral("Name")), QStringLiteral("Lettrisko"));
    QCOMPARE(entry.value(QStringLiteral("Categories")), QStringLiteral("Game;"));
    QCOMPARE(execArguments(entry.value(QStringLiteral("Exec"))), QStringList{executable});
    // The program is quoted, with or without spaces in its path.
    QVERIFY(entry.value(QStringLiteral("Exec")).startsWith(QLatin1Char('"')));
    QCOMPARE(entry.value(QStringLiteral("X-Kx-DisplayName")), QStringLiteral("Lettrisko"));
    QCOMPARE(entry.value(QStringLiteral("X-Kx-UninstallString")), command);
    QVERIFY(!entry.contains(QStringLiteral("X-Kx-ModifyPath")));

    QCOMPARE(entry.value(QStringLiteral("Actions")), QStringLiteral("Uninstall;"));
    const Group action = groups.value(QStringLiteral("Desktop Action Uninstall"));
    QCOMPARE(action.value(QStringLiteral("Name")), QStringLiteral("Deinstallieren"));
    QCOMPARE(execArguments(action.value(QStringLiteral("Exec"))),
             (QStringList{executable, QStringLiteral("/uninstall")}));

    const QString icon = entry.value(QStringLiteral("Icon"));
    QCOMPARE(icon, uninstallEntryIconPath(QStringLiteral("Zeichenjagd")));
    QVERIFY(icon.contains(QLatin1String("/icons/hicolor/64x64/apps/")));
    QCOMPARE(QImage(icon).size(), QSize(64, 64));
}

void TestUninstallEntry::entryPassesValidation_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("modifyCommand");
    QTest::newRow("spaces") << QStringLiteral("/home/anna/Meine Spiele/lettrisko") << QString();
    QTest::newRow("shell characters") << QStringLiteral("/tmp/\"a\" $b `c` 5% d\\e/lettrisko") << QString();
    QTest::newRow("with modify command") << QStringLiteral("/opt/lettrisko/lettrisko")
                                         << QStringLiteral("\"/opt/lettrisko/lettrisko\" /modify");
}

void TestUninstallEntry::entryPassesValidation()
{
    QFETCH(QString, executable);
    QFETCH(QString, modifyCommand);
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed");

    QVERIFY(RegisterUninstallEntry(QStringLiteral("Lettrisko"), quotedCommand(executable), modifyCommand, false,
                                   QStringLiteral("Zeichenjagd")));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(validator, {uninstallEntryFilePath(QStringLiteral("Zeichenjagd"))});
    QVERIFY(process.waitForFinished(30000));
    const QString output = QString::fromLocal8Bit(process.readAll());
    QVERIFY2(process.exitCode() == 0, qPrintable(output));
    QVERIFY2(!output.contains(QLatin1String("error")), qPrintable(output));
    QVERIFY2(!output.contains(QLatin1String("warning")), qPrintable(output));
}

void TestUninstallEntry::modifyPathOnlyWhenGiven()
{
    QVERIFY(RegisterUninstallEntry(QStringLiteral("Lettrisko"), quotedCommand(QStringLiteral("/opt/l/lettrisko")),
                                   QStringLiteral("\"/opt/l/lettrisko\" /modify"), false,
                                   QStringLiteral("Zeichenjagd")));
    auto entry = readDesktopFile(uninstallEntryFilePath(QStringLiteral("Zeichenjagd")))
                     .value(QStringLiteral("Desktop Entry"));
    QCOMPARE(entry.value(QStringLiteral("X-Kx-ModifyPath")), QStringLiteral("\"/opt/l/lettrisko\" /modify"));

    QVERIFY(RegisterUninstallEntry(QStringLiteral("Lettrisko"), quotedCommand(QStringLiteral("/opt/l/lettrisko")),
                                   QString(), false, QStringLiteral("Zeichenjagd")));
    entry = readDesktopFile(uninstallEntryFilePath(QStringLiteral("Zeichenjagd"))).value(QStringLiteral("Desktop Entry"));
    QVERIFY(!entry.contains(QStringLiteral("X-Kx-ModifyPath")));
}

// Written at every start: a moved program changes it, an unchanged one
// leaves both files alone, and a full disk keeps them as they were. A file
// grown past its bound (64 KiB the entry, 1 MiB the icon) is left alone.
void TestUninstallEntry::rewriteOfTheEntry_data()
{
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("sizeLimit");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("replaced");
    // "entry 65536": the entry padded to that many bytes before the second
    // start; "icon ...": the icon.
    QTest::addColumn<QString>("padded");

    const QString oldPlace = QStringLiteral("/old place/lettrisko");
    const QString newPlace = QStringLiteral("/new place/lettrisko");
    QTest::newRow("another place replaces the entry") << newPlace << 0 << true << newPlace << true << "";
    QTest::newRow("the same place leaves both files") << oldPlace << 0 << true << oldPlace << false << "";
    QTest::newRow("a full disk keeps both files") << newPlace << 64 << false << oldPlace << false << "";
    QTest::newRow("an entry as large as allowed is rewritten")
        << newPlace << 0 << true << newPlace << true << "entry 65536";
    QTest::newRow("an entry a byte larger stays") << newPlace << 0 << false << oldPlace << false << "entry 65537";
    QTest::newRow("an icon as large as allowed is rewritten")
        << oldPlace << 0 << true << oldPlace << true << "icon 1048576";
    QTest::newRow("an icon a byte larger stays, and serves")
        << oldPlace << 0 << true << oldPlace << false << "icon 1048577";
}

void TestUninstallEntry::rewriteOfTheEntry()
{
    QFETCH(QString, second);
    QFETCH(int, sizeLimit);
    QFETCH(bool, written);
    QFETCH(QString, program);
    QFETCH(bool, replaced);
    QFETCH(QString, padded);

    const QString entryPath = uninstallEntryFilePath(QStringLiteral("Zeichenjagd"));
    const QString iconPath = uninstallEntryIconPath(QStringLiteral("Zeichenjagd"));
    QVERIFY(RegisterUninstallEntry(QStringLiteral("Lettrisko"), quotedCommand(QStringLiteral("/old place/lettrisko")),
                                   QString(), false, QStringLiteral("Zeichenjagd")));
    const QByteArray freshIcon = fileBytes(iconPath);
    if (!padded.isEmpty()) {
        const QString paddedPath = padded.startsWith(QLatin1String("entry")) ? entryPath : iconPath;
        QByteArray bytes = fileBytes(paddedPath);
        // A comment line to a menu; past a picture's end, nothing.
        bytes += '#' + QByteArray(padded.section(' ', 1).toInt() - bytes.size() - 2, 'x') + '\n';
        QVERIFY(writeFileBytes(paddedPath, bytes));
    }
    const QByteArray icon = fileBytes(iconPath);
    const QList<ino_t> before{inodeOf(entryPath), inodeOf(iconPath)};
    {
        FileSizeLimit limit(sizeLimit ? rlim_t(sizeLimit) : RLIM_INFINITY);
        QCOMPARE(RegisterUninstallEntry(QStringLiteral("Lettrisko"), quotedCommand(second), QString(), false,
                                        QStringLiteral("Zeichenjagd")),
                 written);
    }
    const auto groups = readDesktopFile(entryPath);
    QCOMPARE(execArguments(groups.value(QStringLiteral("Desktop Entry")).value(QStringLiteral("Exec"))),
             QStringList{program});
    QCOMPARE(execArguments(groups.value(QStringLiteral("Desktop Action Uninstall")).value(QStringLiteral("Exec"))),
             (QStringList{program, QStringLiteral("/uninstall")}));
    QCOMPARE(groups.value(QStringLiteral("Desktop Entry")).value(QStringLiteral("Icon")), iconPath);
    // A padded icon within the bound is made afresh; one beyond it stays.
    QCOMPARE(fileBytes(iconPath), padded.startsWith(QLatin1String("icon")) && replaced ? freshIcon : icon);
    QCOMPARE((QList<ino_t>{inodeOf(entryPath), inodeOf(iconPath)} != before), replaced);
}

void TestUninstallEntry::emptyKeyNameUsesDisplayName()
{
    QVERIFY(RegisterUninstallEntry(QStringLiteral("Lettrisko"), quotedCommand(QStringLiteral("/opt/l/lettrisko")),
                                   QString(), false, QString()));
    QVERIFY(QFile::exists(uninstallEntryFilePath(QStringLiteral("Lettrisko"))));
    QVERIFY(!QFile::exists(uninstallEntryFilePath(QStringLiteral("Zeichenjagd"))));
    QVERIFY(RegisterUninstallEntry(QStringLiteral("Lettrisko"), QString(), QString(), true, QString()));
    QVERIFY(!QFile::exists(uninstallEntryFilePath(QStringLiteral("Lettrisko"))));
}

void TestUninstallEntry::removeDeletesEntryAndIcon()
{
    QVERIFY(RegisterUninstallEntry(QStringLiteral("Lettrisko"), quotedCommand(QStringLiteral("/opt/l/lettrisko")),
                                   QString(), false, QStringLiteral("Zeichenjagd")));
    QVERIFY(QFile::exists(uninstallEntryFilePath(QStringLiteral("Zeichenjagd"))));
    QVERIFY(QFile::exists(uninstallEntryIconPath(QStringLiteral("Zeichenjagd"))));

    // Removing ignores the display name and the commands.
    QVERIFY(RegisterUninstallEntry(QString(), QString(), QString(), true, QStringLiteral("Zeichenjagd")));
    QVERIFY(!QFile::exists(uninstallEntryFilePath(QStringLiteral("Zeichenjagd"))));
    QVERIFY(!QFile::exists(uninstallEntryIconPath(QStringLiteral("Zeichenjagd"))));

    // Nothing left to remove is no failure.
    QVERIFY(RegisterUninstallEntry(QString(), QString(), QString(), true, QStringLiteral("Zeichenjagd")));
}

void TestUninstallEntry::keyNameMustNameOneFile_data()
{
    QTest::addColumn<QString>("keyName");
    QTest::newRow("slash") << QStringLiteral("../../evil");
    QTest::newRow("dot dot") << QStringLiteral("..");
}

void TestUninstallEntry::keyNameMustNameOneFile()
{
    QFETCH(QString, keyName);
    QVERIFY(!RegisterUninstallEntry(QStringLiteral("Lettrisko"), quotedCommand(QStringLiteral("/opt/l/lettrisko")),
                                    QString(), false, keyName));
    QVERIFY(!QFile::exists(uninstallEntryFilePath(keyName)));
}

QTEST_MAIN(TestUninstallEntry)
#include "tst_uninstallentry.moc"
