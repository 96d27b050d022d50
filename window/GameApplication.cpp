// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/GameApplication.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

bool isChord(const QKeyEvent *key)
{
    return key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

GameApplication::GameApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

// True when the key is the shortcut of one of the window's own commands.
static bool isWindowCommand(const QWidget *widget, const QKeyEvent *key)
{
    const QKeySequence pressed(key->keyCombination());
    const auto actions = widget->window()->actions();
    for (const QAction *action : actions) {
        if (action->isEnabled() && action->shortcutContext() == Qt::WindowShortcut
            && action->shortcuts().contains(pressed))
            return true;
    }
    return false;
}

bool GameApplication::notify(QObject *receiver, QEvent *event)
{
    // The window's commands come before the controls' own use of a key, as
    // Ctrl+U, which an edit would take for deleting to the line's start.
    // Unasked, the edit does not claim the key, and the command runs.
    if (event->type() == QEvent::ShortcutOverride && receiver->isWidgetType()
        && isWindowCommand(static_cast<QWidget *>(receiver), static_cast<QKeyEvent *>(event)))
        return false;

    if (event->type() != QEvent::KeyPress || !receiver->isWidgetType())
        return QApplication::notify(receiver, event);

    auto *key = static_cast<QKeyEvent *>(event);
    auto *widget = static_cast<QWidget *>(receiver);
    if (auto *window = dynamic_cast<KeyPreviewWindow *>(widget->window())) {
        if (window->previewKey(widget, key))
            return true;
    }

    if (!isChord(key) || key->text().isEmpty())
        return QApplication::notify(receiver, event);

    // An edit would insert the text of an Alt chord that no accelerator
    // took; without its text the chord still reaches every shortcut.
    QKeyEvent chord(key->type(), key->key(), key->modifiers(), key->nativeScanCode(), key->nativeVirtualKey(),
                    key->nativeModifiers(), QString(), key->isAutoRepeat(), key->count(), key->device());
    chord.setTimestamp(key->timestamp());
    chord.setAccepted(key->isAccepted());
    const bool handled = QApplication::notify(receiver, &chord);
    key->setAccepted(chord.isAccepted());
    return handled;
}
