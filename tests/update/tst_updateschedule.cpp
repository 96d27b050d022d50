// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// When the update wizard comes up by itself, and what the schedule keeps.
#include "platform/Registry.h"
#include "support/GameTestMain.h"
#include "support/HostileFiles.h"
#include "support/ModalBoxAnswerer.h"
#include "support/TestFiles.h"
#include "update/TKxUpdateFile.h"
#include "update/TStatusForm.h"
#include "update/UpdateSchedule.h"
#include "update/UpdateSession.h"

#include "window/TForm1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

namespace {

const QString Key = QStringLiteral("\\Software\\Kx\\Lettrisko");
// Never asked: every wizard here is closed before it checks.
const QString Server = QStringLiteral("127.0.0.1:9");

// Closes the wizard as soon as it is the modal window, counting showings.
class WizardCloser : public QObject
{
public:
    WizardCloser()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *wizard = qobject_cast<TStatusForm *>(QApplication::activeModalWidget());
            if (wizard && wizard->isVisible()) {
                ++shown;
                wizard->close();
            }
        });
        m_timer.start(10);
    }
    int shown = 0;

private:
    QTimer m_timer;
};

// Claims Ctrl+U before any shortcut, as an edit does with its line keys.
class ClaimsCtrlU : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride
            && static_cast<QKeyEvent *>(event)->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_U))
            event->accept();
        return false;
    }
};

} // namespace

class TestUpdateSchedule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void automaticUpdate_data();
    void automaticUpdate();
    void onlyUpdateEndsTheProgramWithoutTouchingTheSettings();
    void ctrlUOpensTheWizardAnyTime_data();
    void ctrlUOpensTheWizardAnyTime();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestUpdateSchedule::init()
{
    // The failure note lies in the user's configuration folder.
    QStandardPaths::setTestModeEnabled(true);
    m_dir = std::make_unique<QTemporaryDir>();
    Registry::setStorageDirectory(m_dir->path() + "/registry");
}

void TestUpdateSchedule::cleanup()
{
    Registry::setStorageDirectory(QString());
    m_dir.reset();
}

void TestUpdateSchedule::automaticUpdate_data()
{
    QTest::addColumn<QByteArray>("threshold"); // "Update" as stored; empty: none
    QTest::addColumn<bool>("noUpdate");
    QTest::addColumn<bool>("onlyUpdate");
    QTest::addColumn<bool>("onDemand");
    QTest::addColumn<bool>("shown");
    // What lies in place of a file read at the start, or a long note left
    // by a failed installation.
    QTest::addColumn<QString>("hostile");

    const QDate today = QDate::currentDate();
    const QByteArray yesterday = UpdateSchedule::encodeDate(today.addDays(-1));
    const QByteArray todays = UpdateSchedule::encodeDate(today);
    const QByteArray tomorrow = UpdateSchedule::encodeDate(today.addDays(1));

    QTest::newRow("first start") << QByteArray() << false << false << false << true << "";
    QTest::newRow("threshold yesterday") << yesterday << false << false << false << true << "";
    QTest::newRow("threshold today") << todays << false << false << false << false << "";
    QTest::newRow("threshold tomorrow") << tomorrow << false << false << false << false << "";
    QTest::newRow("never remind") << QByteArray() << true << false << false << false << "";
    QTest::newRow("never remind, on demand") << todays << true << false << true << true << "";
    QTest::newRow("only update overrides never") << todays << true << true << false << true << "";
    QTest::newRow("damaged threshold counts as missing") << QByteArray("\x01\x02\x03", 3) << false << false << false << true << "";
    QTest::newRow("on demand before the threshold") << tomorrow << false << false << true << true << "";
    QTest::newRow("a note of 3000 lines") << todays << false << false << false << false << "long note";
    QTest::newRow("the failure note is a FIFO") << QByteArray() << false << false << false << true << "note FIFO";
    QTest::newRow("the schedule is larger than 1 MiB") << QByteArray() << false << false << false << true << "huge";
    QTest::newRow("the schedule is a FIFO") << QByteArray() << false << false << false << true << "FIFO";
}

