// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The update's archive download: THttpClient::Get of a 256 MB file from a
// loopback server, against curl fetching the same file from the same
// server. The server runs in a thread of its own, so that it also serves
// while curl is waited for. At the end the throughputs, their ratio and the
// peak memory of this process are printed. The SHA-256 that Get computes
// on the way is measured on its own as well, as it bounds the download.
#include "support/LoopbackHttpServer.h"
#include "support/TestFiles.h"
#include "update/Sha256.h"
#include "update/THttpClient.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {

constexpr qint64 FileSize = 256ll * 1024 * 1024;

struct Setup
{
    QTemporaryDir dir;
    QThread thread;
    LoopbackHttpServer *server = nullptr;
    QString url;

    Setup()
    {
        QFile file(dir.filePath(QStringLiteral("Lettrisko.zip")));
        file.open(QIODevice::WriteOnly);
        for (qint64 offset = 0; offset < FileSize; offset += 1 << 20)
            file.write(Response::generatedBytes(offset, 1 << 20));
        file.close();

        // The server is made in its thread and goes with it.
        auto *home = new QObject;
        home->moveToThread(&thread);
        QObject::connect(&thread, &QThread::finished, home, &QObject::deleteLater);
        thread.start();
        QMetaObject::invokeMethod(
            home,
            [this, home, path = file.fileName()] {
                server = new LoopbackHttpServer(home);
                server->route(QStringLiteral("/Updates/Lettrisko.zip"), Response::file(path));
            },
            Qt::BlockingQueuedConnection);
        url = server->url(QStringLiteral("/Updates/Lettrisko.zip"));
    }

    ~Setup()
    {
        thread.quit();
        thread.wait();
    }
};

Setup *setup = nullptr;
double clientBytesPerSecond = 0;
double curlBytesPerSecond = 0;

void finish(benchmark::State &state, qint64 bytes, qint64 nanoseconds, double *bytesPerSecond)
{
    state.SetBytesProcessed(bytes);
    *bytesPerSecond = nanoseconds > 0 ? bytes * 1e9 / nanoseconds : 0;
}

void BM_THttpClientGet(benchmark::State &state)
{
    THttpClient client;
    client.Body = setup->dir.filePath(QStringLiteral("client.zip"));
    qint64 bytes = 0;
    qint64 nanoseconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (!client.Get(setup->url) || client.bytesReceived() != FileSize) {
            state.SkipWithError(qPrintable(client.errorString()));
            return;
        }
        nanoseconds += timer.nsecsElapsed();
        bytes += client.bytesReceived();
    }
    finish(state, bytes, nanoseconds, &clientBytesPerSecond);
}

void BM_CurlGet(benchmark::State &state)
{
    const QString target = setup->dir.filePath(QStringLiteral("curl.zip"));
    qint64 bytes = 0;
    qint64 nanoseconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess curl;
        curl.start(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("-o"), target, setup->url});
        if (!curl.waitForFinished(-1) || curl.exitCode() != 0 || QFile(target).size() != FileSize) {
            state.SkipWithError("curl failed");
            return;
        }
        nanoseconds += timer.nsecsElapsed();
        bytes += FileSize;
    }
    finish(state, bytes, nanoseconds, &curlBytesPerSecond);
}

void BM_Sha256(benchmark::State &state)
{
    const QByteArray chunk = Response::generatedBytes(0, 65536);
    for (auto _ : state) {
        Sha256 hash;
        for (qint64 done = 0; done < FileSize; done += chunk.size())
            hash.addData(chunk);
        benchmark::DoNotOptimize(hash.result());
    }
    state.SetBytesProcessed(state.iterations() * FileSize);
}

BENCHMARK(BM_THttpClientGet)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_CurlGet)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_Sha256)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    {
        Setup prepared;
        setup = &prepared;
        benchmark::RunSpecifiedBenchmarks();
        setup = nullptr;
    }
    const double mb = 1024.0 * 1024.0;
    std::printf("THttpClient: %.0f MB/s, curl: %.0f MB/s, ratio %.2f (target at least 0.80)\n",
                clientBytesPerSecond / mb, curlBytesPerSecond / mb,
                curlBytesPerSecond > 0 ? clientBytesPerSecond / curlBytesPerSecond : 0.0);
    std::printf("Peak memory (VmHWM) of this process, client, server and setup: %.1f MB\n",
                processStatusKiB("VmHWM:") / 1024.0);
    benchmark::Shutdown();
    return 0;
}
