// SPDX-License-Identifier: GPL-3.0-or-later
#include "Encoders.h"

#include "BoxModel.h"
#include "DeviceBus.h"
#include "FanCurve.h"
#include "Reports.h"

#include <QDebug>

#include <cmath>

namespace {

bool connectedRainbowFan(const BoxModel &boxes, int box, int fan)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan)) {
        qWarning() << "device command refused: box" << box << "fan" << fan;
        return false;
    }
    return boxes[box].gIsConnected;
}

bool openVaylaFan(int box, int fan)
{
    if (!isValidBox(box) || !isValidVaylaFan(fan)) {
        qWarning() << "device command refused: box" << box << "fan" << fan;
        return false;
    }
    return DeviceBus::instance().isOpen(box);
}

void sendToBox(int box, const Report &report)
{
    DeviceBus::instance().send(box, report);
}

void sendEffect(const BoxModel &boxes, int box, int fan, int lightMode, int lightSpeed, Reports::Colours colours)
{
    if (!connectedRainbowFan(boxes, box, fan))
        return;
    const RainbowFanRecord &record = boxes[box].rainbowFan[fan];
    sendToBox(box, Reports::fanLighting(record, fan + 1, Reports::effectModeByte(lightMode, lightSpeed),
                                        colours));
}

float levelFactor(int level) { return static_cast<float>(level) / 100.0f; }

int clampByte(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

} // namespace

void sendCommand_Snake(const BoxModel &boxes, int box, int fan, int lightSpeed)
{
    sendEffect(boxes, box, fan, LightMode::Snake, lightSpeed, Reports::Colours::None);
}

void sendCommand_Cycle(const BoxModel &boxes, int box, int fan, int lightSpeed)
{
    sendEffect(boxes, box, fan, LightMode::Cycle, lightSpeed, Reports::Colours::None);
}

void sendCommand_Radar(const BoxModel &boxes, int box, int fan, int lightSpeed)
{
    sendEffect(boxes, box, fan, LightMode::Radar, lightSpeed, Reports::Colours::SingleTriple);
}

void sendCommand_Blink(const BoxModel &boxes, int box, int fan, int lightSpeed)
{
    sendEffect(boxes, box, fan, LightMode::Blink, lightSpeed, Reports::Colours::ByColorMode);
}

void sendCommand_Breath(const BoxModel &boxes, int box, int fan, int lightSpeed)
{
    sendEffect(boxes, box, fan, LightMode::Breath, lightSpeed, Reports::Colours::ByColorMode);
}

void sendCommand_Whirl(const BoxModel &boxes, int box, int fan, int lightSpeed)
{
    sendEffect(boxes, box, fan, LightMode::Whirl, lightSpeed, Reports::Colours::PerLed);
}

void sendCommand_Light(const BoxModel &boxes, int box, int fan, int level)
{
    if (!connectedRainbowFan(boxes, box, fan))
        return;
    sendToBox(box, Reports::fanLighting(boxes[box].rainbowFan[fan], fan + 1, Reports::kSteadyPerLed,
                                        Reports::Colours::ByColorMode, levelFactor(level)));
}

void sendCommand_Music(const BoxModel &boxes, int box, int fan, int level)
{
    if (!connectedRainbowFan(boxes, box, fan))
        return;
    sendToBox(box, Reports::fanLighting(boxes[box].rainbowFan[fan], fan + 1, Reports::kSteadySingle,
                                        Reports::Colours::SingleTriple, levelFactor(level)));
}

void sendCommand_MusicLeds(const BoxModel &boxes, int box, int fan, int level)
{
    if (!connectedRainbowFan(boxes, box, fan))
        return;
    sendToBox(box, Reports::fanLighting(boxes[box].rainbowFan[fan], fan + 1, Reports::kSteadyPerLed,
                                        Reports::Colours::PerLed, levelFactor(level)));
}

void sendCommand_Default(const BoxModel &boxes, int box, int fan, int shownBox)
{
    if (!connectedRainbowFan(boxes, box, fan) || !isValidBox(shownBox))
        return;
    const RainbowFanRecord &shown = boxes[shownBox].rainbowFan[fan];
    const int mode = effectiveLightMode(shown);
    if (!LightMode::isValid(mode)) {
        qWarning() << "sendCommand_Default refused: light mode" << mode;
        return;
    }
    sendToBox(box, Reports::defaultPreview(fan + 1, mode, shown.colorMode));
}

void sendCommand_turnoff(const BoxModel &boxes, int box, int fan)
{
    if (!connectedRainbowFan(boxes, box, fan))
        return;
    sendToBox(box, Reports::rainbowLighting(fan + 1, Reports::kSteadyPerLed));
}

void sendCommand_TempColor(const BoxModel &boxes, int box, int fan, int r, int g, int b)
{
    if (!connectedRainbowFan(boxes, box, fan))
        return;
    Report report = Reports::rainbowLighting(fan + 1, Reports::kSteadySingle);
    Reports::setTriple(report, 0, static_cast<uint8_t>(clampByte(r)), static_cast<uint8_t>(clampByte(g)),
                       static_cast<uint8_t>(clampByte(b)));
    sendToBox(box, report);
}

