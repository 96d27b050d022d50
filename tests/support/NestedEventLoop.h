// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QEventLoop>
#include <QTimer>

#include <functional>

// Runs an event loop inside the caller, the kind a modal box runs while a
// handler waits for the player's answer: sockets, timers and transfers go on
// meanwhile. whileRunning is called from inside that loop; when it returns,
// the loop ends and the caller goes on.
inline void runNestedEventLoop(const std::function<void()> &whileRunning)
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        whileRunning();
        loop.quit();
    });
    loop.exec(QEventLoop::DialogExec);
}
