// SPDX-License-Identifier: GPL-3.0-or-later
#include "MusicFrames.h"

#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/Reports.h"

#include <QDebug>

#include <cmath>

namespace {

constexpr int kThresholds[kLedCount] = {0, 8, 16, 25, 33, 41, 50, 58, 66, 75, 83, 91};

int entryOf(const RainbowFanRecord &fan, int led)
{
    return fan.colorMode == ColorMode::Single ? kSingleColorEntry : led;
}

int clampComponent(int c) { return c < 0 ? 0 : (c > 255 ? 255 : c); }

float clampUnit(float v)
{
    if (!(v > 0.0f))
        return 0.0f;
    return v > 1.0f ? 1.0f : v;
}

// Component x brightness x factor x extra in single precision, truncated.
uint8_t scaled(int component, float bright, float factor, float extra)
{
    const float v = static_cast<float>(clampComponent(component)) * clampUnit(bright) * clampUnit(factor);
    const int t = static_cast<int>(std::trunc(v * extra));
    return static_cast<uint8_t>(t < 0 ? 0 : (t > 255 ? 255 : t));
}

void setLed(Report &report, const RainbowFanRecord &fan, int led, float factor, float extra)
{
    const int e = entryOf(fan, led);
    const float br = fan.brightValue[e];
    Reports::setTriple(report, led, scaled(fan.rValue_Led[e], br, factor, extra),
                       scaled(fan.gValue_Led[e], br, factor, extra), scaled(fan.bValue_Led[e], br, factor, extra));
}

// The glow of the pair effect is computed in double precision.
uint8_t glow(int component, float bright)
{
    const double v = static_cast<double>(clampComponent(component)) * static_cast<double>(clampUnit(bright)) * 0.1;
    return static_cast<uint8_t>(static_cast<int>(std::trunc(v)));
}

bool sendable(const BoxModel &boxes, int box, int fan, const char *what)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan)) {
        qWarning() << what << "refused: box" << box << "fan" << fan;
        return false;
    }
    return boxes[box].gIsConnected;
}

} // namespace

namespace MusicFrames {

Report musicBar(const RainbowFanRecord &fan, int port, int level)
{
    Report report = Reports::rainbowLighting(port, Reports::kSteadyPerLed);
    if (level < 0 || level > 100)
        return report;
    int n = 0;
    while (n < kLedCount && kThresholds[n] <= level)
        ++n;
    const float factor = static_cast<float>(level) / 100.0f;
    for (int i = 0; i < n; ++i)
        setLed(report, fan, i, factor, 1.0f);
    if (n < kLedCount)
        setLed(report, fan, n, factor, 0.1f);
    return report;
}

Report musicPair(const RainbowFanRecord &fan, int port, int level)
{
    Report report = Reports::rainbowLighting(port, Reports::kSteadyPerLed);
    for (int i = 0; i < kLedCount; ++i) {
        const int e = entryOf(fan, i);
        const float br = fan.brightValue[e];
        Reports::setTriple(report, i, glow(fan.rValue_Led[e], br), glow(fan.gValue_Led[e], br),
                           glow(fan.bValue_Led[e], br));
    }
    if (level < 0 || level > 100)
        return report;
    int band = 0;
    while (band + 1 < kLedCount && kThresholds[band + 1] <= level)
        ++band;
    setLed(report, fan, band % kLedCount, 1.0f, 1.0f);
    setLed(report, fan, (band + 6) % kLedCount, 1.0f, 1.0f);
    return report;
}

} // namespace MusicFrames

void sendCommand_MusicBar(const Encoders &encoders, int box, int fan, int level)
{
    const BoxModel &boxes = encoders.boxes();
    if (!sendable(boxes, box, fan, "sendCommand_MusicBar"))
        return;
    encoders.sendFanLightingReport(box, MusicFrames::musicBar(boxes[box].rainbowFan[fan], fan + 1, level));
}

void sendCommand_MusicPair(const Encoders &encoders, int box, int fan, int level)
{
    const BoxModel &boxes = encoders.boxes();
    if (!sendable(boxes, box, fan, "sendCommand_MusicPair"))
        return;
    encoders.sendFanLightingReport(box, MusicFrames::musicPair(boxes[box].rainbowFan[fan], fan + 1, level));
}
