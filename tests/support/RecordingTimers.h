// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lighting/LightModes.h"

#include <utility>
#include <vector>

// Records what the lighting code asked of the software-effect timers.
class RecordingTimers final : public LightingTimers {
public:
    bool music = false;
    bool temperature = false;
    int musicStarts = 0;
    int temperatureStarts = 0;
    std::vector<std::pair<int, int>> temperatureColorFans;

    void startMusicTimers() override
    {
        if (!music)
            ++musicStarts;
        music = true;
    }
    void stopMusicTimers() override { music = false; }
    void startTemperatureColorTimer() override
    {
        if (!temperature)
            ++temperatureStarts;
        temperature = true;
    }
    void stopTemperatureColorTimer() override { temperature = false; }
    void applyTemperatureColor(int box, int fan) override
    {
        temperatureColorFans.emplace_back(box, fan);
        startTemperatureColorTimer();
    }
};
