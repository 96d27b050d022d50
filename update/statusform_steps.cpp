// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The wizard's steps: the check, the download with its progress and its
// cancellation, the installation, the settings page.
#include "update/TStatusForm.h"

#include "controls/MessageBoxes.h"
#include "controls/TImage.h"
#include "controls/TPaintBox.h"
#include "update/THttpClient.h"
#include "update/UpdateDescription.h"
#include "update/UpdateSchedule.h"
#include "update/UpdateSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>

#include <climits>

namespace {

const QString NoUpdatesText = QStringLiteral(
    "Es stehen keine neuen Updates zur Verfügung. Klicken Sie auf \"Beenden\", um den Assistenten zu verlassen.");
const QString UpdatesText = QStringLiteral(
    "Es stehen neue Updates zum Download bereit.\n\n"
    "Die Updates beheben folgende Probleme bzw. stellen folgende neue Funktionen zur Verfügung:\n"
    "%1\n\n"
    "Klicken Sie auf \"Weiter\", um die Updates jetzt herunterzuladen.");
// An update this copy cannot install: why, and what it would bring.
const QString UpdatesBlockedText = QStringLiteral(
    "Es stehen neue Updates zur Verfügung, die aber nicht installiert werden können:\n"
    "%1\n\n"
    "Die Updates beheben folgende Probleme bzw. stellen folgende neue Funktionen zur Verfügung:\n"
    "%2\n\n"
    "Klicken Sie auf \"Beenden\", um den Assistenten zu verlassen.");
const QString DownloadFailedText = QStringLiteral(
    "Der Download wurde nicht vollendet.\n\n"
    "Klicken Sie auf \"Erneut versuchen\", um den Download erneut zu starten.\n"
    "Klicken Sie auf \"Abbrechen\", um den Assistenten zu beenden.");
const QString DownloadDoneText = QStringLiteral(
    "Die Update-Dateien wurden erfolgreich heruntergeladen. Klicken Sie auf \"Weiter\", um die Updates zu "
    "installieren.");
const QString NotFoundText = QStringLiteral(
    "Die Installationsdateien wurden nicht gefunden. Klicken Sie auf \"Abbrechen\" und versuchen Sie es später "
    "noch einmal.");

// "hh:mm:ss", the hours going on past a day: a slow download of a large
// archive may well take longer.
QString durationText(qint64 milliseconds)
{
    const qint64 seconds = milliseconds / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// The failed download's text with the reason after its first sentence.
QString downloadFailedText(const QString &reason)
{
    if (reason.isEmpty())
        return DownloadFailedText;
    const qsizetype end = DownloadFailedText.indexOf(QLatin1String("\n\n"));
    return DownloadFailedText.left(end) + QLatin1Char('\n') + reason + DownloadFailedText.mid(end);
}

QPixmap errorIcon()
{
    return QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32);
}

} // namespace

// Counts the handlers that wait for a transfer; a close asked for
// meanwhile is carried out once the outermost of them has returned.
class TStatusForm::HandlerScope
{
public:
    explicit HandlerScope(TStatusForm *form)
        : m_form(form)
    {
        ++m_form->m_runningHandlers;
    }
    ~HandlerScope()
    {
        if (--m_form->m_runningHandlers == 0 && m_form->m_closeRequested)
            QMetaObject::invokeMethod(m_form, &TStatusForm::closeIfRequested, Qt::QueuedConnection);
    }
    HandlerScope(const HandlerScope &) = delete;
    HandlerScope &operator=(const HandlerScope &) = delete;

private:
    TStatusForm *m_form;
};

void TStatusForm::Button_NextClick()
{
    HandlerScope running(this);
    ++Step;
    switch (Step) {
    case CheckPage:
        Button_Next->setEnabled(false);
        break;
    case ResultPage: {
        QString changes = UpdateAvailable ? m_session->changes() : QString();
        changes.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        // Nothing is downloaded that could not be installed: the result is
        // then left as one without updates.
        const QString obstacle = UpdateAvailable ? m_session->installationObstacle() : QString();
        if (!obstacle.isEmpty())
            UpdateAvailable = false;
        if (UpdateAvailable) {
            Label_CheckResult->setText(UpdatesText.arg(changes));
        } else {
            Button_Next->setText(QStringLiteral("Beenden"));
            Button_Cancel->setEnabled(false);
            Label_CheckResult->setText(obstacle.isEmpty() ? NoUpdatesText : UpdatesBlockedText.arg(obstacle, changes));
        }
        Button_Next->setEnabled(true);
        break;
    }
    case DownloadPage:
        // "Beenden" on the result without updates.
        if (!UpdateAvailable)
            requestClose();
        break;
    case FinishPage:
        prepareInstallation();
        if (!Installed)
            return;
        break;
    case EndStep:
        // The program ends: no questions, and the last page stays as it was.
        done(QDialog::Accepted);
        Q_EMIT applicationEndRequested();
        return;
    default:
        break;
    }

    if (Step <= FinishPage)
        showStepPage(Step);
    PaintBox_Process->update();
    if (Step == DownloadPage && UpdateAvailable)
        runDownload();
}

