// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <csignal>

class QSocketNotifier;

// The desktop asks a program to end by signal: SIGTERM when the user logs
// out or the computer shuts down, SIGHUP when its terminal is closed,
// SIGINT on Ctrl+C. Left to the default, each one kills the program on the
// spot and whatever it would save at its end is lost. While an instance
// lives, they arrive instead as terminationRequested() on the thread that
// made it, from its event loop, so that the program can end by its own
// path. A signal that was ignored when the instance was made (the program
// started with nohup, or as a background job) stays ignored.
//
// The handler itself only notes the signal and writes a byte to a socket
// pair, which is all a signal handler may safely do; the notifier on the
// other end does the rest. One instance per process.
//
// Until an event loop hears it, the program may be stuck where no loop
// runs: in the start before the window, or in an open() of a FIFO that
// some library reads. So the signal also sets an alarm: when no loop has
// heard it kGraceSeconds later, or when the program has still not ended
// kEndingSeconds after it was heard, the signal takes its default course
// and ends the program. A second termination signal does so at once.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals &) = delete;
    TerminationSignals &operator=(const TerminationSignals &) = delete;

    // Whether one arrived, known at once, also before an event loop runs.
    static bool received();

    static constexpr unsigned kGraceSeconds = 2;
    static constexpr unsigned kEndingSeconds = 15;

Q_SIGNALS:
    void terminationRequested();

private:
    void drain();

    QSocketNotifier *m_notifier = nullptr;
    // SIGTERM, SIGINT, SIGHUP and the alarm.
    struct sigaction m_previous[4] = {};
    bool m_installed[4] = {};
};