void TestUpdateSchedule::automaticUpdate()
{
    QFETCH(QByteArray, threshold);
    QFETCH(bool, noUpdate);
    QFETCH(bool, onlyUpdate);
    QFETCH(bool, onDemand);
    QFETCH(bool, shown);
    QFETCH(QString, hostile);
    const bool longNote = hostile == QLatin1String("long note");

    // The schedule's file and the failure note are not read, the player
    // hears of the schedule's once, and neither is touched.
    const QString hive = Registry::hiveFilePath(RegistryHive::LocalMachine);
    const QByteArray huge = "[Software]\nKx\\Lettrisko\\NoUpdate=sz:\n;" + QByteArray(1 << 20, 'x');
    QStandardPaths::setTestModeEnabled(true);
    const QString notePath = UpdateSession::defaultFailureNotePath();
    QFile::remove(notePath);
    const QString trapped = hostile == "FIFO" ? hive : notePath;
    QVERIFY(QDir().mkpath(QFileInfo(trapped).path()) && QDir().mkpath(QFileInfo(hive).path()));
    std::unique_ptr<FifoTrap> fifo(hostile.contains("FIFO") ? new FifoTrap(trapped) : nullptr);
    if (hostile == "huge")
        QVERIFY(writeFileBytes(hive, huge));
    if (longNote) {
        QByteArray lines = "1\n";
        for (int i = 0; i < 3000; ++i)
            lines += "Fehler " + QByteArray::number(i) + '\n';
        QVERIFY(writeFileBytes(notePath, lines));
    }
    if (hostile.isEmpty() || longNote) {
        Registry machine(RegistryHive::LocalMachine);
        machine.openKey(Key, true);
        machine.writeString("ApplicationFileName", "vorher");
        if (!threshold.isEmpty())
            machine.writeBinaryData("Update", threshold);
        if (noUpdate)
            machine.writeString("NoUpdate", QString());
        if (onlyUpdate)
            machine.writeInteger("OnlyUpdate", 1);
    }

    QWidget owner;
    auto *update = new TKxUpdateFile(&owner);
    update->ProgramName = update->RegistryKey = "Lettrisko";
    update->ZIPFileName = "Zeichenjagd.zip";
    QSignalSpy ends(update, &TKxUpdateFile::programEndRequested);
    WizardCloser closer;
    ModalBoxAnswerer boxes;
    // A note is shown before the wizard, and no taller than the screen.
    bool boxFits = false;
    boxes.setWhileOpen([&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        boxFits = box->frameGeometry().height() < box->screen()->availableGeometry().height()
                  && box->detailedText().startsWith("Fehler 0\nFehler 1\n");
    });
    update->AutomaticUpdate("/x", onDemand);

    QCOMPARE(closer.shown, shown ? 1 : 0);
    QCOMPARE(boxes.count(), hostile == "huge" || hostile == "FIFO" || longNote ? 1 : 0);
    QCOMPARE(boxFits, longNote);
    if (!hostile.isEmpty() && !longNote) {
        QVERIFY(boxes.last().text.contains(hostile == "note FIFO" ? QString() : hive));
        // A file too large and one that is no file at all are told apart.
        if (hostile == "huge" || hostile == "FIFO")
            QVERIFY2(boxes.last().text.contains(hostile == "huge" ? QStringLiteral("größer als 1 MiB")
                                                                  : QStringLiteral("keine gewöhnliche Datei")),
                     qPrintable(boxes.last().text));
        QVERIFY(fifo ? fifo->stillThere() && !fifo->opened() : fileBytes(hive) == huge);
        return;
    }
    QCOMPARE(ends.count(), onlyUpdate ? 1 : 0);
    if (onlyUpdate)
        QCOMPARE(ends.first().first().toBool(), false);

    // Everything lives in the machine's hive; the user's is not made.
    QVERIFY(!QFile::exists(Registry::hiveFilePath(RegistryHive::CurrentUser)));
    Registry machine(RegistryHive::LocalMachine);
    machine.openKey(Key, false);
    const QString expected = onDemand ? "vorher" : '"' + QCoreApplication::applicationFilePath() + "\" /x";
    QCOMPARE(machine.readString("ApplicationFileName"), expected);
    // Closing the wizard with its close box leaves the schedule as it was.
    QCOMPARE(machine.readBinaryData("Update"), threshold);
}

