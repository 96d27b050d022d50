// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The update wizard driven through its states inside its modal showing,
// against a real HTTP server on 127.0.0.1: the check, the result, the
// download with its cancellation and retry, leaving in the middle of a
// transfer, the installation, the settings page and the reminder written
// when the wizard goes at program end.
#include "platform/Registry.h"
#include "support/HostileFiles.h"
#include "support/LoopbackHttpServer.h"
#include "support/ModalBoxAnswerer.h"
#include "support/ReadOnlyFolder.h"
#include "support/TestFiles.h"
#include "update/THttpClient.h"
#include "update/TStatusForm.h"
#include "update/UpdateDescription.h"
#include "update/UpdateLimits.h"
#include "update/UpdateSchedule.h"
#include "update/UpdateSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtTest/qtestspontaneevent.h>

Q_DECLARE_METATYPE(Response)

namespace {

const QString NoUpdatesText = "Es stehen keine neuen Updates zur Verfügung. Klicken Sie auf \"Beenden\", um den "
                              "Assistenten zu verlassen.";
const QString UpdatesText = "Es stehen neue Updates zum Download bereit.\n\nDie Updates beheben folgende Probleme "
                            "bzw. stellen folgende neue Funktionen zur Verfügung:\n- 7.12.2026: Mehr Woerter\n\n\n"
                            "Klicken Sie auf \"Weiter\", um die Updates jetzt herunterzuladen.";
const QString DownloadPageText = "Die Updates werden jetzt heruntergeladen. Bitten warten Sie, bis der Download "
                                 "abgeschlossen ist, oder klicken Sie auf \"Download abbrechen\", wenn Sie die "
                                 "Updates zu einer anderen Zeit herunterladen wollen.";
const QString DownloadFailedText = "Der Download wurde nicht vollendet.\n\nKlicken Sie auf \"Erneut versuchen\", um "
                                   "den Download erneut zu starten.\nKlicken Sie auf \"Abbrechen\", um den "
                                   "Assistenten zu beenden.";
const QString DownloadDoneText = "Die Update-Dateien wurden erfolgreich heruntergeladen. Klicken Sie auf \"Weiter\", "
                                 "um die Updates zu installieren.";
const QString OfflineText = "Es besteht keine Internetverbindung.";
const QString NotFoundText = "Die Installationsdateien wurden nicht gefunden. Klicken Sie auf \"Abbrechen\" und "
                             "versuchen Sie es später noch einmal.";

// Dated before the program (6.12.2026, noon): nothing to offer.
const QByteArray OldDescription = "[Lettrisko]\r\nDate=1.12.2026\r\n";
// The November entry predates the program and is not listed.
const QByteArray NewDescription = "[Lettrisko]\r\nDate=1.1.2099\r\nFile=L2.zip\r\n"
                                  "News=1.11.2026:Alt, \"7.12.2026: Mehr Woerter\"\r\n";

// Random bytes do not shrink, so the archive comes in many packets.
QByteArray updateArchive()
{
    QByteArray padding(96 * 1024, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(padding.data()), padding.size() / 4);
    return zipArchiveBytes({{"Update.sh", "true\r\ntrue\r\ntrue\r\ntrue\r\n"}, {"padding.bin", padding}});
}

} // namespace

class TestUpdateWizard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void checkWithoutUpdate_data();
    void checkWithoutUpdate();
    void updateCancelledRetriedThenInstalled();
    void archiveGoneBeforeInstallation();
    void refusedInstallationKeepsTheProgram();
    void leavingDuringDownload_data();
    void leavingDuringDownload();
    void failedDownloadIsToldAndRetried_data();
    void failedDownloadIsToldAndRetried();
    void settingsSaved_data();
    void settingsSaved();
    void colorBlend_data();
    void colorBlend();
    void tabOrder_data();
    void tabOrder();


