// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// The program's message boxes, modal and in German.

// One OK button. The text is shown as given, never as markup: it may hold
// a nickname from the peer or a file name from an archive.
void showMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text);
// The same with a second paragraph below the text: what to do about it.
void showMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                    const QString &explanation);
// One OK button, and the details in a scrollable field below the text,
// opened by the box's own button; without details as the plain box.
void showMessageBoxWithDetails(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                               const QString &details);

// Adds "&Ja" (the default) and "&Nein" (Esc) to the box, shows it and
// tells whether "Ja" was chosen.
bool execYesNo(QMessageBox &box);
// The same box, opened without waiting for it: what follows the answer
// goes in closed. For boxes on the way of the network or the clock, where
// nothing may run a message loop of its own.
void openMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                    const QString &explanation = QString(), const std::function<void()> &closed = {});
