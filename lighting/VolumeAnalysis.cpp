// SPDX-License-Identifier: GPL-3.0-or-later
#include "VolumeAnalysis.h"

#include <kissfft/kiss_fftr.h>

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

VolumeAnalysis::VolumeAnalysis()
{
    for (int i = 0; i < kSize; ++i) {
        const double theta = 2.0 * kPi * i / kSize;
        m_windows[0][i] = static_cast<float>(0.5 * (1.0 - std::cos(theta)));
        m_windows[1][i] = static_cast<float>(0.54 - 0.46 * std::cos(theta));
        m_windows[2][i] = static_cast<float>(0.42 - 0.5 * std::cos(theta) + 0.08 * std::cos(2.0 * theta));
        m_tilt[i] = static_cast<float>(0.1 + 2.0 * i / kSize);
    }
    m_fft = kiss_fftr_alloc(kSize, 0, nullptr, nullptr);
}

VolumeAnalysis::~VolumeAnalysis()
{
    kiss_fftr_free(m_fft);
}

int VolumeAnalysis::query(const float *samples, std::size_t count)
{
    const float decay = static_cast<float>(m_decayPercent) / 100.0f;
    for (float &l : m_levels)
        l *= decay;
    push(samples, count);
    analyse();
    smooth();
    const int level = static_cast<int>(std::trunc(100.0f * m_levels[10]));
    return level < 0 ? 0 : (level > 100 ? 100 : level);
}

void VolumeAnalysis::push(const float *samples, std::size_t count)
{
    // Nothing captured since the last query means nothing was played (a
    // loopback delivers no packets in silence, a suspended sink none at
    // all): the old window must not go on showing sound.
    if (!samples || count == 0) {
        m_history.fill(0.0f);
        return;
    }
    // Only the newest kSize values survive the push; skip the rest.
    std::size_t first = 0;
    if (count > kWindowFloats)
        first = (count - kWindowFloats + 3) / 4 * 4;
    const float scale = 2.0f * static_cast<float>(m_gain);
    for (std::size_t i = first; i < count; i += 4) {
        const float v = samples[i];
        m_history[m_next] = std::isfinite(v) ? v * scale : 0.0f;
        m_next = (m_next + 1) % kSize;
    }
}

void VolumeAnalysis::analyse()
{
    if (!m_fft)
        return;
    const auto &window = m_windows[static_cast<int>(m_window) - 1];
    for (int i = 0; i < kSize; ++i)
        m_frame[i] = m_history[(m_next + i) % kSize] * window[i];

    kiss_fft_cpx bins[kSize / 2 + 1];
    kiss_fftr(m_fft, m_frame.data(), bins);
    for (int k = 0; k < kSize / 2; ++k) {
        m_spectrum[2 * k] = bins[k].r * m_tilt[2 * k];
        m_spectrum[2 * k + 1] = bins[k].i * m_tilt[2 * k + 1];
    }

    for (int k = 0; k < kBins; ++k) {
        const float re = m_spectrum[2 * k];
        const float im = m_spectrum[2 * k + 1];
        const float m = std::sqrt(re * re + im * im);
        float d = 0.5f * std::log10(1.1f * m) + 0.9f * m;
        if (d > 1.0f)
            d = 1.0f;
        float &slot = m_levels[4 * k];
        if (d > slot)
            slot = d;
        if (slot < 0.0f)
            slot = 0.0f;
        m_levels[4 * k + 1] = slot;
        m_levels[4 * k + 2] = slot;
        m_levels[4 * k + 3] = slot;
    }
}

void VolumeAnalysis::smooth()
{
    const int w = m_smoothWidth;
    auto mean = [this, w](int from) {
        float sum = 0.0f;
        for (int i = from; i < from + w; ++i)
            sum += m_levels[i];
        return sum / static_cast<float>(w);
    };
    const float last = mean(kSize - w);
    for (int i = kSize - w; i < kSize; ++i)
        m_levels[i] = last;
    // Each group takes the mean of the slots one further on, read as they
    // are when the group is reached: the next group is still unsmoothed.
    for (int g = 0; g + w < kSize; g += w) {
        const float m = mean(g + 1);
        for (int i = g; i < g + w; ++i)
            m_levels[i] = m;
    }
}