private:
    template<typename T = QPushButton>
    T *control(const char *name) const
    {
        T *found = m_wizard->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QString text(const char *name) const { return control<QLabel>(name)->text(); }
    int page() const { return control<QStackedWidget>("Pages")->currentIndex(); }
    QString title() const { return text("Panel_Title"); }
    // A row of the wizard's state table: step/page title | Next | Cancel,
    // a leading '-' for a disabled button, then "CancelDownload" when shown.
    QString state() const
    {
        auto button = [this](const char *name) {
            return QString(control(name)->isEnabled() ? "" : "-") + control(name)->text();
        };
        QString row = QString("%1/%2 %3 | %4 | %5")
                          .arg(m_wizard->step()).arg(page()).arg(title(), button("Button_Next"), button("Button_Cancel"));
        if (page() == 3 && !control("CancelDownload")->isHidden())
            row += " | " + control("CancelDownload")->text();
        return row;
    }
    // As the window system delivers it: a spontaneous close event.
    void pressCloseBox() const
    {
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        qApp->notify(m_wizard.get(), &close);
    }
    void runModal(const std::function<void()> &script);
    void checkForUpdates();
    void onFirstPacket(const std::function<void()> &action);
    void offerUpdate(const Response &archive)
    {
        m_server->route("/Updates.ini", Response::text(NewDescription));
        m_server->route("/Updates/L2.zip", archive);
    }
    std::optional<QDate> storedReminder() const { return UpdateSchedule("Lettrisko", false).storedThreshold(); }

    std::unique_ptr<QTemporaryDir> m_registry;
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<LoopbackHttpServer> m_server;
    std::unique_ptr<TStatusForm> m_wizard;
};

void TestUpdateWizard::initTestCase()
{
    // The files here are a few KB, a description beyond its bound 1 MB.
    QVERIFY(limitFileSize(32 << 20));
}

void TestUpdateWizard::init()
{
    m_registry = std::make_unique<QTemporaryDir>();
    m_temp = std::make_unique<QTemporaryDir>();
    Registry::setStorageDirectory(m_registry->path());
    m_server = std::make_unique<LoopbackHttpServer>();
    m_wizard = std::make_unique<TStatusForm>();
    m_wizard->ProgramName = "Lettrisko";
    m_wizard->ZIPFileName = "Zeichenjagd.zip";
    m_wizard->RegistryKey = "Lettrisko";
    m_wizard->ProgramDate = QDateTime(QDate(2026, 12, 6), QTime(12, 0));
    m_wizard->connectionCheck = [] { return true; };
    m_wizard->session()->TempDir = m_wizard->session()->ProgramDir = m_temp->path();
    // What the script starts again after an installation, once the test has ended.
    m_wizard->session()->ExecutablePath = "/bin/true";
    m_wizard->session()->http()->Host = QString("127.0.0.1:%1").arg(m_server->port());
    // A transfer that a fault leaves running ends in seconds: the servers
    // here never pause that long, and send a description in far less.
    m_wizard->session()->http()->TimeOut = 2000;
    m_wizard->session()->Limits.descriptionDeadlineMs = 3000;
}

void TestUpdateWizard::cleanup()
{
    m_wizard.reset();
    m_server.reset();
    m_temp.reset();
    Registry::setStorageDirectory(QString());
    m_registry.reset();
}

// Runs the script inside the wizard's modal showing, as the user would; a
// wizard that does not close fails instead of hanging.
void TestUpdateWizard::runModal(const std::function<void()> &script)
{
    QTimer::singleShot(0, m_wizard.get(), [this, script] {
        script();
        if (QTest::currentTestFailed())
            m_wizard->done(QDialog::Rejected);
    });
    QTimer watchdog;
    connect(&watchdog, &QTimer::timeout, m_wizard.get(), [this] {
        QTest::qFail("the wizard did not close", __FILE__, __LINE__);
        m_wizard->done(QDialog::Rejected);
    });
    watchdog.start(60000);
    m_wizard->showModal();
}

// From the welcome page through the check.
void TestUpdateWizard::checkForUpdates()
{
    QCOMPARE(state(), "0/0 Willkommen | Weiter > | Abbrechen");
    control("Button_Next")->click();
    QCOMPARE(state(), "1/1 Auf neue Updates prüfen | -Weiter > | Abbrechen");
    control("Button_Check")->click();
}

// The action runs from the event loop once the first packet is in.
void TestUpdateWizard::onFirstPacket(const std::function<void()> &action)
{
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(m_wizard->session()->http(), &THttpClient::PacketReceived, this, [connection, action] {
        QObject::disconnect(*connection);
        QTimer::singleShot(0, action);
    });
}

