// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Registry.h"
#include "platform/UninstallEntry.h"
#include "support/ModalBoxAnswerer.h"
#include "support/RecordingSound.h"
#include "window/Uninstall.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestUninstall : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void uninstallRequest_data();
    void uninstallRequest();
    void commandQuotesThePath_data();
    void commandQuotesThePath();
    void answerYesRemovesTheTraces();
    void captionsAsTheWindowManagerShowsThem();
    void answerNoChangesNothing();
    void enterAndEscapeAnswer_data();
    void enterAndEscapeAnswer();
    void twiceInARowSucceedsTwice();
    void normalStartRegistersAgain();

private:
    void plantTraces();
    bool tracesPresent(QStringList *missing = nullptr) const;
    bool tracesGone(QStringList *left = nullptr) const;
    QString settingsInConfiguration() const;
    QString entryPath() const { return uninstallEntryFilePath(QStringLiteral("Zeichenjagd")); }

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_work;
    QString m_settingsDirectory;
};

void TestUninstall::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Kx"));
    QCoreApplication::setApplicationName(QStringLiteral("Lettrisko"));
}

void TestUninstall::init()
{
    m_work = std::make_unique<QTemporaryDir>();
    QVERIFY(m_work->isValid());
    Registry::setStorageDirectory(m_work->filePath(QStringLiteral("Kx")));
    m_settingsDirectory = m_work->filePath(QStringLiteral("game"));
    QVERIFY(QDir().mkpath(m_settingsDirectory));
    QFile::remove(settingsInConfiguration());
    RegisterUninstallEntry(QString(), QString(), QString(), true, QStringLiteral("Zeichenjagd"));
}

void TestUninstall::cleanup()
{
    Registry::setStorageDirectory(QString());
    m_work.reset();
}

QString TestUninstall::settingsInConfiguration() const
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("Properties.ini"));
}

void TestUninstall::plantTraces()
{
    Registry user(RegistryHive::CurrentUser);
    QVERIFY(user.openKey(QStringLiteral("Software\\Kx\\Lettrisko\\Sub"), true));
    QVERIFY(user.writeString(QStringLiteral("X"), QStringLiteral("y")));
    QVERIFY(user.openKey(QStringLiteral("\\Software\\Kx\\AnderesSpiel"), true));
    QVERIFY(user.writeInteger(QStringLiteral("Keep"), 1));

    Registry machine(RegistryHive::LocalMachine);
    QVERIFY(machine.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), true));
    QVERIFY(machine.writeInteger(QStringLiteral("UpdateInterval"), 14));

    for (const QString &path : {QDir(m_settingsDirectory).filePath(QStringLiteral("Properties.ini")),
                                settingsInConfiguration()}) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Properties]\nRounds=3\n");
    }
    registerAtNormalStart();
}

bool TestUninstall::tracesPresent(QStringList *missing) const
{
    QStringList absent;
    if (!Registry(RegistryHive::CurrentUser).keyExists(QStringLiteral("Software\\Kx\\Lettrisko")))
        absent << QStringLiteral("user key");
    if (!Registry(RegistryHive::LocalMachine).keyExists(QStringLiteral("Software\\Kx\\Lettrisko")))
        absent << QStringLiteral("machine key");
    if (!QFile::exists(QDir(m_settingsDirectory).filePath(QStringLiteral("Properties.ini"))))
        absent << QStringLiteral("settings file");
    if (!QFile::exists(settingsInConfiguration()))
        absent << QStringLiteral("settings in configuration");
    if (!QFile::exists(entryPath()))
        absent << QStringLiteral("desktop entry");
    if (missing)
        *missing = absent;
    return absent.isEmpty();
}

bool TestUninstall::tracesGone(QStringList *left) const
{
    QStringList present;
    if (Registry(RegistryHive::CurrentUser).keyExists(QStringLiteral("Software\\Kx\\Lettrisko")))
        present << QStringLiteral("user key");
    if (Registry(RegistryHive::LocalMachine).keyExists(QStringLiteral("Software\\Kx\\Lettrisko")))
        present << QStringLiteral("machine key");
    if (QFile::exists(QDir(m_settingsDirectory).filePath(QStringLiteral("Properties.ini"))))
        present << QStringLiteral("settings file");
    if (QFile::exists(settingsInConfiguration()))
        present << QStringLiteral("settings in configuration");
    if (QFile::exists(entryPath()))
        present << QStringLiteral("desktop entry");
    if (left)
        *left = present;
    return present.isEmpty();
}

