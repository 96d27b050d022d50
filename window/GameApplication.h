// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>

class QKeyEvent;

// Alt, Ctrl and Meta held with a key: an accelerator or a command, never a
// character typed.
bool isChord(const QKeyEvent *key);

// A window that sees every key typed into it before the control that has
// the focus does.
class KeyPreviewWindow
{
public:
    // Called once for each key press, with the control it is addressed to.
    // Returning true consumes the key.
    virtual bool previewKey(QWidget *receiver, QKeyEvent *event) = 0;

protected:
    ~KeyPreviewWindow() = default;
};

// The game's application object. A key press is delivered to its receiver
// once, and then again to each parent that ignores it, as the same event;
// only here, before that walk begins, can one typing be told from the next,
// so the key preview of the receiver's window runs here.
//
// Alt, Ctrl and Meta chords reach the controls without their text: they are
// accelerators and commands, never characters to insert. The shortcuts of
// the window's own actions come before any control's use of the key.
class GameApplication : public QApplication
{
    Q_OBJECT

public:
    GameApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
