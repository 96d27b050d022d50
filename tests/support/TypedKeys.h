// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

// Keys as a person types them, sent to a window, which hands them to its
// focused control; a control given instead of its window takes the focus
// first. Characters go with Shift held around capitals and
// shifted punctuation; a character beyond 16 bits is one key. "{+x}"
// presses and "{-x}" releases x alone, "{x}" clicks it, where x is a
// character or Shift, Alt, Ctrl, Return, Tab, Backtab, space, Down, F1.
void typeKeys(QWidget *target, const QString &keys);

// Clicks a visible, enabled button of the window by its object name; a
// missing, hidden or closed one fails the running test.
void clickButton(QWidget *window, const char *name);