// Unpacking runs in a thread of its own while the install page tells how
// far it got; "Abbrechen", Esc and the close box stop it.
void TStatusForm::prepareInstallation()
{
    Button_Next->setEnabled(false);
    Label3->setText(QStringLiteral("Die Update-Dateien werden entpackt …"));
    const QMetaObject::Connection progress =
        connect(m_session, &UpdateSession::unpackProgress, this, [this](qint64 written, qint64 total) {
            if (total > 0)
                Label3->setText(QStringLiteral("Die Update-Dateien werden entpackt: %1 von %2 …")
                                    .arg(SizeText(1, false, written), SizeText(1, false, total)));
        });
    QString message;
    const UpdateSession::Preparation preparation =
        m_session->prepareInstallation(CheckBox_Restart->isChecked(), &message);
    disconnect(progress);

    switch (preparation) {
    case UpdateSession::Preparation::ArchiveMissing:
        // The install page stays in front, its step is already the next.
        Label3->setText(NotFoundText);
        Image_Icon2->setPicture(errorIcon());
        return;
    case UpdateSession::Preparation::Cancelled:
        // The wizard is closing; the program goes on as it was.
        Step = InstallPage;
        Label3->setText(m_installPageText);
        return;
    case UpdateSession::Preparation::Failed:
        // Nothing was installed and nothing is left to install: the
        // install page stays with the reason, and the wizard can be left
        // like one whose download failed, without ending the program.
        Step = InstallPage;
        Label3->setText(message);
        Image_Icon2->setPicture(errorIcon());
        showMessageBox(this, QMessageBox::Critical, QStringLiteral("Fehler"), message);
        return;
    case UpdateSession::Preparation::Prepared:
        Installed = true;
        Label3->setText(m_installPageText);
        Button_Next->setEnabled(true);
        Button_Next->setText(QStringLiteral("Beenden"));
        Button_Cancel->setEnabled(false);
        return;
    }
}

void TStatusForm::runDownload()
{
    Button_Next->setEnabled(false);
    CancelDownload->setText(QStringLiteral("Download ab&brechen"));
    CancelDownload->setVisible(true);
    // A retry or a new showing would otherwise go on telling about the
    // download before.
    Label_Download->setText(m_downloadPageText);
    resetProgress();

    Downloading = true;
    m_downloadStart.start();
    const QMetaObject::Connection progress =
        connect(m_session->http(), &THttpClient::PacketReceived, this, &TStatusForm::OnUpdateTimer);
    const bool complete = m_session->downloadArchive();
    disconnect(progress);
    Downloading = false;
    if (DownloadAborted)
        m_session->deletePartialArchiveLater();

    // A transfer that failed by itself is told with its reason, and may be
    // tried again like a cancelled one.
    const bool failed = !complete && !DownloadAborted;
    Label_Download->setText(DownloadAborted ? DownloadFailedText
                            : failed        ? downloadFailedText(m_session->downloadFailure())
                                            : DownloadDoneText);
    // An error page's bytes are no progress of the archive.
    if (failed)
        resetProgress();
    if (DownloadAborted || failed) {
        CancelDownload->setText(QStringLiteral("Erneut versuchen"));
    } else {
        CancelDownload->hide();
        Button_Next->setEnabled(true);
        // The focus went elsewhere while the button was disabled; Enter
        // goes on with the next step again.
        if (isActiveWindow())
            Button_Next->setFocus();
    }
}

void TStatusForm::resetProgress()
{
    Status->setRange(0, 100);
    Status->setValue(0);
    PerCent->clear();
    StatusLabel->clear();
    TimeLeft->clear();
}

// The client's wait keeps the event loop running, so unlike the window's
// other updates this one needs no event processing of its own; doing so
// here would open boxes in the middle of the client's delivery of a chunk.
void TStatusForm::OnUpdateTimer(qint64 received, qint64 total)
{
    qint64 remaining = 0;
    if (m_downloadStart.isValid() && received > 0) {
        const qint64 elapsed = m_downloadStart.elapsed();
        remaining = qMax<qint64>(0, qint64(double(elapsed) * double(total) / double(received)) - elapsed);
    }

    // The bar counts in int; archives beyond 2 GB are shown in coarser steps.
    int shift = 0;
    while ((total >> shift) > INT_MAX || (received >> shift) > INT_MAX)
        ++shift;
    Status->setMaximum(int(total >> shift));
    Status->setValue(int(qMin(received, total) >> shift));

    PerCent->setText(total != 0 ? QString::number(qRound64(double(received) * 100.0 / double(total)))
                                          + QStringLiteral(" %")
                                : QStringLiteral("100 %"));
    StatusLabel->setText(SizeText(1, false, received) + QStringLiteral(" von ") + SizeText(1, false, total)
                         + QStringLiteral(" gedownloadet"));
    TimeLeft->setText(QStringLiteral("verbleibende Zeit: ") + durationText(remaining));

    if (CancelRequested) {
        m_session->http()->Abort();
        DownloadAborted = true;
    }
}