void TestUpdateWizard::checkWithoutUpdate_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<bool>("closeBox");
    QTest::addColumn<int>("storedInterval");
    QTest::addColumn<int>("reminderIn");
    QTest::addColumn<QString>("says"); // the box after the first check; empty: none

    QTest::newRow("Beenden") << "" << false << 0 << 6 << "";
    QTest::newRow("offline first, Beenden every 3 days") << "offline" << false << 3 << 2 << OfflineText;
    // Online: what went wrong, not a missing connection.
    QTest::newRow("refused first, close box") << "refused" << true << 0 << -1
                                              << "Der Server „127.0.0.1“ lehnt die Verbindung ab.";
    QTest::newRow("404 first, Beenden") << "404" << false << 0 << 6 << "Der Server meldet den Fehler 404 (Not Found).";
    QTest::newRow("500 first, close box") << "500" << true << 0 << -1
                                          << "Der Server meldet den Fehler 500 (Internal Server Error).";
    QTest::newRow("no answer first, Beenden") << "silent" << false << 0 << 6 << "Der Server antwortet nicht.";
    QTest::newRow("endless first, Beenden") << "endless" << false << 0 << 6
                                            << "Die Update-Beschreibung auf dem Server ist größer als 1 MB; sie wird "
                                               "nicht gelesen.";
    // The update is told, but not downloaded.
    QTest::newRow("read-only program folder, Beenden") << "readonly" << false << 0 << 6 << "";
}