void TestUpdateSchedule::onlyUpdateEndsTheProgramWithoutTouchingTheSettings()
{
    {
        Registry machine(RegistryHive::LocalMachine);
        machine.openKey(Key, true);
        machine.writeString("OnlyUpdate", QString());
    }
    const QString settings = m_dir->path() + "/Properties.ini";
    QFile file(settings);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Properties]\r\nMaximumFails=3\r\n; von Hand\r\n");
    file.close();

    FormEnvironment environment;
    environment.settingsDirectory = m_dir->path();
    environment.programDirectory = m_dir->path();
    environment.updateServer = Server;
    WizardCloser closer;
    {
        TForm1 form(environment);
        QCOMPARE(closer.shown, 1);
        QVERIFY(form.isEndRequested());
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[Properties]\r\nMaximumFails=3\r\n; von Hand\r\n"));
}

void TestUpdateSchedule::ctrlUOpensTheWizardAnyTime_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("notice"); // the box Ctrl+U shows instead of the wizard

    QTest::newRow("never remind") << Server << "";
    // Nobody to ask: no wizard, also not at the first start, and Ctrl+U says why.
    QTest::newRow("built without an update server")
        << "" << "Diese Ausgabe von Lettrisko wurde ohne Update-Server gebaut und aktualisiert sich deshalb nicht "
                 "selbst. Eine neue Version bekommen Sie dort, woher Sie diese haben.";
}

void TestUpdateSchedule::ctrlUOpensTheWizardAnyTime()
{
    QFETCH(QString, server);
    QFETCH(QString, notice);
    if (!server.isEmpty()) {
        Registry machine(RegistryHive::LocalMachine);
        machine.openKey(Key, true);
        machine.writeString("NoUpdate", QString());
    }
    FormEnvironment environment;
    environment.settingsDirectory = m_dir->path();
    environment.programDirectory = m_dir->path();
    environment.updateServer = server;
    WizardCloser closer;
    TForm1 form(environment);
    QCOMPARE(closer.shown, 0);
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));

    // Also from inside a name being typed, which keeps its text: an edit
    // would otherwise take Ctrl+U for deleting to the line's start.
    form.findChild<QAbstractButton *>("StartGame")->click();
    auto *name = form.findChild<QLineEdit *>("Player1");
    QTRY_VERIFY(name->hasFocus());
    QTest::keyClicks(name, "Anna");
    // On X11 desktops an edit claims Ctrl+U for itself; here it is told to.
    ClaimsCtrlU claim;
    name->installEventFilter(&claim);
    ModalBoxAnswerer boxes;
    QTest::keyPress(name, Qt::Key_Control);
    QTest::keyClick(name, Qt::Key_U, Qt::ControlModifier);
    QTest::keyRelease(name, Qt::Key_Control);
    QCOMPARE(closer.shown, notice.isEmpty() ? 1 : 0);
    QCOMPARE(boxes.count(), notice.isEmpty() ? 0 : 1);
    QCOMPARE(boxes.last().text, notice);
    QCOMPARE(name->text(), "Anna");
    QVERIFY(!form.isEndRequested());

    if (server.isEmpty()) {
        // Without an update server nothing of a schedule is kept.
        QVERIFY(!QFile::exists(Registry::hiveFilePath(RegistryHive::LocalMachine)));
        return;
    }
    // On demand, the program's call is not recorded.
    Registry machine(RegistryHive::LocalMachine);
    machine.openKey(Key, false);
    QVERIFY(machine.readString("ApplicationFileName").endsWith('"'));
}

GAME_TEST_MAIN(TestUpdateSchedule)
#include "tst_updateschedule.moc"
