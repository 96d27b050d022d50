// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "update/THttpClient.h"

#include <QDateTime>
#include <QString>

#include <memory>

class QWidget;
class TStatusForm;

// The online-update component of the main window. It owns the update
// wizard from its first showing to the end of the run, gives its window the Ctrl+U shortcut that
// opens the wizard, and decides at start-up from the reminder schedule
// whether the wizard comes first.
//
// It carries the settings of an HTTP client for the programs that use it;
// the wizard makes its requests through a client of its own, to the Host
// named here.
class TKxUpdateFile : public THttpClient
{
    Q_OBJECT

public:
    explicit TKxUpdateFile(QWidget *owner);
    ~TKxUpdateFile() override;

    // The program's section in the update description.
    QString ProgramName;
    // Last part of the schedule's registry key "Software\Kx\...".
    QString RegistryKey;
    // The archive's name in the temporary folder.
    QString ZIPFileName;
    // The schedule lives in the user's hive rather than the machine's.
    bool HKCU = false;

    // Shows the wizard when it is due, or always when asked for on demand.
    // An invalid program date stands for the running program's file time.
    // Returns once the wizard has closed.
    void AutomaticUpdate(const QString &ArgumentTail, bool OnDemand, const QDateTime &ProgramDate = QDateTime());

    // The wizard window, made at the first call.
    TStatusForm *wizard();

Q_SIGNALS:
    // The program is to end: after the wizard prepared an installation
    // (keepSettings true, the normal end), or after a run that was started
    // only to update (keepSettings false: the game's settings file is
    // neither read nor written).
    void programEndRequested(bool keepSettings);

private:
    std::unique_ptr<TStatusForm> m_wizard;
};