void TestUpdateWizard::checkWithoutUpdate()
{
    QFETCH(QString, failure);
    QFETCH(bool, closeBox);
    QFETCH(int, storedInterval);
    QFETCH(int, reminderIn);
    QFETCH(QString, says);
    if (storedInterval)
        UpdateSchedule("Lettrisko", false).saveReminder(false, storedInterval);
    m_server->route("/Updates.ini", Response::text(OldDescription, failure.toInt() ? failure.toInt() : 200));
    if (failure == "offline")
        m_wizard->connectionCheck = [] { return false; };
    if (failure == "endless")
        m_server->route("/Updates.ini", Response::pastLimit(MaximumDescriptionSize));
    if (failure == "silent") {
        m_server->route("/Updates.ini", Response::noAnswer());
        m_wizard->session()->http()->TimeOut = 300;
    }
    QTcpServer closed;
    if (failure == "refused") {
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        m_wizard->session()->http()->Host = QString("127.0.0.1:%1").arg(closed.serverPort());
        closed.close();
    }
    const QString programDir = m_temp->path() + "/Programm/";
    std::optional<ReadOnlyFolder> readOnly;
    if (failure == "readonly") {
        m_server->route("/Updates.ini", Response::text(NewDescription));
        QVERIFY(QDir().mkpath(programDir));
        m_wizard->session()->ProgramDir = programDir;
        readOnly.emplace(programDir);
    }
    ModalBoxAnswerer answerer(QMessageBox::Ok);
    QSignalSpy ended(m_wizard.get(), &TStatusForm::applicationEndRequested);

    runModal([&] {
        checkForUpdates();
        QCOMPARE(answerer.count(), says.isEmpty() ? 0 : 1);
        if (!says.isEmpty()) {
            QCOMPARE(answerer.last().title, says == OfflineText ? "Internetverbindung erforderlich" : "Fehler");
            QCOMPARE(answerer.last().text, says);
            QCOMPARE(answerer.last().icon, QMessageBox::Warning);
            QCOMPARE(answerer.last().buttons.size(), 1);
            QCOMPARE(state(), "1/1 Auf neue Updates prüfen | -Weiter > | Abbrechen");
            // The user may try again.
            m_wizard->connectionCheck = [] { return true; };
            m_wizard->session()->http()->Host = QString("127.0.0.1:%1").arg(m_server->port());
            m_wizard->session()->http()->TimeOut = 10000;
            m_server->route("/Updates.ini", Response::text(OldDescription));
            control("Button_Check")->click();
        }
        QCOMPARE(state(), "2/2 Ergebnis der Prüfung | Beenden | -Abbrechen");
        QVERIFY(text("Label_CheckResult")
                    .contains(failure == "readonly" ? "den Ordner " + programDir + " nicht ändern darf" : NoUpdatesText));
        // Esc belongs to the disabled "Abbrechen".
        QTest::keyClick(m_wizard.get(), Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(m_wizard->isVisible());
        closeBox ? pressCloseBox() : control("Button_Next")->click();
    });
    QVERIFY(!m_wizard->isVisible());
    QCOMPARE(answerer.count(), says.isEmpty() ? 0 : 1);
    QCOMPARE(m_server->requestedPaths().filter("/Updates/"), QStringList());
    QCOMPARE(ended.count(), 0);
    QCOMPARE(storedReminder(), std::nullopt);
    m_wizard.reset();
    QCOMPARE(storedReminder(), reminderIn < 0 ? std::nullopt : std::optional(QDate::currentDate().addDays(reminderIn)));
}

void TestUpdateWizard::updateCancelledRetriedThenInstalled()
{
    const QByteArray archiveBytes = updateArchive();
    offerUpdate(Response::text(archiveBytes).slow(2048, 10));
    ModalBoxAnswerer answerer(QString("&Ja"));
    QSignalSpy ended(m_wizard.get(), &TStatusForm::applicationEndRequested);
    QStringList whileDownloading;
    auto atFirstPacket = [&](bool cancel) {
        onFirstPacket([&, cancel] {
            whileDownloading << state() << text("Label_Download") << QString::number(m_wizard->isDownloadAborted());
            if (cancel)
                control("CancelDownload")->click();
        });
    };
    const QStringList freshDownload = {"3/3 Download der Updates | -Weiter > | Abbrechen | Download ab&brechen",
                                       DownloadPageText, "0"};

    runModal([&] {
        checkForUpdates();
        QCOMPARE(state(), "2/2 Ergebnis der Prüfung | Weiter > | Abbrechen");
        QCOMPARE(text("Label_CheckResult"), UpdatesText);
        // Cancelled, then retried and cancelled again.
        for (QPushButton *start : {control("Button_Next"), control("CancelDownload")}) {
            whileDownloading.clear();
            atFirstPacket(true);
            start->click();
            QCOMPARE(whileDownloading, freshDownload);
            QCOMPARE(state(), "3/3 Download der Updates | -Weiter > | Abbrechen | Erneut versuchen");
            QCOMPARE(text("Label_Download"), DownloadFailedText);
            // The partial archive goes three seconds later.
            const QString archive = m_wizard->session()->archivePath();
            QVERIFY(archive.endsWith("/Zeichenjagd.zip") && QFile::exists(archive));
            QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(archive), 10000);
        }
        QCOMPARE(answerer.count(), 2);
        QCOMPARE(answerer.last().title, "Bestätigung");
        QCOMPARE(answerer.last().text, "Soll der Download wirklich abgebrochen werden?");
        QCOMPARE(answerer.last().icon, QMessageBox::Question);
        QCOMPARE(answerer.last().buttons, QStringList({"&Ja", "&Nein"}));
        control("Button_Cancel")->click();
    });

    // A new showing starts afresh; this time the download goes through.
    runModal([&] {
        QVERIFY(control("Button_Settings")->isVisible());
        checkForUpdates();
        whileDownloading.clear();
        atFirstPacket(false);
        control("Button_Next")->click();
        QCOMPARE(whileDownloading, freshDownload);
        QCOMPARE(state(), "3/3 Download der Updates | Weiter > | Abbrechen");
        QCOMPARE(text("Label_Download"), DownloadDoneText);
        const QString size = SizeText(1, false, archiveBytes.size());
        QCOMPARE(QStringList({text("PerCent"), text("StatusLabel"), text("TimeLeft")}),
                 QStringList({"100 %", size + " von " + size + " gedownloadet", "verbleibende Zeit: 00:00:00"}));

        control("Button_Next")->click();
        QCOMPARE(state(), "4/4 Installieren | Weiter > | Abbrechen");
        QVERIFY(control<QCheckBox>("CheckBox_Restart")->isChecked());
        control("Button_Next")->click();
        QCOMPARE(state(), "5/5 Abschließen der Installation | Beenden | -Abbrechen");
        QVERIFY(m_wizard->isInstalled() && !QFile::exists(m_wizard->session()->archivePath()));
        QVERIFY(QFile::exists(m_wizard->session()->scriptPath()));
        control("Button_Next")->click();
        // Ended at once, without waiting for the loop.
        QVERIFY(!m_wizard->isVisible());
    });
    QCOMPARE(m_wizard->result(), int(QDialog::Accepted));
    QCOMPARE(ended.count(), 1);
    QCOMPARE(state(), "6/5 Abschließen der Installation | Beenden | -Abbrechen");
    QCOMPARE(answerer.count(), 2);
    m_wizard.reset();
    QCOMPARE(storedReminder(), QDate::currentDate().addDays(6));
}

