// SPDX-License-Identifier: GPL-3.0-or-later
#include "Encoders.h"

#include "BoxModel.h"
#include "DeviceBus.h"
#include "FanCurve.h"
#include "Reports.h"

#include <QDebug>

#include <cmath>

namespace {

float levelFactor(int level) { return static_cast<float>(level) / 100.0f; }

int clampByte(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

Report effectReport(const RainbowFanRecord &record, int fan, int lightMode, int lightSpeed, Reports::Colours colours)
{
    return Reports::fanLighting(record, fan + 1, Reports::effectModeByte(lightMode, lightSpeed), colours);
}

} // namespace

Encoders::Encoders(BoxModel &boxes, DeviceBus &bus)
    : m_boxes(boxes)
    , m_bus(bus)
{
}

bool Encoders::connectedRainbowFan(int box, int fan) const
{
    if (!isValidBox(box) || !isValidRainbowFan(fan)) {
        qWarning() << "device command refused: box" << box << "fan" << fan;
        return false;
    }
    return m_boxes[box].gIsConnected;
}

bool Encoders::openVaylaFan(int box, int fan) const
{
    if (!isValidBox(box) || !isValidVaylaFan(fan)) {
        qWarning() << "device command refused: box" << box << "fan" << fan;
        return false;
    }
    return m_bus.isOpen(box);
}

void Encoders::sendToBox(int box, const Report &report) const
{
    m_bus.send(box, report);
}

void Encoders::sendCommand_Snake(int box, int fan, int lightSpeed) const
{
    if (connectedRainbowFan(box, fan))
        sendToBox(box, effectReport(m_boxes[box].rainbowFan[fan], fan, LightMode::Snake, lightSpeed,
                                    Reports::Colours::None));
}

void Encoders::sendCommand_Cycle(int box, int fan, int lightSpeed) const
{
    if (connectedRainbowFan(box, fan))
        sendToBox(box, effectReport(m_boxes[box].rainbowFan[fan], fan, LightMode::Cycle, lightSpeed,
                                    Reports::Colours::None));
}

void Encoders::sendCommand_Radar(int box, int fan, int lightSpeed) const
{
    if (connectedRainbowFan(box, fan))
        sendToBox(box, effectReport(m_boxes[box].rainbowFan[fan], fan, LightMode::Radar, lightSpeed,
                                    Reports::Colours::SingleTriple));
}

void Encoders::sendCommand_Blink(int box, int fan, int lightSpeed) const
{
    if (connectedRainbowFan(box, fan))
        sendToBox(box, effectReport(m_boxes[box].rainbowFan[fan], fan, LightMode::Blink, lightSpeed,
                                    Reports::Colours::ByColorMode));
}

void Encoders::sendCommand_Breath(int box, int fan, int lightSpeed) const
{
    if (connectedRainbowFan(box, fan))
        sendToBox(box, effectReport(m_boxes[box].rainbowFan[fan], fan, LightMode::Breath, lightSpeed,
                                    Reports::Colours::ByColorMode));
}

void Encoders::sendCommand_Whirl(int box, int fan, int lightSpeed) const
{
    if (connectedRainbowFan(box, fan))
        sendToBox(box, effectReport(m_boxes[box].rainbowFan[fan], fan, LightMode::Whirl, lightSpeed,
                                    Reports::Colours::PerLed));
}
void Encoders::sendCommand_Light(int box, int fan, int level) const
{
    if (!connectedRainbowFan(box, fan))
        return;
    sendToBox(box, Reports::fanLighting(m_boxes[box].rainbowFan[fan], fan + 1, Reports::kSteadyPerLed,
                                        Reports::Colours::ByColorMode, levelFactor(level)));
}

void Encoders::sendCommand_Music(int box, int fan, int level) const
{
    if (!connectedRainbowFan(box, fan))
        return;
    sendToBox(box, Reports::fanLighting(m_boxes[box].rainbowFan[fan], fan + 1, Reports::kSteadySingle,
                                        Reports::Colours::SingleTriple, levelFactor(level)));
}

void Encoders::sendCommand_MusicLeds(int box, int fan, int level) const
{
    if (!connectedRainbowFan(box, fan))
        return;
    sendToBox(box, Reports::fanLighting(m_boxes[box].rainbowFan[fan], fan + 1, Reports::kSteadyPerLed,
                                        Reports::Colours::PerLed, levelFactor(level)));
}

void Encoders::sendCommand_Default(int box, int fan, int shownBox) const
{
    if (!connectedRainbowFan(box, fan) || !isValidBox(shownBox))
        return;
    const RainbowFanRecord &shown = m_boxes[shownBox].rainbowFan[fan];
    const int mode = effectiveLightMode(shown);
    if (!LightMode::isValid(mode)) {
        qWarning() << "sendCommand_Default refused: light mode" << mode;
        return;
    }
    sendToBox(box, Reports::defaultPreview(fan + 1, mode, shown.colorMode));
}

void Encoders::sendCommand_turnoff(int box, int fan) const
{
    if (!connectedRainbowFan(box, fan))
        return;
    sendToBox(box, Reports::rainbowLighting(fan + 1, Reports::kSteadyPerLed));
}

void Encoders::sendCommand_TempColor(int box, int fan, int r, int g, int b) const
{
    if (!connectedRainbowFan(box, fan))
        return;
    Report report = Reports::rainbowLighting(fan + 1, Reports::kSteadySingle);
    Reports::setTriple(report, 0, static_cast<uint8_t>(clampByte(r)), static_cast<uint8_t>(clampByte(g)),
                       static_cast<uint8_t>(clampByte(b)));
    sendToBox(box, report);
}

void Encoders::sendCommand_ScriptFrame(int box, int fan, const QStringList &r, const QStringList &g,
                                       const QStringList &b, const QStringList &bright) const
{
    if (!connectedRainbowFan(box, fan))
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

void Encoders::sendFanLightingReport(int box, const Report &report) const
{
    if (!isValidBox(box) || !m_boxes[box].gIsConnected)
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

void Encoders::sendCommand_FanSpeed(int box, int fan, int level) const
{
    sendCommand_FanTargetSpeed(box, fan, fanSpeedLevelRpm(level));
}

void Encoders::sendCommand_FanTargetSpeed(int box, int fan, int rpm) const
{
    if (!connectedRainbowFan(box, fan))
        return;
    sendToBox(box, Reports::fanTargetSpeed(fan + 1, rpm));
}

void Encoders::sendCommand_FanDuty(int box, int fan, int percent) const
{
    if (!connectedRainbowFan(box, fan))
        return;
    sendToBox(box, Reports::fanDuty(fan + 1, flooredFanDuty(percent)));
}

void Encoders::sendCommand_FanTempDuty(int temperature, int box, int fan) const
{
    if (!connectedRainbowFan(box, fan))
        return;
    const int duty = temperatureDuty(temperature, m_boxes[box].rainbowFan[fan].speedPer);
    sendToBox(box, Reports::fanDuty(fan + 1, duty));
}

void Encoders::SetFanNormal(int box, int fan, int level) const
{
    SetFanNormalPercent(box, fan, vaylaLevelDuty(level));
}

void Encoders::SetFanNormalPercent(int box, int fan, int percent) const
{
    if (!openVaylaFan(box, fan))
        return;
    sendToBox(box, Reports::vaylaDuty(fan + 1, percent));
}

void Encoders::SetFanSilent(int box, int fan) const
{
    SetFanNormalPercent(box, fan, 0);
}

void Encoders::SetFanPerformance(int box, int fan) const
{
    if (!openVaylaFan(box, fan))
        return;
    sendToBox(box, Reports::vaylaPerformance(fan + 1));
}

void Encoders::sendVaylaLook(int box, int fan, int mode, int r, int g, int b, float bright) const
{
    if (!openVaylaFan(box, fan))
        return;
    // Components are taken as their low byte, then scaled.
    sendToBox(box, Reports::vaylaLighting(fan + 1, mode, Reports::colorByte(r & 0xFF, bright),
                                          Reports::colorByte(g & 0xFF, bright),
                                          Reports::colorByte(b & 0xFF, bright)));
}

void Encoders::SetFanColor(int box, int fan, int r, int g, int b, float bright) const
{
    sendVaylaLook(box, fan, VaylaLightMode::Steady, r, g, b, bright);
}

void Encoders::SetFanRGB(int box, int fan) const
{
    if (!openVaylaFan(box, fan))
        return;
    sendToBox(box, Reports::vaylaLighting(fan + 1, VaylaLightMode::RGB, 0, 0, 0));
}

void Encoders::SetFanBlink(int box, int fan, int r, int g, int b, float bright) const
{
    sendVaylaLook(box, fan, VaylaLightMode::Blink, r, g, b, bright);
}

void Encoders::sendCommand_SaveSettings(int box) const
{
    if (!isValidBox(box) || !m_boxes[box].gIsConnected)
        return;
    sendToBox(box, Reports::saveSettings());
}

QString Encoders::readFirmwareVersion(int box) const
{
    if (!isValidBox(box) || !m_boxes[box].gIsConnected)
        return QStringLiteral("0");
    Reply reply{};
    int length = 0;
    m_bus.exchange(box, Reports::readFirmwareVersion(), &reply, &length);
    return Reports::firmwareVersionText(reply);
}

void Encoders::requestFanSpeed(int box, int fan, const std::function<void(int port, int rpm)> &onSpeed,
                               QObject *context) const
{
    if (!isValidBox(box) || !isValidRainbowFan(fan) || !m_boxes[box].gIsConnected)
        return;
    m_bus.query(
        box, Reports::readFanSpeed(fan + 1),
        [onSpeed](const Reply &reply, int length) {
            int port = 0;
            int rpm = 0;
            if (Reports::decodeFanSpeed(reply, length, &port, &rpm) && onSpeed)
                onSpeed(port, rpm);
        },
        context);
}

void Encoders::sendFanDuty(int box, int fan, int percent)
{
    sendCommand_FanDuty(box, fan, percent);
    m_boxes.recordDuty(box, fan, flooredFanDuty(percent));
}

void Encoders::sendFanTargetSpeed(int box, int fan, int rpm)
{
    sendCommand_FanTargetSpeed(box, fan, rpm);
    m_boxes.recordDuty(box, fan, kNoCommandedDuty);
}

void Encoders::sendFanSpeedLevel(int box, int fan, int level)
{
    sendCommand_FanSpeed(box, fan, level);
    m_boxes.recordDuty(box, fan, kNoCommandedDuty);
}

void Encoders::sendVaylaSilent(int box, int fan)
{
    if (!isValidBox(box))
        return;
    SetFanSilent(box, fan);
    m_boxes.recordDuty(box, fan, 0);
}

void Encoders::sendVaylaPerformance(int box, int fan)
{
    if (!isValidBox(box))
        return;
    SetFanPerformance(box, fan);
    m_boxes.recordDuty(box, fan, kNoCommandedDuty);
}

void Encoders::sendVaylaLevel(int box, int fan, int level)
{
    SetFanNormal(box, fan, level);
    m_boxes.recordDuty(box, fan, vaylaLevelDuty(level));
}

void Encoders::sendVaylaPercent(int box, int fan, int percent)
{
    SetFanNormalPercent(box, fan, percent);
    m_boxes.recordDuty(box, fan, percent);
}
