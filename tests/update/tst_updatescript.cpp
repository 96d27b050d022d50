#include "platform/Shell.h"
#include "update/UpdateScript.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

// Holds "%s" to show that an argument is not read as a format again.
const QString Temp = QStringLiteral("/tmp/T%s ä/");
const QString Program = QStringLiteral("/opt/P/");

bool writeBytes(const QString &path, const QByteArray &bytes, QFile::Permissions permissions = {})
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
           && (!permissions || file.setPermissions(permissions));
}

QByteArray runShell(const QStringList &arguments)
{
    QProcess shell;
    shell.start(QStringLiteral("/bin/sh"), arguments);
    return shell.waitForFinished() && shell.exitCode() == 0 ? shell.readAllStandardOutput() : "<failed>";
}

// Some process has the argument in its command line.
bool processRunsWith(const QString &argument)
{
    const QByteArray wanted = QFile::encodeName(argument);
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[0-9]*")}, QDir::Dirs)) {
        if (fileBytes(QStringLiteral("/proc/%1/cmdline").arg(pid)).split('\0').contains(wanted))
            return true;
    }
    return false;
}

} // namespace

class TestUpdateScript : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fillScriptTemplate_data();
    void fillScriptTemplate();
    void assembledScriptRunsAndDeletesItself_data();
    void assembledScriptRunsAndDeletesItself();
    void scriptStartsOnlyAfterTheProcessEnded();
};

void TestUpdateScript::fillScriptTemplate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("filled"); // lines joined by LF, or the error's gist

    QTest::newRow("two blocks, no tail") << "h0 %s\n1 %s\n2 %s\n3 %s %s\nh1\n5 %s\n6\n7 %s"
                                         << "h0 %s\n1 /opt/P/\n2 /opt/P/\n3 /tmp/T%s ä/ /opt/P/\n"
                                            "h1\n5 /opt/P/\n6\n7 /tmp/T%s ä/";
    QTest::newRow("blank fifth line starts the tail")
        << "h\n%s\n%s\n%s%s\n t %s\nu %s %%\nv"
        << "h\n/opt/P/\n/opt/P/\n/tmp/T%s ä//opt/P/\n t /tmp/T%s ä/\nu /tmp/T%s ä/ %\nv";
    QTest::newRow("tail from the start") << " %s\n%s" << " /tmp/T%s ä/\n/tmp/T%s ä/";
    QTest::newRow("percents") << " %%s 100%% %d %1 5% %\n%s%%" << " %s 100% %d %1 5% %\n/tmp/T%s ä/%";
    QTest::newRow("CR LF, CR, final end") << "h\r\n%s\rb\r\n\r\n" << "h\n/opt/P/\nb\n";
    QTest::newRow("CR CR LF LF") << "h\r\r\n\nc" << "h\n\n\nc";
    QTest::newRow("empty head line") << "\na\nb\nc" << "\na\nb\nc";
    QTest::newRow("tab is no blank") << "\th\na\nb\nc" << "\th\na\nb\nc";
    QTest::newRow("empty") << "" << "leer";
    QTest::newRow("six lines, no tail") << "h\na\nb\nc\nh\na" << "mitten in einem Block";
    QTest::newRow("ninth line a head") << "h\na\nb\nc\nh\na\nb\nc\nh" << "mitten in einem Block";
    QTest::newRow("too many in a block") << "h\na\nb %s %s\nc" << "Zeile 3";
    QTest::newRow("too many in its last line") << "h\na\nb\n%s %s %s" << "Zeile 4";
    QTest::newRow("too many in the tail") << " t\nu %s %s" << "Zeile 2";
}

void TestUpdateScript::fillScriptTemplate()
{
    QFETCH(QString, text);
    QFETCH(QString, filled);
    const ScriptFillResult result = ::fillScriptTemplate(::scriptLines(text), Temp, Program);
    if (result.ok)
        QCOMPARE(result.lines.join('\n'), filled);
    else
        QVERIFY2(result.errorString.contains(filled) && result.lines.isEmpty(), qPrintable(result.errorString));
    QCOMPARE(result.errorString.isEmpty(), result.ok);
}