// The server announces no size; the settings are opened during the
// download; the archive is gone when the installation is prepared.
void TestUpdateWizard::archiveGoneBeforeInstallation()
{
    const QByteArray archiveBytes = updateArchive();
    offerUpdate(Response::text(archiveBytes).withoutContentLength().slow(2048, 10));
    QSignalSpy ended(m_wizard.get(), &TStatusForm::applicationEndRequested);
    const QImage errorIcon = QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32).toImage();
    QStringList perCent;

    runModal([&] {
        checkForUpdates();
        connect(m_wizard->session()->http(), &THttpClient::PacketReceived, this,
                [&] { perCent << text("PerCent"); }, Qt::QueuedConnection);
        onFirstPacket([&] { control("Button_Settings")->click(); });
        control("Button_Next")->click();
        // The settings page stays in front of the finished download.
        QCOMPARE(title(), "Einstellungen");
        control("Button_SettingsCancel")->click();
        QCOMPARE(state(), "3/3 Download der Updates | Weiter > | Abbrechen");
        QCOMPARE(text("StatusLabel"), SizeText(1, false, archiveBytes.size()) + " von 0 Byte gedownloadet");

        QVERIFY(QFile::remove(m_wizard->session()->archivePath()));
        control("Button_Next")->click();
        control("Button_Next")->click();
        QCOMPARE(state(), "5/4 Installieren | -Weiter > | Abbrechen");
        QCOMPARE(text("Label3"), NotFoundText);
        QCOMPARE(control<QLabel>("Image_Icon2")->pixmap().toImage(), errorIcon);
        // The settings page leads back to what was on screen.
        control("Button_Settings")->click();
        control("Button_SettingsCancel")->click();
        QCOMPARE(state(), "5/4 Installieren | -Weiter > | Abbrechen");
        control("Button_Cancel")->click();
        QCOMPARE(ended.count(), 0);
    });
    QVERIFY(perCent.size() >= 8);
    QCOMPARE(perCent.filter("100 %").size(), perCent.size());
    QVERIFY(!m_wizard->isVisible());
    QCOMPARE(ended.count(), 1);
    m_wizard.reset();
    QVERIFY(QDir(m_temp->path()).entryList({"Lettrisko-Update-*"}, QDir::Dirs).isEmpty());
    QCOMPARE(storedReminder(), std::nullopt);
}

// An archive that does not match its description is not installed; the
// wizard is left like after a failed download and the game goes on.
void TestUpdateWizard::refusedInstallationKeepsTheProgram()
{
    m_server->route("/Updates.ini", Response::text(NewDescription + "SHA256=" + QByteArray(64, '0') + "\r\n"));
    m_server->route("/Updates/L2.zip", Response::text(updateArchive()));
    ModalBoxAnswerer answerer(QMessageBox::Ok);
    QSignalSpy ended(m_wizard.get(), &TStatusForm::applicationEndRequested);
    const QString installPageText = text("Label3");

    runModal([&] {
        checkForUpdates();
        control("Button_Next")->click();
        control("Button_Next")->click();
        control("Button_Next")->click();
        QCOMPARE(answerer.count(), 1);
        QCOMPARE(answerer.last().title, "Fehler");
        QCOMPARE(state(), "4/4 Installieren | -Weiter > | Abbrechen");
        QCOMPARE(text("Label3"), answerer.last().text);
        QVERIFY(!m_wizard->isInstalled());
        control("Button_Cancel")->click();
    });
    QVERIFY(!m_wizard->isVisible());
    QCOMPARE(ended.count(), 0);
    QVERIFY(!QFile::exists(m_wizard->session()->archivePath()));

    // The next showing offers the installation page as it was.
    runModal([&] {
        QCOMPARE(text("Label3"), installPageText);
        control("Button_Cancel")->click();
    });
    m_wizard.reset();
    QCOMPARE(storedReminder(), std::nullopt);
}

