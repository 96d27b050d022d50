// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "update/UpdateComponent.h"

#include "controls/MessageBoxes.h"
#include "platform/SystemInstall.h"
#if LETTRISKO_ONLINE_UPDATE
#include "update/TKxUpdateFile.h"
#endif

#include <QAction>
#include <QCoreApplication>
#include <QWidget>

namespace {

// A copy that does not update itself: it never asks a server, and Ctrl+U
// says why at once.
class NoOnlineUpdate : public UpdateComponent
{
public:
    NoOnlineUpdate(QWidget *owner, const QString &why)
        : UpdateComponent(owner)
        , m_owner(owner)
        , m_why(why)
    {
        addUpdateShortcut(owner, this, [this] { AutomaticUpdate(QString(), true); });
    }

    void AutomaticUpdate(const QString &, bool OnDemand) override
    {
        if (OnDemand)
            showMessageBox(m_owner, QMessageBox::Information, QStringLiteral("Updates"), m_why);
    }

private:
    QWidget *m_owner;
    QString m_why;
};

// Kept up to date by the system.
const char PackageManagerNotice[] = "Diese Ausgabe von Lettrisko aktualisiert sich nicht selbst: Ihre Updates "
                                    "kommen über die Paketverwaltung des Systems, zum Beispiel mit "
                                    "„sudo apt upgrade“.";
// Built from the source without naming a server.
const char NoServerNotice[] = "Diese Ausgabe von Lettrisko wurde ohne Update-Server gebaut und aktualisiert sich "
                              "deshalb nicht selbst. Eine neue Version bekommen Sie dort, woher Sie diese haben.";

#if LETTRISKO_ONLINE_UPDATE
// The update wizard with its schedule.
class WizardUpdates : public UpdateComponent
{
public:
    WizardUpdates(QWidget *owner, const QString &server)
        : UpdateComponent(owner)
        , m_update(new TKxUpdateFile(owner))
    {
        m_update->Host = server;
        // The main window's values for its update component.
        m_update->setObjectName(QStringLiteral("Update"));
        m_update->ProgramName = QStringLiteral("Lettrisko");
        m_update->RegistryKey = QStringLiteral("Lettrisko");
        m_update->ZIPFileName = QStringLiteral("Zeichenjagd.zip");
        m_update->HKCU = false;
        connect(m_update, &TKxUpdateFile::programEndRequested, this, &UpdateComponent::programEndRequested);
    }

    void AutomaticUpdate(const QString &ArgumentTail, bool OnDemand) override
    {
        m_update->AutomaticUpdate(ArgumentTail, OnDemand);
    }

private:
    TKxUpdateFile *m_update;
};
#endif

} // namespace

UpdateComponent *createUpdateComponent(QWidget *owner, const QString &updateServer)
{
    UpdateComponent *component = nullptr;
#if LETTRISKO_ONLINE_UPDATE
    // Replaced only by the tool that installed it, such a copy would offer
    // updates it cannot take.
    if (isSystemInstall(QCoreApplication::applicationFilePath()))
        component = new NoOnlineUpdate(owner, QString::fromUtf8(PackageManagerNotice));
    else if (updateServer.isEmpty())
        component = new NoOnlineUpdate(owner, QString::fromUtf8(NoServerNotice));
    else
        component = new WizardUpdates(owner, updateServer);
#else
    Q_UNUSED(updateServer);
    component = new NoOnlineUpdate(owner, QString::fromUtf8(PackageManagerNotice));
#endif
    component->setObjectName(QStringLiteral("UpdateComponent"));
    return component;
}

void addUpdateShortcut(QWidget *owner, QObject *receiver, const std::function<void()> &triggered)
{
    auto *action = new QAction(owner);
    action->setObjectName(QStringLiteral("UpdateAction"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    action->setShortcutContext(Qt::WindowShortcut);
    owner->addAction(action);
    QObject::connect(action, &QAction::triggered, receiver, triggered);
}
