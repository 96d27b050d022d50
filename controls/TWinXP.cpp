// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/TWinXP.h"

#include <QWidget>

#include <stdexcept>

TWinXP::TWinXP(QObject *owner)
    : QObject(owner)
{
    auto *form = qobject_cast<QWidget *>(owner);
    if (!form || !form->isWindow())
        throw std::runtime_error("Control parent must be a form!");

    if (owner->findChildren<TWinXP *>(Qt::FindDirectChildrenOnly).size() > 1)
        throw std::runtime_error("Only one instance of TWinXP allowed on form");
}
