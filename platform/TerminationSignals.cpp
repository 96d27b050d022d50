// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const int kSignals[3] = {SIGTERM, SIGINT, SIGHUP};

// The handler's whole world: plain values, set up before it is installed.
int g_socketPair[2] = {-1, -1};
// The signal that arrived first; 0 before.
volatile sig_atomic_t g_received = 0;

// The signal's default: the end the program was asked for.
void endBySignal(int number)
{
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    ::sigaction(number, &byDefault, nullptr);
    ::raise(number);
}

extern "C" void noteTerminationSignal(int number)
{
    if (g_received != 0)
        endBySignal(number);
    const int savedErrno = errno;
    g_received = number;
    const char byte = char(number);
    // Non-blocking: with the socket full, the bytes already there will do.
    [[maybe_unused]] const ssize_t written = ::write(g_socketPair[1], &byte, 1);
    ::alarm(TerminationSignals::kGraceSeconds);
    errno = savedErrno;
}

extern "C" void endWhenUnheard(int)
{
    endBySignal(g_received);
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_socketPair) != 0) {
        // Without a way to hear them, the signals keep their default.
        g_socketPair[0] = g_socketPair[1] = -1;
        return;
    }
    m_notifier = new QSocketNotifier(g_socketPair[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::drain);

    struct sigaction alarmHandler = {};
    alarmHandler.sa_handler = endWhenUnheard;
    sigemptyset(&alarmHandler.sa_mask);
    m_installed[3] = ::sigaction(SIGALRM, &alarmHandler, &m_previous[3]) == 0;

    for (int i = 0; i < 3; ++i) {
        struct sigaction current = {};
        if (::sigaction(kSignals[i], nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        struct sigaction handler = {};
        handler.sa_handler = noteTerminationSignal;
        sigemptyset(&handler.sa_mask);
        // Calls the signal interrupts go on, rather than fail with EINTR.
        handler.sa_flags = SA_RESTART;
        m_installed[i] = ::sigaction(kSignals[i], &handler, &m_previous[i]) == 0;
    }
}

TerminationSignals::~TerminationSignals()
{
    for (int i = 0; i < 3; ++i) {
        if (m_installed[i])
            ::sigaction(kSignals[i], &m_previous[i], nullptr);
    }
    ::alarm(0);
    if (m_installed[3])
        ::sigaction(SIGALRM, &m_previous[3], nullptr);
    delete m_notifier;
    for (int &end : g_socketPair) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

bool TerminationSignals::received()
{
    return g_received != 0;
}

void TerminationSignals::drain()
{
    char bytes[16];
    while (::read(g_socketPair[0], bytes, sizeof bytes) > 0) {
    }
    // Heard: the program ends by its own path now, which takes moments.
    ::alarm(kEndingSeconds);
    Q_EMIT terminationRequested();
}
