// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Gives a control made in code the name it has in its window's form, by
// which the tests find it, and hands it back for the next call.
template<typename T>
T *named(T *object, const char *name)
{
    object->setObjectName(QString::fromUtf8(name));
    return object;
}
