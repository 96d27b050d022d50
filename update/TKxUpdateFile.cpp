// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "update/TKxUpdateFile.h"

#include "controls/MessageBoxes.h"
#include "platform/BuildSettings.h"
#include "update/TStatusForm.h"
#include "update/UpdateComponent.h"
#include "update/UpdateSchedule.h"
#include "update/UpdateSession.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QWidget>

TKxUpdateFile::TKxUpdateFile(QWidget *owner)
    : THttpClient(owner)
{
    addUpdateShortcut(owner, this, [this] { AutomaticUpdate(QString(), true); });

    Host = updateHost();
    Port = 21;
    Body.clear();
    Header.clear();
    TimeOut = 10000;
    InputFileMode = true;
}

// The wizard goes last: its destruction records the next reminder and
// starts a prepared installation.
TKxUpdateFile::~TKxUpdateFile() = default;

TStatusForm *TKxUpdateFile::wizard()
{
    // Made when first needed: most runs never show it, and until it has
    // been shown it has nothing to record at the end.
    if (!m_wizard) {
        m_wizard = std::make_unique<TStatusForm>();
        connect(m_wizard.get(), &TStatusForm::applicationEndRequested, this,
                [this] { Q_EMIT programEndRequested(true); });
    }
    return m_wizard.get();
}

void TKxUpdateFile::AutomaticUpdate(const QString &ArgumentTail, bool OnDemand, const QDateTime &ProgramDate)
{
    const QString executable = QCoreApplication::applicationFilePath();
    const QDate today = QDate::currentDate();
    // An installation that failed after the last run tells so once.
    if (!OnDemand) {
        const UpdateSession::InstallationFailure failure = UpdateSession::takeInstallationFailure();
        if (!failure.text.isEmpty())
            showMessageBoxWithDetails(nullptr, QMessageBox::Warning, QStringLiteral("Update fehlgeschlagen"),
                                      failure.text, failure.details);
    }
    bool onlyUpdate = false;
    {
        UpdateSchedule schedule(RegistryKey, HKCU);
        const QString unread = OnDemand ? QString() : schedule.unreadFileReason();
        if (!unread.isEmpty())
            showMessageBox(nullptr, QMessageBox::Warning, QStringLiteral("Fehler"), unread,
                           QStringLiteral("Lettrisko erinnert deshalb wie beim ersten Start an Updates. Die Datei "
                                          "bleibt, wie sie ist; der Zeitplan wird nicht darin gespeichert."));
        if (!OnDemand)
            schedule.writeApplicationFileName(executable, ArgumentTail);
        onlyUpdate = schedule.onlyUpdate();
        if (!isWizardDue(OnDemand, onlyUpdate, schedule.noUpdate(), schedule.reminderThreshold(today), today))
            return;
    }

    TStatusForm *form = wizard();
    // The wizard asks the server this component was given.
    form->session()->http()->Host = Host;
    form->ProgramName = ProgramName;
    form->ZIPFileName = ZIPFileName;
    form->RegistryKey = RegistryKey;
    form->ProgramDate = ProgramDate.isValid() ? ProgramDate : QFileInfo(executable).lastModified();
    form->HKCU = HKCU;
    form->showModal();

    if (onlyUpdate)
        Q_EMIT programEndRequested(false);
}
