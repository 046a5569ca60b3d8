// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

struct kiss_fftr_state;

// The spectral level of the computer's audio: captured samples in, one level
// 0..100 out. It rises at once with low-frequency energy and falls back by
// about a fifth per query.
//
// Sample history: a ring of the 256 most recent values, one real value per
// slot (every fourth captured float x 200). A query unrolls it oldest first
// into the window, runs a 256-point real FFT and lays the first 128 bins out
// as re, im pairs: position 2k is bin k's real part, 2k + 1 its imaginary
// part (bin 0's imaginary part is zero; the Nyquist bin is not used).
class VolumeAnalysis {
public:
    static constexpr int kSize = 256;
    static constexpr int kBins = 64;
    // Captured floats that can still reach the history: older ones are pushed
    // out by the time a query analyses it.
    static constexpr std::size_t kWindowFloats = 4 * kSize;

    enum class Window { Hann = 1, Hamming = 2, Blackman = 3 };

    VolumeAnalysis();
    ~VolumeAnalysis();
    VolumeAnalysis(const VolumeAnalysis &) = delete;
    VolumeAnalysis &operator=(const VolumeAnalysis &) = delete;

    // One query over everything drained since the last one: interleaved
    // frames that start on a frame boundary. An empty drain counts as
    // silence. Allocates nothing.
    int query(const float *samples, std::size_t count);

    // The level array after the last query (for tests and diagnostics).
    const std::array<float, kSize> &levels() const { return m_levels; }

private:
    void push(const float *samples, std::size_t count);
    void analyse();
    void smooth();

    // Fixed at construction.
    const int m_gain = 100;
    const int m_smoothWidth = 8;
    const Window m_window = Window::Hann;
    const int m_decayPercent = 80;

    std::array<std::array<float, kSize>, 3> m_windows{};
    std::array<float, kSize> m_tilt{};
    std::array<float, kSize> m_history{};
    std::size_t m_next = 0; // ring position of the oldest value
    std::array<float, kSize> m_frame{};
    std::array<float, kSize> m_spectrum{};
    std::array<float, kSize> m_levels{};
    kiss_fftr_state *m_fft = nullptr;
};
