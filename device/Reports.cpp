// SPDX-License-Identifier: GPL-3.0-or-later
#include "Reports.h"

#include "BoxTable.h"

#include <cmath>

namespace Reports {

namespace {

Report command(uint8_t b1, uint8_t b2, uint8_t b3 = 0, uint8_t b4 = 0)
{
    Report r{};
    r[1] = b1;
    r[2] = b2;
    r[3] = b3;
    r[4] = b4;
    return r;
}

float unitClamp(float v)
{
    if (!(v > 0.0f)) // also catches NaN
        return 0.0f;
    return v > 1.0f ? 1.0f : v;
}

uint8_t portByte(int port) { return static_cast<uint8_t>(port & 0xFF); }

} // namespace

uint8_t colorByte(int component, float bright, float factor)
{
    const int c = component < 0 ? 0 : (component > 255 ? 255 : component);
    const float v = static_cast<float>(c) * unitClamp(bright) * unitClamp(factor);
    const int t = static_cast<int>(std::trunc(v));
    return static_cast<uint8_t>(t < 0 ? 0 : (t > 255 ? 255 : t));
}

void setTriple(Report &report, int led, uint8_t r, uint8_t g, uint8_t b)
{
    if (led < 0 || led >= kLedCount)
        return;
    report[5 + 3 * led] = g;
    report[6 + 3 * led] = r;
    report[7 + 3 * led] = b;
}

Report probe() { return command(0xFE, 0x33); }
Report readFirmwareVersion() { return command(0x33, 0x50); }
Report readFanSpeed(int port) { return command(0x33, 0x51, portByte(port)); }

Report fanDuty(int port, int percent)
{
    Report r = command(0x32, 0x51, portByte(port), 0x01);
    r[5] = static_cast<uint8_t>(percent < 0 ? 0 : (percent > 255 ? 255 : percent));
    return r;
}

Report fanTargetSpeed(int port, int rpm)
{
    Report r = command(0x32, 0x51, portByte(port), 0x02);
    const int v = rpm < 0 ? 0 : (rpm > 0xFFFF ? 0xFFFF : rpm);
    r[6] = static_cast<uint8_t>(v & 0xFF);
    r[7] = static_cast<uint8_t>(v >> 8);
    return r;
}

Report vaylaDuty(int port, int percent)
{
    Report r = command(0x32, 0x51, portByte(port), 0x03);
    r[5] = static_cast<uint8_t>(percent < 0 ? 0 : (percent > 255 ? 255 : percent));
    return r;
}

Report vaylaPerformance(int port) { return command(0x32, 0x51, portByte(port), 0x02); }
Report saveSettings() { return command(0x32, 0x53); }

Report rainbowLighting(int port, int modeByte)
{
    return command(0x32, 0x52, portByte(port), static_cast<uint8_t>(modeByte & 0xFF));
}

Report vaylaLighting(int port, int mode, uint8_t r, uint8_t g, uint8_t b)
{
    Report out = command(0x32, 0x52, portByte(port), static_cast<uint8_t>(mode & 0xFF));
    out[5] = r;
    out[6] = g;
    out[7] = b;
    return out;
}

Report fanLighting(const RainbowFanRecord &fan, int port, int modeByte, Colours colours,
                   float factor)
{
    Report r = rainbowLighting(port, modeByte);
    auto entry = [&](int i) {
        return std::array<uint8_t, 3>{colorByte(fan.rValue_Led[i], fan.brightValue[i], factor),
                                      colorByte(fan.gValue_Led[i], fan.brightValue[i], factor),
                                      colorByte(fan.bValue_Led[i], fan.brightValue[i], factor)};
    };
    switch (colours) {
    case Colours::None:
        break;
    case Colours::SingleTriple: {
        const auto c = entry(kSingleColorEntry);
        setTriple(r, 0, c[0], c[1], c[2]);
        break;
    }
    case Colours::ByColorMode:
    case Colours::PerLed: {
        const bool single = colours == Colours::ByColorMode && fan.colorMode == ColorMode::Single;
        for (int i = 0; i < kLedCount; ++i) {
            const auto c = entry(single ? kSingleColorEntry : i);
            setTriple(r, i, c[0], c[1], c[2]);
        }
        break;
    }
    }
    return r;
}

Report defaultPreview(int port, int lightMode, int colorMode)
{
    const int modeByte = lightMode == LightMode::Light ? kSteadyPerLed : 4 * lightMode + 3;
    Report r = rainbowLighting(port, modeByte);
    for (int i = 0; i < kLedCount; ++i) {
        // In "Single" the first triple carries the fan's single colour.
        const DefaultColour c = (i == 0 && colorMode == ColorMode::Single) ? kDefaultSingleColour : kDefaultWheel[i];
        setTriple(r, i, uint8_t(c.r), uint8_t(c.g), uint8_t(c.b));
    }
    return r;
}

QString firmwareVersionText(const Reply &reply)
{
    return QString::number(reply[2]) + QLatin1Char('.') + QString::number(reply[3])
        + QLatin1Char('.') + QString::number(reply[4]);
}

bool decodeFanSpeed(const Reply &reply, int bytesRead, int *port, int *rpm)
{
    // A reply must reach past the speed bytes to be trusted.
    if (bytesRead < 7 || reply[0] != 0x33 || reply[1] != 0x51 || reply[2] < 1 || reply[2] > 5)
        return false;
    *port = reply[2];
    *rpm = reply[5] + 256 * reply[6];
    return true;
}

} // namespace Reports
