// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

void ShellOpen(const QString &target)
{
    QDesktopServices::openUrl(QUrl(target));
}

bool startScriptAfterExit(const QString &scriptPath)
{
    return startScriptAfterProcess(scriptPath, QCoreApplication::applicationPid());
}

bool startScriptAfterProcess(const QString &scriptPath, qint64 pid)
{
    // A small waiter polls for the process and then becomes the script; the
    // pid and the path arrive as arguments, so neither is ever parsed.
    static const QString waitThenRun = QStringLiteral(
        "while kill -0 \"$1\" 2>/dev/null; do sleep 0.1; done; exec /bin/sh \"$2\"");
    QProcess process;
    process.setProgram(QStringLiteral("/bin/sh"));
    process.setArguments({QStringLiteral("-c"), waitThenRun, QStringLiteral("sh"), QString::number(pid),
                          scriptPath});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}
