// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

// Declares that a window uses the desktop's current visual style for its
// standard controls. On this platform Qt applies the desktop style to every
// widget already, so all that is left is to check where it is placed.
// Construction throws std::runtime_error when the owner is not a top-level
// window or already carries one.
class TWinXP : public QObject
{
    Q_OBJECT

public:
    explicit TWinXP(QObject *owner);
};
