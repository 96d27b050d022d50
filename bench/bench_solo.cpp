// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Playing alone: how long the solo page takes to open (the word list read
// the first time, the words the settings allow ranked), and how long from
// its "OK" until the first turn stands painted on the game page.
#include "controls/TPaintBox.h"
#include "support/RecordingSound.h"
#include "window/GameApplication.h"
#include "window/TForm1.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>

#include <memory>

namespace {

std::unique_ptr<TForm1> makeWindow(const QTemporaryDir &dir)
{
    FormEnvironment environment;
    environment.settingsDirectory = dir.path();
    environment.sound = std::make_shared<RecordingSound>();
    environment.automaticUpdate = false;
    environment.updateServer.clear();
    return std::make_unique<TForm1>(environment);
}

// The first opening of a run reads the list; later ones rank the words anew
// for a window of their own.
void BM_SoloPageOpens(benchmark::State &state)
{
    QTemporaryDir dir;
    for (auto _ : state) {
        state.PauseTiming();
        auto form = makeWindow(dir);
        state.ResumeTiming();
        form->findChild<QAbstractButton *>(QStringLiteral("SoloGame"))->click();
        benchmark::DoNotOptimize(form->currentPage());
    }
}

void BM_FirstSoloTurn(benchmark::State &state)
{
    QTemporaryDir dir;
    for (auto _ : state) {
        state.PauseTiming();
        auto form = makeWindow(dir);
        form->findChild<QAbstractButton *>(QStringLiteral("SoloGame"))->click();
        form->findChild<QLineEdit *>(QStringLiteral("SoloName"))->setText(QStringLiteral("Anna"));
        QImage page(form->size(), QImage::Format_ARGB32_Premultiplied);
        state.ResumeTiming();
        form->findChild<QAbstractButton *>(QStringLiteral("SoloOK"))->click();
        form->render(&page);
        benchmark::DoNotOptimize(page.constBits());
        if (form->currentPage() != TForm1::Game)
            state.SkipWithError("no turn");
    }
}

BENCHMARK(BM_SoloPageOpens)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_FirstSoloTurn)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    GameApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