// A template read from a CR LF file becomes a script that /bin/sh runs
// from a folder with blanks and umlauts, restarting a program whose path
// holds quotes, "$", backticks and more the shell would read, and deleting
// itself at the end.
void TestUpdateScript::assembledScriptRunsAndDeletesItself_data()
{
    QTest::addColumn<bool>("restart");
    QTest::newRow("restart") << true;
    QTest::newRow("no restart") << false;
}

void TestUpdateScript::assembledScriptRunsAndDeletesItself()
{
    QFETCH(bool, restart);
    QTemporaryDir root;
    const QString tempDir = root.filePath("Temp ä") + '/';
    const QString programDir = root.filePath("Prog 'a' '' \"q\" \\ $b ${c} $(id) `id` *;&|<># ~ ä") + '/';
    QVERIFY(QDir().mkpath(tempDir) && QDir().mkpath(programDir));
    const QString program = programDir + "lettrisko";
    const QString restarted = root.filePath("restarted");
    QVERIFY(writeBytes(program, "#!/bin/sh\necho again > " + shellQuoted(restarted).toUtf8() + "\n",
                       QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QString script = tempDir + UpdateScriptName;
    QVERIFY(writeBytes(script, "set -e\r\n# %s\r\n# %s\r\necho block > \"%sblock.txt\" # %s\r\n"
                               " echo \"tail 100%%\" > \"%stail.txt\"\r\n"));

    const ScriptFillResult filled =
        ::fillScriptTemplate(::scriptLines(QString::fromUtf8(fileBytes(script))), tempDir, programDir);
    QVERIFY2(filled.ok, qPrintable(filled.errorString));
    QStringList lines = filled.lines;
    if (restart)
        lines << restartLine(program);
    lines << selfDeletionLine(script);
    QVERIFY(writeBytes(script, scriptBytes(lines)));
    QCOMPARE(runShell({script}), QByteArray());
    QCOMPARE(fileBytes(tempDir + "block.txt"), QByteArray("block\n"));
    QCOMPARE(fileBytes(tempDir + "tail.txt"), QByteArray("tail 100%\n"));
    QCOMPARE(QDir(tempDir).entryList(QDir::Files), QStringList({"block.txt", "tail.txt"}));
    if (restart)
        QTRY_COMPARE(fileBytes(restarted), QByteArray("again\n"));
}

void TestUpdateScript::scriptStartsOnlyAfterTheProcessEnded()
{
    QTemporaryDir root;
    const QString script = root.filePath("Skript 'x' $y.sh");
    const QString marker = root.filePath("marker");
    QProcess program;
    program.start(QStringLiteral("sleep"), {QStringLiteral("600")});
    QVERIFY(program.waitForStarted());
    // The script notes whether the program still ran when it began, and
    // the session it runs in.
    QVERIFY(writeBytes(script, scriptBytes({"kill -0 " + QString::number(program.processId())
                                                + " 2>/dev/null && state=early || state=after",
                                            "read -r _ _ _ _ _ session _ < /proc/$$/stat",
                                            "echo \"$state $session\" > " + shellQuoted(marker),
                                            selfDeletionLine(script)})));

    QVERIFY(startScriptAfterProcess(script, program.processId()));
    QTRY_VERIFY(processRunsWith(script));
    QVERIFY(!QFile::exists(marker));
    program.kill();
    QVERIFY(program.waitForFinished());
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(script), 10000);
    const QList<QByteArray> noted = fileBytes(marker).trimmed().split(' ');
    QCOMPARE(noted.value(0), QByteArray("after"));
    QVERIFY2(noted.value(1).toLongLong() > 0 && noted.value(1).toLongLong() != getsid(0), noted.value(1));
}

QTEST_GUILESS_MAIN(TestUpdateScript)
#include "tst_updatescript.moc"