void sendCommand_ScriptFrame(const BoxModel &boxes, int box, int fan, const QStringList &r, const QStringList &g,
                             const QStringList &b, const QStringList &bright)
{
    if (!connectedRainbowFan(boxes, box, fan))
        return;
    Report report = Reports::rainbowLighting(fan + 1, Reports::kSteadyPerLed);
    // A short list leaves the LEDs it does not reach dark.
    auto at = [](const QStringList &list, int i) { return i < list.size() ? list.at(i) : QString(); };
    for (int i = 0; i < kLedCount; ++i) {
        const float br = at(bright, i).toFloat();
        Reports::setTriple(report, i, Reports::colorByte(at(r, i).toInt(), br),
                           Reports::colorByte(at(g, i).toInt(), br), Reports::colorByte(at(b, i).toInt(), br));
    }
    sendToBox(box, report);
}

void sendFanLightingReport(const BoxModel &boxes, int box, const Report &report)
{
    if (!isValidBox(box) || !boxes[box].gIsConnected)
        return;
    sendToBox(box, report);
}

int fanSpeedLevelRpm(int level)
{
    return (level >= 0 && level <= kMaxSpeedLevel) ? kSilentRpm + kRpmPerSpeedLevel * level : 0;
}

int vaylaLevelDuty(int level)
{
    return (level >= 0 && level <= kMaxSpeedStep) ? kDutyPerSpeedStep * level : 0;
}

int flooredFanDuty(int percent)
{
    // Below the floor a fan may not start at all.
    return percent < kMinFanDuty ? kMinFanDuty : percent;
}

void sendCommand_FanSpeed(const BoxModel &boxes, int box, int fan, int level)
{
    sendCommand_FanTargetSpeed(boxes, box, fan, fanSpeedLevelRpm(level));
}

void sendCommand_FanTargetSpeed(const BoxModel &boxes, int box, int fan, int rpm)
{
    if (!connectedRainbowFan(boxes, box, fan))
        return;
    sendToBox(box, Reports::fanTargetSpeed(fan + 1, rpm));
}

void sendCommand_FanDuty(const BoxModel &boxes, int box, int fan, int percent)
{
    if (!connectedRainbowFan(boxes, box, fan))
        return;
    sendToBox(box, Reports::fanDuty(fan + 1, flooredFanDuty(percent)));
}

void sendCommand_FanTempDuty(const BoxModel &boxes, int temperature, int box, int fan)
{
    if (!connectedRainbowFan(boxes, box, fan))
        return;
    const int duty = temperatureDuty(temperature, boxes[box].rainbowFan[fan].speedPer);
    sendToBox(box, Reports::fanDuty(fan + 1, duty));
}

void SetFanNormal(int box, int fan, int level)
{
    SetFanNormalPercent(box, fan, vaylaLevelDuty(level));
}

void SetFanNormalPercent(int box, int fan, int percent)
{
    if (!openVaylaFan(box, fan))
        return;
    sendToBox(box, Reports::vaylaDuty(fan + 1, percent));
}

void SetFanSilent(int box, int fan)
{
    SetFanNormalPercent(box, fan, 0);
}

void SetFanPerformance(int box, int fan)
{
    if (!openVaylaFan(box, fan))
        return;
    sendToBox(box, Reports::vaylaPerformance(fan + 1));
}

namespace {

void sendVaylaLighting(int box, int fan, int mode, int r, int g, int b, float bright)
{
    if (!openVaylaFan(box, fan))
        return;
    // Components are taken as their low byte, then scaled.
    sendToBox(box, Reports::vaylaLighting(fan + 1, mode, Reports::colorByte(r & 0xFF, bright),
                                          Reports::colorByte(g & 0xFF, bright),
                                          Reports::colorByte(b & 0xFF, bright)));
}

} // namespace

void SetFanColor(int box, int fan, int r, int g, int b, float bright)
{
    sendVaylaLighting(box, fan, VaylaLightMode::Steady, r, g, b, bright);
}

void SetFanRGB(int box, int fan)
{
    if (!openVaylaFan(box, fan))
        return;
    sendToBox(box, Reports::vaylaLighting(fan + 1, VaylaLightMode::RGB, 0, 0, 0));
}

void SetFanBlink(int box, int fan, int r, int g, int b, float bright)
{
    sendVaylaLighting(box, fan, VaylaLightMode::Blink, r, g, b, bright);
}

void sendCommand_SaveSettings(const BoxModel &boxes, int box)
{
    if (!isValidBox(box) || !boxes[box].gIsConnected)
        return;
    sendToBox(box, Reports::saveSettings());
}

QString readFirmwareVersion(const BoxModel &boxes, int box)
{
    if (!isValidBox(box) || !boxes[box].gIsConnected)
        return QStringLiteral("0");
    Reply reply{};
    int length = 0;
    DeviceBus::instance().exchange(box, Reports::readFirmwareVersion(), &reply, &length);
    return Reports::firmwareVersionText(reply);
}

void requestFanSpeed(const BoxModel &boxes, int box, int fan, const std::function<void(int port, int rpm)> &onSpeed, QObject *context)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan) || !boxes[box].gIsConnected)
        return;
    DeviceBus::instance().query(
        box, Reports::readFanSpeed(fan + 1),
        [onSpeed](const Reply &reply, int length) {
            int port = 0;
            int rpm = 0;
            if (Reports::decodeFanSpeed(reply, length, &port, &rpm) && onSpeed)
                onSpeed(port, rpm);
        },
        context);
}
