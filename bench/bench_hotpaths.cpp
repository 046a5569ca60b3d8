// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/BoxTable.h"
#include "device/Reports.h"
#include "lighting/MusicFrames.h"

#include <benchmark/benchmark.h>


namespace {

RainbowFanRecord paintedFan()
{
    RainbowFanRecord fan;
    for (int i = 0; i < kColorEntries; ++i) {
        fan.rValue_Led[i] = 20 * i;
        fan.gValue_Led[i] = 255 - 10 * i;
        fan.bValue_Led[i] = 128;
        fan.brightValue[i] = 0.8f;
    }
    return fan;
}

// One 12-LED report with level scaling, as a music frame sends it.
void BM_FanLightingReport(benchmark::State &state)
{
    const RainbowFanRecord fan = paintedFan();
    int level = 0;
    for (auto _ : state) {
        Report r = Reports::fanLighting(fan, 1, Reports::kSteadyPerLed, Reports::Colours::PerLed,
                                        static_cast<float>(level++ % 101) / 100.0f);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_FanLightingReport);

void BM_MusicBarFrame(benchmark::State &state)
{
    const RainbowFanRecord fan = paintedFan();
    int level = 0;
    for (auto _ : state) {
        Report r = MusicFrames::musicBar(fan, 2, level++ % 101);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_MusicBarFrame);


} // namespace

BENCHMARK_MAIN();