void TestUninstall::uninstallRequest_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("uninstall");
    const QString program = QStringLiteral("/opt/lettrisko/lettrisko");
    QTest::newRow("exact") << QStringList{program, QStringLiteral("/uninstall")} << true;
    QTest::newRow("exact with more after it")
        << QStringList{program, QStringLiteral("/uninstall"), QStringLiteral("x")} << true;
    QTest::newRow("capital U") << QStringList{program, QStringLiteral("/Uninstall")} << false;
    QTest::newRow("all capitals") << QStringList{program, QStringLiteral("/UNINSTALL")} << false;
    QTest::newRow("second argument")
        << QStringList{program, QStringLiteral("-x"), QStringLiteral("/uninstall")} << false;
    QTest::newRow("with a space") << QStringList{program, QStringLiteral("/uninstall ")} << false;
    QTest::newRow("dash") << QStringList{program, QStringLiteral("-uninstall")} << false;
    QTest::newRow("program name only") << QStringList{program} << false;
    QTest::newRow("program itself named so") << QStringList{QStringLiteral("/uninstall")} << false;
    QTest::newRow("nothing") << QStringList{} << false;
}

void TestUninstall::uninstallRequest()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, uninstall);
    QCOMPARE(isUninstallRequest(arguments), uninstall);
}

void TestUninstall::commandQuotesThePath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("command");
    QTest::newRow("plain") << QStringLiteral("/opt/lettrisko/lettrisko")
                           << QStringLiteral("\"/opt/lettrisko/lettrisko\" /uninstall");
    QTest::newRow("spaces") << QStringLiteral("/home/anna/Meine Spiele/lettrisko")
                            << QStringLiteral("\"/home/anna/Meine Spiele/lettrisko\" /uninstall");
    QTest::newRow("quote") << QStringLiteral("/tmp/a\"b/lettrisko")
                           << QStringLiteral("\"/tmp/a\"\"\"b/lettrisko\" /uninstall");
}

void TestUninstall::commandQuotesThePath()
{
    QFETCH(QString, path);
    QFETCH(QString, command);
    QCOMPARE(uninstallCommand(path), command);
    // The command line reader gets the path back in one piece.
    QCOMPARE(QProcess::splitCommand(command), (QStringList{path, QStringLiteral("/uninstall")}));
}

void TestUninstall::answerYesRemovesTheTraces()
{
    plantTraces();
    QStringList missing;
    QVERIFY2(tracesPresent(&missing), qPrintable(missing.join(QLatin1String(", "))));

    RecordingSound sound;
    ModalBoxAnswerer answerer(QStringLiteral("&Ja"));
    QCOMPARE(runSelfUninstall(sound, m_settingsDirectory), 0);

    QCOMPARE(sound.exclamations, 1);
    QCOMPARE(answerer.count(), 2);
    const ModalBoxAnswerer::Box question = answerer.boxes().at(0);
    QCOMPARE(question.title, QStringLiteral("Warnung"));
    QCOMPARE(question.text, QStringLiteral("Soll Lettrisko wirklich deinstalliert werden?"));
    QCOMPARE(question.icon, QMessageBox::Warning);
    QCOMPARE(question.buttons.size(), 2);
    QVERIFY(question.buttons.contains(QStringLiteral("&Ja")));
    QVERIFY(question.buttons.contains(QStringLiteral("&Nein")));
    const ModalBoxAnswerer::Box done = answerer.boxes().at(1);
    QCOMPARE(done.title, QStringLiteral("Deinstallation abgeschlossen"));
    QCOMPARE(done.text, QStringLiteral("Lettrisko wurde erfolgreich deinstalliert."));
    QCOMPARE(done.icon, QMessageBox::Information);
    QCOMPARE(done.buttons.size(), 1);

    QStringList left;
    QVERIFY2(tracesGone(&left), qPrintable(left.join(QLatin1String(", "))));
    QVERIFY(!QFile::exists(uninstallEntryIconPath(QStringLiteral("Zeichenjagd"))));
    // The maker's other programs keep their keys.
    Registry user(RegistryHive::CurrentUser);
    QVERIFY(user.openKey(QStringLiteral("Software\\Kx\\AnderesSpiel"), false));
    QCOMPARE(user.readInteger(QStringLiteral("Keep")), 1);
}

namespace {

// The caption the window manager shows for a window of this title: once
// the application has a display name of its own, Qt appends it to every
// window title that does not already end with it.
QString captionAsShown(const QString &title)
{
    // Without a display name of its own the application reports its name
    // instead, and follows when the name changes.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(name + QLatin1String(" (probe)"));
    const QString displayName = QGuiApplication::applicationDisplayName();
    const bool ownDisplayName = displayName != QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(name);

    if (!ownDisplayName || title.endsWith(displayName))
        return title;
    return title + QStringLiteral(" \u2014 ") + displayName;
}

} // namespace

