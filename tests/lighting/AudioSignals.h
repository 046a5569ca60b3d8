// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

// Interleaved stereo float frames of a sine at `hz` (48 kHz), both channels alike.
inline std::vector<float> sineFrames(double hz, double seconds, float amplitude = 0.5f, std::size_t phase = 0)
{
    const std::size_t frames = static_cast<std::size_t>(48000 * seconds);
    std::vector<float> out(frames * 2);
    for (std::size_t i = 0; i < frames; ++i) {
        const float v = amplitude * static_cast<float>(std::sin(2.0 * 3.14159265358979323846 * hz * double(i + phase) / 48000.0));
        out[2 * i] = v;
        out[2 * i + 1] = v;
    }
    return out;
}

// Every fourth float of 48 kHz stereo is a 24 kHz signal: 256 points give
// bins of 93.75 Hz, so 281.25 Hz sits on bin 3, the middle of what the level
// listens to.
constexpr double kLowToneHz = 281.25;
constexpr double kHighToneHz = 7000.0;
