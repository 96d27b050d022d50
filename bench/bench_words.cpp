// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// What the first solo turn waits for after "OK": the shipped list read
// (the first match of the run reads it), the pool the default settings
// accept, and the first word drawn.
#include "game/GameSettings.h"
#include "game/WordDraw.h"
#include "game/WordList.h"
#include "game/WordPool.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ReadList(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(WordList::readShipped());
}

void BM_BuildPool(benchmark::State &state)
{
    const WordList list = WordList::readShipped();
    for (auto _ : state)
        benchmark::DoNotOptimize(WordPool(list, GameSettings()));
}

void BM_FirstWord(benchmark::State &state)
{
    for (auto _ : state) {
        const WordList list = WordList::readShipped();
        const WordPool pool(list, GameSettings());
        WordDraw draw(pool, Difficulty::Level::Mixed, WordPool::AllTopics, WordHistory());
        benchmark::DoNotOptimize(draw.next());
    }
}

BENCHMARK(BM_ReadList)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_BuildPool)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_FirstWord)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
