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

// A copy kept up to date by the system: it never asks a server, and Ctrl+U
// says so at once.
class PackageManagerUpdates : public UpdateComponent
{
public:
    explicit PackageManagerUpdates(QWidget *owner)
        : UpdateComponent(owner)
        , m_owner(owner)
    {
        addUpdateShortcut(owner, this, [this] { AutomaticUpdate(QString(), true); });
    }

    void AutomaticUpdate(const QString &, bool OnDemand) override
    {
        if (OnDemand)
            showMessageBox(m_owner, QMessageBox::Information, QStringLiteral("Updates"),
                           QStringLiteral("Diese Ausgabe von Lettrisko aktualisiert sich nicht selbst: Ihre Updates "
                                          "kommen über die Paketverwaltung des Systems, zum Beispiel mit "
                                          "„sudo apt upgrade“."));
    }

private:
    QWidget *m_owner;
};

#if LETTRISKO_ONLINE_UPDATE
// The update wizard with its schedule.
class WizardUpdates : public UpdateComponent
{
public:
    explicit WizardUpdates(QWidget *owner)
        : UpdateComponent(owner)
        , m_update(new TKxUpdateFile(owner))
    {
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

UpdateComponent *createUpdateComponent(QWidget *owner)
{
    UpdateComponent *component = nullptr;
#if LETTRISKO_ONLINE_UPDATE
    // Replaced only by the tool that installed it, such a copy would offer
    // updates it cannot take.
    if (!isSystemInstall(QCoreApplication::applicationFilePath()))
        component = new WizardUpdates(owner);
#endif
    if (!component)
        component = new PackageManagerUpdates(owner);
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