void TestUpdateWizard::leavingDuringDownload_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("aborted");
    QTest::addColumn<QString>("during");

    // The close box waits for the transfer and asks nothing.
    QTest::newRow("close box") << "close box" << "" << false << "download";
    QTest::newRow("Abbrechen, Ja") << "Abbrechen" << "&Ja" << true << "download";
    QTest::newRow("Abbrechen, Nein") << "Abbrechen" << "&Nein" << false << "download";
    QTest::newRow("Esc, Ja") << "Esc" << "&Ja" << true << "download";
    // Closed by the system, as when the session ends.
    QTest::newRow("system, Ja") << "system" << "&Ja" << true << "download";
    QTest::newRow("system, Nein") << "system" << "&Nein" << false << "download";
    // A trickling description or an unpacking only keep the window
    // waiting: every way out ends them at once, without a question.
    QTest::newRow("check, Abbrechen") << "Abbrechen" << "" << false << "check";
    QTest::newRow("check, Esc") << "Esc" << "" << false << "check";
    QTest::newRow("check, close box") << "close box" << "" << false << "check";
    QTest::newRow("unpacking, Esc") << "Esc" << "" << false << "unpacking";
    QTest::newRow("unpacking, close box") << "close box" << "" << false << "unpacking";
}

void TestUpdateWizard::leavingDuringDownload()
{
    QFETCH(QString, how);
    QFETCH(QString, answer);
    QFETCH(bool, aborted);
    QFETCH(QString, during);
    const QByteArray body = Response::generatedBytes(0, 128 * 1024);
    offerUpdate(Response::generated(body.size()).slow(2048, 10));
    ModalBoxAnswerer answerer(answer);
    const bool closes = answer != "&Nein";
    QSignalSpy ended(m_wizard.get(), &TStatusForm::applicationEndRequested);
    auto leave = [&] {
        if (how == "close box")
            pressCloseBox();
        else if (how == "Abbrechen")
            control("Button_Cancel")->click();
        else if (how == "Esc")
            QTest::keyClick(m_wizard.get(), Qt::Key_Escape);
        else
            m_wizard->close();
    };
    if (during != "download") {
        if (during == "check")
            m_server->route("/Updates.ini", Response::generated(100000).slow(1, 50));
        else
            m_server->route("/Updates/L2.zip", Response::text(updateArchive()));
        runModal([&] {
            if (during == "check") {
                onFirstPacket(leave);
                checkForUpdates();
                return;
            }
            checkForUpdates();
            control("Button_Next")->click();
            control("Button_Next")->click();
            auto once = std::make_shared<QMetaObject::Connection>();
            *once = connect(m_wizard->session(), &UpdateSession::unpackProgress, this, [once, leave] {
                disconnect(*once);
                leave();
            });
            control("Button_Next")->click();
            QCOMPARE(state(), "4/4 Installieren | -Weiter > | Abbrechen");
        });
        QVERIFY(!m_wizard->isVisible());
        QCOMPARE(answerer.count(), 0);
        QCOMPARE(ended.count(), 0);
        QVERIFY(!m_wizard->isInstalled());
        QCOMPARE(QDir(m_temp->path()).entryList({"Lettrisko-Update-*"}, QDir::Dirs), QStringList());
        // Ended by the leave, not by the server's deadline.
        if (during == "check")
            QCOMPARE(m_wizard->session()->http()->error(), THttpClient::Error::Aborted);
        return;
    }

    runModal([&] {
        checkForUpdates();
        onFirstPacket(leave);
        control("Button_Next")->click();
        QCOMPARE(answerer.count(), answer.isEmpty() ? 0 : 1);
        QCOMPARE(m_wizard->isDownloadAborted(), aborted);
        QCOMPARE(text("Label_Download"), aborted ? DownloadFailedText : DownloadDoneText);
        QFile downloaded(m_wizard->session()->archivePath());
        QVERIFY(downloaded.open(QIODevice::ReadOnly));
        QCOMPARE(downloaded.readAll() == body, !aborted);
        // A close waits until the download's handler has returned.
        QVERIFY(m_wizard->isVisible());
        QCoreApplication::processEvents();
        QCOMPARE(m_wizard->isVisible(), !closes);
        if (!closes)
            control("Button_Cancel")->click();
    });
    QVERIFY(!m_wizard->isVisible());
    QCOMPARE(answerer.count(), answer.isEmpty() ? 0 : 1);
}