void TestUninstall::captionsAsTheWindowManagerShowsThem()
{
    plantTraces();
    RecordingSound sound;
    ModalBoxAnswerer answerer(QStringLiteral("&Ja"));
    QStringList captions;
    QStringList taskBarTexts;
    answerer.setWhileOpen([&] {
        const QWidget *box = QApplication::activeModalWidget();
        captions << captionAsShown(box->windowTitle());
        taskBarTexts << box->windowIconText();
    });
    runSelfUninstall(sound, m_settingsDirectory);

    QCOMPARE(captions, (QStringList{QStringLiteral("Warnung"), QStringLiteral("Deinstallation abgeschlossen")}));
    // The program's name in the task bar says what is going on.
    QCOMPARE(taskBarTexts,
             (QStringList{QStringLiteral("Lettrisko [Deinstallation]"), QStringLiteral("Lettrisko [Deinstallation]")}));
}

void TestUninstall::answerNoChangesNothing()
{
    plantTraces();
    QFile entry(entryPath());
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QByteArray entryBefore = entry.readAll();
    entry.close();

    RecordingSound sound;
    ModalBoxAnswerer answerer(QStringLiteral("&Nein"));
    QCOMPARE(runSelfUninstall(sound, m_settingsDirectory), 0);

    QCOMPARE(sound.exclamations, 1);
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.last().title, QStringLiteral("Warnung"));
    QStringList missing;
    QVERIFY2(tracesPresent(&missing), qPrintable(missing.join(QLatin1String(", "))));
    QVERIFY(entry.open(QIODevice::ReadOnly));
    QCOMPARE(entry.readAll(), entryBefore);
    Registry machine(RegistryHive::LocalMachine);
    QVERIFY(machine.openKey(QStringLiteral("Software\\Kx\\Lettrisko"), false));
    QCOMPARE(machine.readInteger(QStringLiteral("UpdateInterval")), 14);
}

void TestUninstall::enterAndEscapeAnswer_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("uninstalled");
    QTest::newRow("Enter") << int(Qt::Key_Return) << true;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << false;
}

void TestUninstall::enterAndEscapeAnswer()
{
    QFETCH(int, key);
    QFETCH(bool, uninstalled);
    plantTraces();

    // The question is answered with the key; the success box, if any, by
    // an answerer that starts looking only then.
    QTimer keyer;
    std::unique_ptr<ModalBoxAnswerer> answerer;
    connect(&keyer, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (answerer || !box || !box->isVisible())
            return;
        box->setProperty("answered", true);
        answerer = std::make_unique<ModalBoxAnswerer>(QMessageBox::Ok);
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : box;
        QTest::keyClick(target, Qt::Key(key));
    });
    keyer.start(5);

    RecordingSound sound;
    runSelfUninstall(sound, m_settingsDirectory);
    QVERIFY(answerer);
    if (uninstalled) {
        QStringList left;
        QVERIFY2(tracesGone(&left), qPrintable(left.join(QLatin1String(", "))));
        QCOMPARE(answerer->count(), 1);
        QCOMPARE(answerer->last().title, QStringLiteral("Deinstallation abgeschlossen"));
    } else {
        QVERIFY(tracesPresent());
        QCOMPARE(answerer->count(), 0);
    }
}

void TestUninstall::twiceInARowSucceedsTwice()
{
    plantTraces();
    RecordingSound sound;
    ModalBoxAnswerer answerer(QStringLiteral("&Ja"));
    runSelfUninstall(sound, m_settingsDirectory);
    runSelfUninstall(sound, m_settingsDirectory);

    QCOMPARE(sound.exclamations, 2);
    QCOMPARE(answerer.count(), 4);
    QCOMPARE(answerer.boxes().at(1).text, QStringLiteral("Lettrisko wurde erfolgreich deinstalliert."));
    QCOMPARE(answerer.boxes().at(3).text, QStringLiteral("Lettrisko wurde erfolgreich deinstalliert."));
    QVERIFY(tracesGone());
}

void TestUninstall::normalStartRegistersAgain()
{
    plantTraces();
    RecordingSound sound;
    ModalBoxAnswerer answerer(QStringLiteral("&Ja"));
    runSelfUninstall(sound, m_settingsDirectory);
    QVERIFY(!QFile::exists(entryPath()));

    registerAtNormalStart();
    QVERIFY(QFile::exists(entryPath()));
    QFile entry(entryPath());
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    QVERIFY(text.contains(QLatin1String("Name=Lettrisko\n")));
    QVERIFY(text.contains(QLatin1String("X-Kx-UninstallString=")
                          + uninstallCommand(QCoreApplication::applicationFilePath()).replace(
                              QLatin1String("\\"), QLatin1String("\\\\"))
                          + QLatin1Char('\n')));
}

QTEST_MAIN(TestUninstall)
#include "tst_uninstall.moc"
