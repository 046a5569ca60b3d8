// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/VolumeAnalysis.h"

#include "AudioSignals.h"

#include <benchmark/benchmark.h>

// One level query as the 50 ms sampling timer makes it: 50 ms of 48 kHz
// stereo in, one level out.
static void levelQuery(benchmark::State &state)
{
    VolumeAnalysis analysis;
    const std::vector<float> tone = sineFrames(kLowToneHz, 0.05);
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis.query(tone.data(), tone.size()));
}
BENCHMARK(levelQuery);

// A query after a long pause: ten seconds drained at once.
static void levelQueryBacklog(benchmark::State &state)
{
    VolumeAnalysis analysis;
    const std::vector<float> tone = sineFrames(kLowToneHz, 10.0);
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis.query(tone.data(), tone.size()));
}
BENCHMARK(levelQueryBacklog);

BENCHMARK_MAIN();
