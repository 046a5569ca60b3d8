// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// A capture of what the computer is playing (loopback of the default output).
// Polled from the GUI thread: no call blocks and no thread of its own runs.
class AudioLoopback {
public:
    virtual ~AudioLoopback() = default;

    // The platform's capture: PulseAudio's default monitor on Linux, WASAPI
    // loopback of the default render device on Windows.
    static std::unique_ptr<AudioLoopback> create();

    // Appends everything captured since the last call to `out`, as
    // interleaved 32-bit float frames starting on a frame boundary. At most
    // maxPendingFloats() are kept between calls: older audio is dropped so
    // no backlog grows. Never blocks; appends nothing while no capture runs.
    virtual void drain(std::vector<float> &out) = 0;

    // Channels per frame of what drain() appends (0 while unknown).
    virtual int channels() const = 0;

    // Whether a capture stream is running now.
    virtual bool isCapturing() const = 0;

    void setMaxPendingFloats(std::size_t n) { m_maxPending = n; }
    std::size_t maxPendingFloats() const { return m_maxPending; }

    // Wait between two attempts to open the capture after it failed or the
    // sound server went away.
    void setRetryInterval(int ms) { m_retryMs = ms < 0 ? 0 : ms; }
    int retryInterval() const { return m_retryMs; }

protected:
    // Appends `count` floats to `pending`, then drops the oldest whole frames
    // beyond maxPendingFloats(). Allocates nothing once `pending` has room
    // for maxPendingFloats() + one frame.
    void keepNewest(std::vector<float> &pending, const float *samples, std::size_t count, int channels) const;

private:
    std::size_t m_maxPending = 4096;
    int m_retryMs = 3000;
};
