// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

// The desktop's general font, as its theme reports it.
QFont messageFont();

// True for the classic dialog font size: 8 points, or 11 pixels.
bool isEightPointFont(const QFont &font);

// Gives every open window whose font is 8 points the desktop's font
// family; size, style and colour stay. Dialogs call it when they are built
// so that they read like the rest of the desktop.
void UseMessageFont();
