// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Unpacking the update archive: unzipFlat against the system's
// "unzip -j -n -q" on the same archive of about 200 MB (text-like and
// random data, deflated and stored). unzipFlat should reach at least 0.8 of
// the command's throughput while its memory stays bounded by its chunk,
// whatever the entries' sizes.
#include "support/TestFiles.h"
#include "update/Unzip.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <zip.h>

#include <cstdio>

namespace {

constexpr qint64 MiB = 1024 * 1024;

struct Workload
{
    QTemporaryDir dir;
    QString archive;
    qint64 bytes = 0;
};
Workload *workload = nullptr;

struct Timing
{
    double seconds = 0;
    qint64 runs = 0;
    double throughput() const { return runs ? workload->bytes * runs / seconds / MiB : 0; }
};
Timing flatTiming, commandTiming;

// Written in pieces so that making the archive keeps memory low too.
bool writeSample(const QString &path, qint64 size, bool random)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    static const QByteArray words("Buchstabe Wort Raten Spieler Runde Fehler Punkte Galgen Update Archiv ");
    QByteArray piece(MiB, '\0');
    for (qint64 written = 0; written < size; written += piece.size()) {
        if (random) {
            QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(piece.data()), piece.size() / 4);
        } else {
            for (int i = 0; i < piece.size(); ++i)
                piece[i] = words.at((i * 7 + int(written / MiB) * 13 + i / 97) % words.size());
        }
        if (file.write(piece) != piece.size())
            return false;
    }
    return true;
}

bool makeWorkload(Workload &load)
{
    struct Sample
    {
        const char *name;
        qint64 size;
        bool random;
        zip_int32_t method;
    };
    const Sample samples[] = {{"Programm/lettrisko", 70 * MiB, false, ZIP_CM_DEFLATE},
                              {"Daten/woerter.txt", 50 * MiB, false, ZIP_CM_DEFLATE},
                              {"Daten/klaenge.bin", 40 * MiB, true, ZIP_CM_DEFLATE},
                              {"Daten/bilder.bin", 40 * MiB, true, ZIP_CM_STORE}};
    load.archive = load.dir.filePath("update.zip");
    zip_t *archive = zip_open(QFile::encodeName(load.archive).constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    if (!archive)
        return false;
    for (const Sample &sample : samples) {
        const QString raw = load.dir.filePath(QString::fromLatin1(sample.name).section('/', -1));
        if (!writeSample(raw, sample.size, sample.random))
            return false;
        zip_source_t *source = zip_source_file(archive, QFile::encodeName(raw).constData(), 0, -1);
        const zip_int64_t index = zip_file_add(archive, sample.name, source, 0);
        if (index < 0 || zip_set_file_compression(archive, index, sample.method, 0) != 0)
            return false;
        load.bytes += sample.size;
    }
    const bool closed = zip_close(archive) == 0;
    for (const Sample &sample : samples)
        QFile::remove(load.dir.filePath(QString::fromLatin1(sample.name).section('/', -1)));
    return closed;
}

// The kernel starts the peak anew from the present size.
void resetPeakMemory()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

QString freshDestination(const QString &name)
{
    const QString destination = workload->dir.filePath(name);
    QDir(destination).removeRecursively();
    QDir().mkpath(destination);
    return destination;
}

void unpackWithUnzipFlat(benchmark::State &state)
{
    const qint64 before = processStatusKiB("VmRSS:");
    resetPeakMemory();
    for (auto _ : state) {
        state.PauseTiming();
        const QString destination = freshDestination(QStringLiteral("flat"));
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        const UnzipResult result = unzipFlat(workload->archive, destination);
        flatTiming.seconds += timer.nsecsElapsed() / 1e9;
        ++flatTiming.runs;
        if (!result.ok || result.extracted.size() != 4)
            state.SkipWithError(qPrintable(result.errorString));
    }
    state.SetBytesProcessed(state.iterations() * workload->bytes);
    state.counters["peak_growth_MiB"] = double(processStatusKiB("VmHWM:") - before) / 1024;
    state.counters["VmHWM_MiB"] = double(processStatusKiB("VmHWM:")) / 1024;
}

void unpackWithUnzipCommand(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const QString destination = freshDestination(QStringLiteral("command"));
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"),
                    {QStringLiteral("-j"), QStringLiteral("-n"), QStringLiteral("-q"), workload->archive,
                     QStringLiteral("-d"), destination});
        if (!unzip.waitForFinished(-1) || unzip.exitCode() != 0)
            state.SkipWithError("unzip failed or is missing");
        commandTiming.seconds += timer.nsecsElapsed() / 1e9;
        ++commandTiming.runs;
    }
    state.SetBytesProcessed(state.iterations() * workload->bytes);
}

BENCHMARK(unpackWithUnzipFlat)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(unpackWithUnzipCommand)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Workload load;
    if (!load.dir.isValid() || !makeWorkload(load)) {
        std::fprintf(stderr, "could not make the sample archive\n");
        return 1;
    }
    workload = &load;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (flatTiming.runs && commandTiming.runs) {
        std::printf("unzipFlat %.1f MiB/s, unzip -j -n -q %.1f MiB/s, ratio %.2f (target >= 0.8)\n",
                    flatTiming.throughput(), commandTiming.throughput(),
                    flatTiming.throughput() / commandTiming.throughput());
    }
    return 0;
}
