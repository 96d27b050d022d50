// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

// What the main window knows of the online update: the check at start-up
// and Ctrl+U. What stands behind it is the build's and the installation's
// matter: the update wizard (TKxUpdateFile), or, in a build without the
// online update and in a copy installed into the system, a notice that the
// updates come from the system's package manager, or, in a copy built
// without an update server, a notice that it does not update itself; in
// both of the latter nothing contacts a server.
class UpdateComponent : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // At start-up (OnDemand false: shown only when due) and for Ctrl+U
    // (OnDemand true). Returns once whatever it showed has closed.
    virtual void AutomaticUpdate(const QString &ArgumentTail, bool OnDemand) = 0;

Q_SIGNALS:
    // The program is to end; keepSettings is false after a run that was
    // started only to update.
    void programEndRequested(bool keepSettings);
};

// The main window's update component, with its Ctrl+U installed on the
// owner window. The server is a host name or base URL; empty, the copy has
// none to ask.
UpdateComponent *createUpdateComponent(QWidget *owner, const QString &updateServer);

// Ctrl+U on the owner window, also from inside its edits.
// The receiver's lifetime bounds the connection.
void addUpdateShortcut(QWidget *owner, QObject *receiver, const std::function<void()> &triggered);
