// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The real program from outside: its command line, and the signals with
// which the desktop ends a session, a terminal or a Ctrl+C, after which it
// ends as by "Beenden" and saves its settings on the way out.
#include "platform/BuildSettings.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <sys/stat.h>
#include <sys/types.h>

namespace {

const QByteArray kAfterRun = "; Schulrechner\r\n[Properties]\r\nRounds=7\r\nMistakes=9\r\nTimeLimit=0\r\n"
                             "TimeLimitValue=30\r\nNoSpecialChars=1\r\nCapitalLetters=1\r\nAcceptSentences=0\r\n"
                             "AcceptNumbers=0\r\nSetFirstLetter=1\r\nWonRounds=1\r\nPlaySounds=1\r\n"
                             "[Names]\r\nPlayer1=\r\nPlayer2=\r\n";

} // namespace

class TestTermination : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandLine_data();
    void commandLine();
    void signalEndsTheRunAndSaves_data();
    void signalEndsTheRunAndSaves();
};

void TestTermination::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("errorLine");

    const QString version = QStringLiteral("Lettrisko %1\n").arg(programVersion());
    QTest::newRow("--help") << QStringList{"--help"} << "" << 0 << "Aufruf: lettrisko [Option] [/uninstall]\n" << "";
    QTest::newRow("--version") << QStringList{"--version"} << "" << 0 << version << "";
    QTest::newRow("Qt's own options are no strangers") << QStringList{"-platform", "offscreen", "-v"} << "" << 0
                                                      << version << "";
    QTest::newRow("unknown option") << QStringList{"--farbe=rot"} << "" << 2 << ""
                                    << QString::fromUtf8("lettrisko: Unbekannte Option „--farbe=rot“.");
    QTest::newRow("option without its value") << QStringList{"-style"} << "" << 2 << ""
                                              << QString::fromUtf8("lettrisko: Nach „-style“ fehlt der Wert.");
    QTest::newRow("no display") << QStringList{} << "" << 1 << ""
                                << "lettrisko: Keine grafische Anzeige gefunden (DISPLAY ist nicht gesetzt)";
    QTest::newRow("a display that does not answer") << QStringList{"/uninstall"} << ":4711" << 1 << ""
                                                    << QString::fromUtf8("lettrisko: Die grafische Anzeige „:4711“ ist nicht erreichbar");
}

// Help, the version and a call it does not understand need no display; a
// start without one ends with a line that says so, not with an abort.
void TestTermination::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, display);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, errorLine);

    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("HOME"), home.path());

    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(LETTRISKO_EXECUTABLE), arguments);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const QString error = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(out.left(output.size()), output);
    QCOMPARE(out.isEmpty(), output.isEmpty());
    QCOMPARE(error.left(errorLine.size()), errorLine);
    QCOMPARE(error.count(QLatin1Char('\n')), errorLine.isEmpty() ? 0 : 1);
}

void TestTermination::signalEndsTheRunAndSaves_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("startHangs");

    QTest::newRow("SIGTERM, logging out") << int(SIGTERM) << false;
    QTest::newRow("SIGHUP, terminal closed") << int(SIGHUP) << false;
    QTest::newRow("SIGINT, Ctrl+C") << int(SIGINT) << false;
    // Nothing to save yet: the signal ends it by its default.
    QTest::newRow("SIGTERM while a FIFO holds the start") << int(SIGTERM) << true;
}

void TestTermination::signalEndsTheRunAndSaves()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, startHangs);

    // A copy of the program in a folder of its own, which it can write to,
    // so that its settings file lies beside it.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString program = dir.filePath(QStringLiteral("lettrisko"));
    QVERIFY(QFile::copy(QStringLiteral(LETTRISKO_EXECUTABLE), program));
    QVERIFY(QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner));
    const QString settings = dir.filePath(QStringLiteral("Properties.ini"));
    {
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("; Schulrechner\r\n[Properties]\r\nRounds=7\r\n");
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *folder : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString path = dir.filePath(QString::fromLatin1(folder).toLower());
        QVERIFY(QDir().mkpath(path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        environment.insert(QString::fromLatin1(folder), path);
    }
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The fonts' configuration is read as the window is made, by a library
    // that opens whatever it finds there.
    const QString fonts = dir.filePath(QStringLiteral("xdg_config_home/fontconfig"));
    if (startHangs)
        QVERIFY(QDir().mkpath(fonts) && ::mkfifo(QFile::encodeName(fonts + "/fonts.conf").constData(), 0600) == 0);

    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    // A test run in the background of a shell has SIGINT ignored, which the
    // program would inherit and rightly keep.
    process.setChildProcessModifier([] {
        for (int number : {SIGTERM, SIGINT, SIGHUP})
            std::signal(number, SIG_DFL);
    });
    process.start(program, {});
    QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));

    // Its entry in the desktop's program list is written once its window
    // shows. A start held in the fonts' configuration is found reading the
    // FIFO, which stays open and empty until the signal has come.
    const QString entry = dir.filePath(QStringLiteral("xdg_data_home/applications/Zeichenjagd.desktop"));
    int fifo = -1;
    const QByteArray fifoPath = QFile::encodeName(fonts + "/fonts.conf");
    if (startHangs)
        QTRY_VERIFY_WITH_TIMEOUT((fifo = ::open(fifoPath.constData(), O_WRONLY | O_NONBLOCK)) >= 0
                                     || process.state() == QProcess::NotRunning,
                                 30000);
    else
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(entry) || process.state() == QProcess::NotRunning, 30000);
    QCOMPARE(process.state(), QProcess::Running);

    QCOMPARE(::kill(pid_t(process.processId()), signalNumber), 0);
    const auto closeFifo = qScopeGuard([fifo] {
        if (fifo >= 0)
            ::close(fifo);
    });
    QVERIFY(process.waitForFinished(startHangs ? 10000 : 30000));
    QCOMPARE(process.exitStatus(), startHangs ? QProcess::CrashExit : QProcess::NormalExit);
    QCOMPARE(process.exitCode(), startHangs ? signalNumber : 0);
    QCOMPARE(fileBytes(settings), startHangs ? QByteArray("; Schulrechner\r\n[Properties]\r\nRounds=7\r\n") : kAfterRun);
}

QTEST_MAIN(TestTermination)
#include "tst_termination.moc"
