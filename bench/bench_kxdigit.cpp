// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The digit display is painted whenever its parent repaints, but its strokes
// should be drawn only when its picture changed. Compares a paint served from
// the off-screen picture with one that draws the picture anew; the first
// should cost a small fraction of the second.

#include "controls/TKxDigit.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

namespace {

void setUpDisplay(TKxDigit &display, int cells)
{
    display.setDigits(cells);
    display.setFixedDigits(0);
    display.setValue(120);
}

void paintFromCache(benchmark::State &state)
{
    TKxDigit display;
    setUpDisplay(display, int(state.range(0)));
    QImage target(display.size(), QImage::Format_ARGB32_Premultiplied);
    display.render(&target);
    const int renders = display.renderCount();
    for (auto _ : state) {
        display.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    if (display.renderCount() != renders)
        state.SkipWithError("a paint with nothing changed drew the picture anew");
}

void paintWithRerender(benchmark::State &state)
{
    TKxDigit display;
    setUpDisplay(display, int(state.range(0)));
    QImage target(display.size(), QImage::Format_ARGB32_Premultiplied);
    display.render(&target);
    const int renders = display.renderCount();
    for (auto _ : state) {
        // Setting the divisor marks the picture for drawing anew, even
        // unchanged; the hidden display leaves that to the next paint.
        display.setPenWidthDivisor(8);
        display.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    if (display.renderCount() - renders != int(state.iterations()))
        state.SkipWithError("not every paint drew the picture anew");
}

BENCHMARK(paintFromCache)->Arg(3)->Arg(8);
BENCHMARK(paintWithRerender)->Arg(3)->Arg(8);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
