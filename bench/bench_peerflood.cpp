// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// A peer that sends 10 MB without a pause, in each role and phase: how long
// the link takes to end the connection, and how much memory it holds
// meanwhile. The bytes come from a plain socket in a thread of its own, so
// that the sender's buffers do not count against the receiver. And the
// reader alone cutting a read of guesses into its characters, which must
// take time in proportion to the bytes.
#include "net/PeerLink.h"
#include "net/PeerReader.h"
#include "support/TestFiles.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

namespace {

constexpr qint64 kFloodBytes = 10 * 1024 * 1024;

void resetPeakMemory()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

sockaddr_in loopback(quint16 port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// Keeps the loop turning until the condition holds or 10 s have gone.
template<typename Condition>
bool spinUntil(Condition done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// The raw end of a connection to the link, the link in the given role.
int connectRawPeer(PeerLink &link, bool linkHosts)
{
    link.setPort(0);
    if (linkHosts) {
        if (!link.host())
            return -1;
        const int raw = socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = loopback(link.serverPort());
        if (::connect(raw, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
            return -1;
        return spinUntil([&] { return link.isConnected(); }) ? raw : -1;
    }
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t size = sizeof address;
    bind(listener, reinterpret_cast<const sockaddr *>(&address), size);
    listen(listener, 1);
    getsockname(listener, reinterpret_cast<sockaddr *>(&address), &size);
    link.setPort(ntohs(address.sin_port));
    link.join(QStringLiteral("127.0.0.1"));
    pollfd waiting{listener, POLLIN, 0};
    if (!spinUntil([&] { return poll(&waiting, 1, 0) > 0; }))
        return -1;
    const int raw = accept(listener, nullptr, nullptr);
    close(listener);
    return spinUntil([&] { return link.isConnected(); }) ? raw : -1;
}

void floodInPhase(benchmark::State &state)
{
    const bool linkHosts = state.range(0) != 0;
    const auto phase = NetPhase(state.range(1));
    static const QByteArray flood(kFloodBytes, 'x');

    for (auto _ : state) {
        PeerLink link;
        // The phases move on as a window's handlers would move them.
        QObject::connect(&link, &PeerLink::readyReceived, [&] { link.setPhase(NetPhase::AwaitingStart); });
        QObject::connect(&link, &PeerLink::wordReceived, [&] { link.setPhase(NetPhase::TurnRunning); });
        QObject::connect(&link, &PeerLink::turnOverReceived, [&] { link.setPhase(NetPhase::AwaitingWord); });
        const int raw = connectRawPeer(link, linkHosts);
        if (raw < 0) {
            state.SkipWithError("no connection");
            return;
        }
        link.setPhase(phase);

        const qint64 before = processStatusKiB("VmRSS:");
        resetPeakMemory();
        std::atomic<qint64> sent{0};
        std::thread sender([&] {
            while (sent < kFloodBytes) {
                const ssize_t n = send(raw, flood.constData() + sent, size_t(kFloodBytes - sent), MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += n;
            }
        });
        QElapsedTimer clock;
        clock.start();
        const bool ended = spinUntil([&] { return !link.isConnected(); });
        const double endedAfterMs = clock.nsecsElapsed() / 1e6;
        shutdown(raw, SHUT_RDWR);
        sender.join();
        close(raw);
        if (!ended)
            state.SkipWithError("the link kept the connection");
        state.SetIterationTime(endedAfterMs / 1000);
        state.counters["ended_after_ms"] = endedAfterMs;
        state.counters["sent_before_end_KiB"] = double(sent) / 1024;
        state.counters["peak_growth_MiB"] = double(processStatusKiB("VmHWM:") - before) / 1024;
    }
}

void phases(benchmark::internal::Benchmark *benchmark)
{
    benchmark->ArgNames({"host", "phase"});
    for (int host : {1, 0})
        for (int phase = 0; phase <= 4; ++phase)
            benchmark->Args({host, phase});
}

void cutTurnRead(benchmark::State &state)
{
    const QByteArray read(state.range(0), 'x');
    for (auto _ : state) {
        PeerReader reader;
        reader.append(read);
        int messages = 0;
        while (reader.next(NetPhase::TurnRunning, true).kind != NetProtocol::PeerMessage::Nothing)
            ++messages;
        benchmark::DoNotOptimize(messages);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(cutTurnRead)->Arg(16 * 1024)->Arg(PeerReader::MaxPending)->Unit(benchmark::kMicrosecond);
BENCHMARK(floodInPhase)->Apply(phases)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
