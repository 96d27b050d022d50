// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// The program's entry in the list of installed programs. On this desktop
// that list is the application menu: the entry is the desktop file
// "<key name>.desktop" in the user's applications folder, started by its
// executable and carrying an "Deinstallieren" action that runs the
// uninstall command. Its icon is installed beside the user's icon theme.
//
// Writes the entry, or with remove deletes it together with its icon. An
// empty key name means the display name. The uninstall command is a command
// line in which double quotes hold an argument with spaces together (and
// three double quotes in a row stand for one literal quote); its first word
// names the executable that the entry starts. The modify command is kept
// only when it is not empty. False when the entry could not be written or
// removed, or when the key name cannot name a file.
bool RegisterUninstallEntry(const QString &displayName, const QString &uninstallCommand,
                            const QString &modifyCommand, bool remove, const QString &keyName = QString());

// Where the entry for this key name lives, and its icon.
QString uninstallEntryFilePath(const QString &keyName);
QString uninstallEntryIconPath(const QString &keyName);

// The executable named by the uninstall command of the entry for this key
// name; empty when there is no entry or it holds no such command.
QString uninstallEntryProgram(const QString &keyName);

// An argument list as the Exec key of a desktop entry wants it, before the
// key's value is escaped as a string: arguments with reserved characters
// double-quoted with \ " ` $ escaped inside, and every % doubled.
QString desktopExecCommand(const QStringList &arguments);
// A text as a desktop entry's string value: backslashes, line breaks and
// tabs escaped, and a leading space kept.
QString desktopStringValue(const QString &text);