void TStatusForm::Button_CheckClick()
{
    // A second click while the description is on its way waits for the first.
    if (m_checking)
        return;
    HandlerScope running(this);
    QScopedValueRollback<bool> checking(m_checking, true);
    m_checkCancelled = false;

    if (connectionCheck()) {
        UpdateAvailable = true;
        if (!m_session->fetchDescription())
            UpdateAvailable = false;
        if (UpdateAvailable) {
            UpdateAvailable = m_session->isUpdateNewer();
            m_checking = false;
            Button_NextClick();
            return;
        }
        // The wizard is closing; nothing to tell.
        if (m_checkCancelled)
            return;
        // Online, so the cause lies with the server or the way to it.
        if (!m_session->fetchFailure().isEmpty()) {
            showMessageBox(this, QMessageBox::Warning, QStringLiteral("Fehler"), m_session->fetchFailure());
            return;
        }
    }
    showMessageBox(this, QMessageBox::Warning, QStringLiteral("Internetverbindung erforderlich"),
                   QStringLiteral("Es besteht keine Internetverbindung."));
}

// A check or an unpacking in the middle of a handler only keeps the window
// waiting; leaving the wizard ends them.
void TStatusForm::stopWaiting()
{
    if (m_checking) {
        m_checkCancelled = true;
        m_session->http()->Abort();
    }
    m_session->cancelPreparation();
}

// They speak of the description: an archive that did not come is told on
// the download page, and may be tried again.
void TStatusForm::HTTPFailure(const QString &command)
{
    if (command == QLatin1String("GET") && !Downloading)
        UpdateAvailable = false;
}

void TStatusForm::HTTPConnectionFailed()
{
    if (!Downloading)
        UpdateAvailable = false;
}

bool TStatusForm::confirmCancelDownload()
{
    QApplication::beep();
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigung"),
                    QStringLiteral("Soll der Download wirklich abgebrochen werden?"), QMessageBox::NoButton, this);
    if (!execYesNo(box))
        return false;
    // The transfer stops at its next progress notification.
    CancelRequested = true;
    return true;
}

void TStatusForm::CancelDownloadClick()
{
    if (Downloading) {
        confirmCancelDownload();
        return;
    }
    // "Erneut versuchen": through the result page to the download again.
    Step = ResultPage;
    DownloadAborted = false;
    CancelRequested = false;
    Button_NextClick();
}

void TStatusForm::Button_CancelClick()
{
    if (Downloading && !confirmCancelDownload())
        return;
    stopWaiting();
    requestClose();
}

// --- settings page

void TStatusForm::Button_SettingsClick()
{
    {
        UpdateSchedule schedule(RegistryKey, HKCU);
        (schedule.noUpdate() ? RadioButton_NoAutoUpdt : RadioButton_AutoUpdt)->setChecked(true);
        SpinEdit_AutoUpdt->setValue(schedule.storedInterval().value_or(7));
    }
    RadioButton_UpdtClick();
    Button_Settings->hide();
    Panel_Title->setText(QStringLiteral("Einstellungen"));
    showStandardButtons(false);
    Pages->setCurrentIndex(SettingsPage);
}

void TStatusForm::RadioButton_UpdtClick()
{
    const bool automatic = RadioButton_AutoUpdt->isChecked();
    for (QWidget *each : {static_cast<QWidget *>(Label_AutoUpdt1), static_cast<QWidget *>(SpinEdit_AutoUpdt),
                          static_cast<QWidget *>(Label_AutoUpdt2)})
        each->setEnabled(automatic);
}

void TStatusForm::Button_SettingsSaveClick()
{
    UpdateSchedule(RegistryKey, HKCU).saveReminder(RadioButton_NoAutoUpdt->isChecked(), SpinEdit_AutoUpdt->value());
    Button_SettingsCancelClick();
}

void TStatusForm::Button_SettingsCancelClick()
{
    Pages->setCurrentIndex(m_stepPage);
    Panel_Title->setText(stepTitle(m_stepPage));
    showStandardButtons(true);
    Button_Settings->show();
}