// A transfer that fails by itself is told with its reason and may be tried
// again; nothing of it is left.
void TestUpdateWizard::failedDownloadIsToldAndRetried_data()
{
    QTest::addColumn<Response>("archive");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing") << Response::text("Gibt es nicht", 404) << "Der Server meldet den Fehler 404 (Not Found).";
    QTest::newRow("closed early") << Response::generated(300000).closedAfter(1000)
                                  << "Die Verbindung zum Server ist während der Übertragung abgebrochen.";
}

void TestUpdateWizard::failedDownloadIsToldAndRetried()
{
    QFETCH(Response, archive);
    QFETCH(QString, reason);
    offerUpdate(archive);

    runModal([&] {
        checkForUpdates();
        control("Button_Next")->click();
        QCOMPARE(state(), "3/3 Download der Updates | -Weiter > | Abbrechen | Erneut versuchen");
        QCOMPARE(text("Label_Download"), DownloadFailedText.section("\n", 0, 0) + "\n" + reason + "\n\n"
                                             + DownloadFailedText.section("\n\n", 1));
        QCOMPARE(QDir(m_temp->path()).entryList({"Lettrisko-Download-*"}, QDir::Dirs), QStringList());

        m_server->route("/Updates/L2.zip", Response::text(updateArchive()));
        control("CancelDownload")->click();
        QCOMPARE(state(), "3/3 Download der Updates | Weiter > | Abbrechen");
        QCOMPARE(text("Label_Download"), DownloadDoneText);
        control("Button_Cancel")->click();
    });
}

void TestUpdateWizard::settingsSaved_data()
{
    QTest::addColumn<bool>("storedNever");
    QTest::addColumn<int>("storedInterval");
    QTest::addColumn<bool>("never");
    QTest::addColumn<int>("interval");

    QTest::newRow("never") << false << 3 << true << 7;
    QTest::newRow("every 14 days") << true << 0 << false << 14;
}

void TestUpdateWizard::settingsSaved()
{
    QFETCH(bool, storedNever);
    QFETCH(int, storedInterval);
    QFETCH(bool, never);
    QFETCH(int, interval);
    UpdateSchedule("Lettrisko", false).saveReminder(storedNever, storedInterval);
    auto *noAuto = control<QRadioButton>("RadioButton_NoAutoUpdt");
    auto *autoUpdate = control<QRadioButton>("RadioButton_AutoUpdt");
    auto *days = control<QSpinBox>("SpinEdit_AutoUpdt");

    runModal([&] {
        // Shown as stored, then as saved; Esc leaves without saving.
        for (const auto &[shownNever, shownDays, choice] :
             {std::tuple(storedNever, storedNever ? 7 : storedInterval, never ? noAuto : autoUpdate),
              std::tuple(never, interval, never ? autoUpdate : noAuto)}) {
            control("Button_Settings")->click();
            QCOMPARE(title(), "Einstellungen");
            QVERIFY(!control("Button_Settings")->isVisible() && control("Button_SettingsSave")->isVisible());
            QCOMPARE(noAuto->isChecked(), shownNever);
            QCOMPARE(autoUpdate->isChecked(), !shownNever);
            QCOMPARE(days->value(), shownDays);
            QCOMPARE(days->isEnabled(), !shownNever);
            choice->click();
            QCOMPARE(days->isEnabled(), choice == autoUpdate);
            days->setValue(interval);
            if (choice == (never ? noAuto : autoUpdate))
                control("Button_SettingsSave")->click();
            else
                QTest::keyClick(m_wizard.get(), Qt::Key_Escape);
            QCOMPARE(title(), "Willkommen");
            QVERIFY(control("Button_Settings")->isVisible() && control("Button_Next")->isVisible());
        }
        control("Button_Cancel")->click();
    });
    UpdateSchedule schedule("Lettrisko", false);
    QCOMPARE(schedule.noUpdate(), never);
    QCOMPARE(schedule.storedInterval(), never ? std::nullopt : std::optional(interval));
}

