// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Hands a link to the desktop, which opens it with the user's program for
// it: "mailto:" addresses in the mail program, "http://" ones in the
// browser. Whether a program was found is not reported; without one
// nothing happens.
void ShellOpen(const QString &target);

// Runs the script with /bin/sh, unseen and detached from this program in a
// session of its own, once this process has ended: the script may then
// replace the program's files. False when it could not be started.
bool startScriptAfterExit(const QString &scriptPath);
// The same, waiting for the process `pid` instead of this one.
bool startScriptAfterProcess(const QString &scriptPath, qint64 pid);
