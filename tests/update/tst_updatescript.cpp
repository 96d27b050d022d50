// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Shell.h"
#include "update/UpdateScript.h"
#include "update/UpdateSession.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

// The references a "%s" becomes: bare ({P}, {T}) or inside double quotes ({p}).
QString withReferences(QString text)
{
    return text.replace("{P}", "\"${LETTRISKO_PROGRAM_DIR}\"")
        .replace("{T}", "\"${LETTRISKO_UPDATE_DIR}\"")
        .replace("{p}", "${LETTRISKO_PROGRAM_DIR}");
}

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
                                         << "h0 %s\n1 {P}\n2 {P}\n3 {T} {P}\nh1\n5 {P}\n6\n7 {T}";
    QTest::newRow("blank fifth line starts the tail") << "h\n%s\n%s\n%s%s\n t %s\nu %s %%\nv"
                                                      << "h\n{P}\n{P}\n{T}{P}\n t {T}\nu {T} %\nv";
    QTest::newRow("tail from the start") << " %s\n%s" << " {T}\n{T}";
    QTest::newRow("percents") << " %%s 100%% %d %1 5% %\n%s%%" << " %s 100% %d %1 5% %\n{T}%";
    // The reference fits the quotes open where "%s" stands.
    QTest::newRow("single and double quotes") << "h\n'%s'\n\"%s\"\n%s \"'%s'\""
                                              << "h\n''{P}''\n\"{p}\"\n{T} \"'{p}'\"";
    QTest::newRow("escaped quotes open nothing") << "h\n\\'%s\n\"\\\"%s\"\nx" << "h\n\\'{P}\n\"\\\"{p}\"\nx";
    // A backslash before "%s" escaped the folder's first character, a "$"
    // stood before the folder: neither may take the reference's quote or "$".
    QTest::newRow("backslash or dollar before") << "h\n\\%s\n\"$\\%s\"\n$%s \"$%s\"\n $$%s"
                                                << "h\n{P}\n\"\\${p}\"\n\\${T} \"\\${p}\"\n $${T}";
    QTest::newRow("quotes closed again") << "h\n'a'%s\n\"b\"'c'%s\nx" << "h\n'a'{P}\n\"b\"'c'{P}\nx";
    QTest::newRow("CR LF, CR, final end") << "h\r\n%s\rb\r\n\r\n" << "h\n{P}\nb\n";
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
    const ScriptFillResult result = ::fillScriptTemplate(::scriptLines(text));
    if (result.ok)
        QCOMPARE(result.lines.join('\n'), withReferences(filled));
    else
        QVERIFY2(result.errorString.contains(filled) && result.lines.isEmpty(), qPrintable(result.errorString));
    QCOMPARE(result.errorString.isEmpty(), result.ok);
}

// A template read from a CR LF file becomes a script that /bin/sh runs
// from an update folder with blanks and umlauts into a program folder whose
// name holds quotes, "$", backticks and more the shell would read,
// restarting the program, removing the update folder at the end, and
// leaving a note when a step failed.
void TestUpdateScript::assembledScriptRunsAndDeletesItself_data()
{
    QTest::addColumn<bool>("restart");
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<QString>("failure"); // what the program shows at its next start
    QTest::addColumn<bool>("goesOn");     // the line after the failing one ran

    const QByteArray failingLine = " cp \"%sfehlt.txt\" /\r\n echo weiter > \"${LETTRISKO_PROGRAM_DIR}weiter.txt\"\r\n";
    const QString failed = "Das Update konnte nicht installiert werden: ";
    QTest::newRow("restart") << true << QByteArray() << QString() << false;
    QTest::newRow("no restart") << false << QByteArray() << QString() << false;
    QTest::newRow("a failing line in the middle, the lines after it still run")
        << true << failingLine << failed + "cp: " << true;
    QTest::newRow("fails without a word") << false << QByteArray(" false\r\n")
                                          << failed + "Das Installationsskript endete mit dem Fehler 1." << false;
    QTest::newRow("only blanks on the error output") << false << QByteArray(" echo ' ' >&2\r\n")
                                                     << failed + "Das Installationsskript meldete einen Fehler." << false;
    // The box shows the last lines, each cut short.
    QTest::newRow("3000 lines of errors")
        << false << QByteArray(" i=0; while [ $i -lt 3000 ]; do echo \"Fehler $i\" >&2; i=$((i+1)); done\r\n")
        << failed + "Fehler 2997\nFehler 2998\nFehler 2999" << false;
    QTest::newRow("an endless line of errors") << false << QByteArray(" head -c 100000 /dev/zero | tr '\\0' x >&2\r\n")
                                               << failed + QString(199, 'x') + QChar(0x2026) << false;
}

void TestUpdateScript::assembledScriptRunsAndDeletesItself()
{
    QFETCH(bool, restart);
    QFETCH(QByteArray, tail);
    QFETCH(QString, failure);
    QFETCH(bool, goesOn);
    QTemporaryDir root;
    const QString updateDir = root.filePath("Temp ä") + '/';
    const QString programDir = root.filePath("Prog 'a' '' \"q\" \\ $b ${c} $(id) `id` *;&|<># ~ ä") + '/';
    QVERIFY(QDir().mkpath(updateDir) && QDir().mkpath(programDir));
    const QString program = programDir + "lettrisko";
    const QString restarted = root.filePath("restarted");
    const QString note = root.filePath("note");
    QVERIFY(writeBytes(program, "#!/bin/sh\necho again > " + shellQuoted(restarted).toUtf8() + "\n",
                       QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(writeBytes(updateDir + "data.txt", "neu"));
    const QString script = updateDir + UpdateScriptName;
    QVERIFY(writeBytes(script, "true\r\necho block > \"%sblock.txt\"\r\n"
                               "echo \"tail 100%%\" > '%stail.txt'\r\ncp %sdata.txt %s\r\n" + tail));

    const ScriptFillResult filled = ::fillScriptTemplate(::scriptLines(QString::fromUtf8(fileBytes(script))));
    QVERIFY2(filled.ok, qPrintable(filled.errorString));
    QVERIFY(writeBytes(script, scriptBytes(installationScript(filled.lines, updateDir, programDir,
                                                              restart ? program : QString(), note))));
    QCOMPARE(runShell({script}), QByteArray());
    QCOMPARE(fileBytes(programDir + "block.txt") + fileBytes(programDir + "tail.txt") + fileBytes(programDir + "data.txt"),
             QByteArray("block\ntail 100%\nneu"));
    QCOMPARE(QFile::exists(programDir + "weiter.txt"), goesOn);
    QVERIFY(!QFile::exists(updateDir));
    const QString shown = UpdateSession::takeInstallationFailure(note).text;
    QCOMPARE(shown.left(failure.size()), failure);
    QVERIFY2(shown.count('\n') < 3 && shown.size() < 700, qPrintable(shown));
    QVERIFY(!QFile::exists(note));
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
