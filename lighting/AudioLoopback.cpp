// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioLoopback.h"

#include <algorithm>

void AudioLoopback::keepNewest(std::vector<float> &pending, const float *samples, std::size_t count,
                               int channels) const
{
    const std::size_t frame = channels > 0 ? static_cast<std::size_t>(channels) : 1;
    const std::size_t limit = std::max(maxPendingFloats() / frame * frame, frame);
    if (!samples || count == 0)
        return;
    count = count / frame * frame;
    if (count >= limit) {
        pending.assign(samples + (count - limit), samples + count);
        return;
    }
    if (pending.size() + count > limit) {
        const std::size_t excess = (pending.size() + count - limit + frame - 1) / frame * frame;
        pending.erase(pending.begin(), pending.begin() + std::min(excess, pending.size()));
    }
    pending.insert(pending.end(), samples, samples + count);
}