void TestUpdateWizard::tabOrder_data()
{
    QTest::addColumn<QString>("visit");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<QStringList>("focusOrder");

    const QStringList backwards{"Button_Next", "Button_Settings", "Button_Cancel", "Button_Next"};
    QTest::newRow("welcome, Shift+Tab") << "" << true << backwards;
    QTest::newRow("the settings open at the choice, Shift+Tab")
        << "settings" << true
        << QStringList{"RadioButton_AutoUpdt", "Button_SettingsSave", "Button_SettingsCancel", "SpinEdit_AutoUpdt",
                       "RadioButton_AutoUpdt"};
    QTest::newRow("welcome again after the settings, Shift+Tab") << "settings and back" << true << backwards;
}

// The wizard opens on "Weiter >"; Tab and Shift+Tab walk the same ring in
// its two directions, the page's own controls before the buttons below,
// also after the settings page, whose buttons take the others' place.
void TestUpdateWizard::tabOrder()
{
    QFETCH(QString, visit);
    QFETCH(bool, backwards);
    QFETCH(QStringList, focusOrder);

    QStringList seen;
    runModal([&] {
        QVERIFY(QTest::qWaitForWindowActive(m_wizard.get()));
        if (!visit.isEmpty()) {
            // As a keyboard player gets there: Shift+Tab, space.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            QCOMPARE(title(), "Einstellungen");
        }
        if (visit == QLatin1String("settings and back")) {
            // Left from inside the page.
            for (int i = 0; i < 6 && !control<QSpinBox>("SpinEdit_AutoUpdt")->hasFocus(); ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QVERIFY(control<QSpinBox>("SpinEdit_AutoUpdt")->hasFocus());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
        for (int i = 0; i < focusOrder.size(); ++i) {
            QWidget *focused = QApplication::focusWidget();
            // A spin box's edit stands for the spin box.
            if (focused && focused->objectName().isEmpty() && focused->parentWidget())
                focused = focused->parentWidget();
            seen << (focused && focused->isVisible() ? focused->objectName() : QString());
            QTest::keyClick(QApplication::focusWidget(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                            backwards ? Qt::ShiftModifier : Qt::NoModifier);
        }
        QTest::keyClick(m_wizard.get(), Qt::Key_Escape);
        if (visit == QLatin1String("settings"))
            QTest::keyClick(m_wizard.get(), Qt::Key_Escape);
    });
    QCOMPARE(seen, focusOrder);
}

void TestUpdateWizard::colorBlend_data()
{
    QTest::addColumn<QColor>("from");
    QTest::addColumn<QColor>("to");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("width");
    QTest::addColumn<QColor>("blend");

    const QColor steps(155, 183, 230);
    QTest::newRow("middle, truncated") << steps << QColor(Qt::white) << 112 << 225 << QColor(204, 218, 242);
    QTest::newRow("right edge") << steps << QColor(Qt::white) << 225 << 225 << QColor(Qt::white);
    QTest::newRow("darker, toward zero") << QColor(100, 100, 100) << QColor(Qt::black) << 1 << 3 << QColor(67, 67, 67);
    QTest::newRow("no width") << steps << QColor(Qt::white) << 5 << 0 << steps;
}

void TestUpdateWizard::colorBlend()
{
    QFETCH(QColor, from);
    QFETCH(QColor, to);
    QFETCH(int, position);
    QFETCH(int, width);
    QFETCH(QColor, blend);
    QCOMPARE(ColorBlend(from, to, position, width), blend);
}

QTEST_MAIN(TestUpdateWizard)
#include "tst_updatewizard.moc"
