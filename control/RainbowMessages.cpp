// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Logging.h"

// The RGB fan editor's messages.
#include "ViewMessageHandler.h"

#include "AppState.h"
#include "ViewMessageRules.h"
#include "core/ViewState.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanSpeed.h"
#include "lighting/LightModes.h"
#include "storage/IniHelper.h"
#include "viewmsg/MessageNames.h"

#include <QDebug>

namespace {

namespace N = MessageName;

const ItemRange kFan{1, 0, kRainbowFanCount - 1, "fan"};
// Light mode and speed make the mode byte and must be checked. A colour mode
// is kept as sent: the encoders read every value but "Single" as per-LED colours.
const ItemRange kLightMode{2, 0, LightMode::Count - 1, "light mode"};
const ItemRange kLightSpeed{3, 0, LightSpeed::Count - 1, "light speed"};
// "btn_default" carries the colour mode before the light speed.
const ItemRange kDefaultLightSpeed{4, 0, LightSpeed::Count - 1, "light speed"};
const ItemRange kSpeedPercentStep{2, 0, kMaxSpeedStep, "speed step"};
const ItemRange kSpeedLevelStep{2, 0, kMaxSpeedLevel, "speed step"};

RainbowFanRecord &fanOf(const MessageCall &c)
{
    return c.boxes[c.box].rainbowFan[c.target];
}

void takeLook(RainbowFanRecord &fan, const ViewMessage &m)
{
    fan.lightMode = m.intAt(2);
    fan.lightSpeed = m.intAt(3);
    fan.colorMode = m.intAt(4);
}

void performanceOrSilent(MessageCall &c)
{
    RainbowFanRecord &fan = fanOf(c);
    const bool performance = c.m.name() == N::btnPerformance;
    fan.speedMode = performance ? SpeedMode::Performance : SpeedMode::Silent;
    if (!fan.isPWM) {
        c.encoders.sendFanDuty(c.box, c.target, performance ? 100 : 0);
    } else {
        c.encoders.sendFanTargetSpeed(c.box, c.target, performance ? kPerformanceRpm : kSilentRpm);
        qCDebug(lcApp) << "sendCommand_FanSpeed";
    }
}

void pwm(MessageCall &c)
{
    switchPWM(c.encoders, c.box, c.target, c.m.flagAt(2));
}

void done(MessageCall &c)
{
    RainbowFanRecord &fan = fanOf(c);
    takeLook(fan, c.m);
    fan.isTurnOffLed = false;
    LightingTimers &timers = c.host.lightingTimers();
    stopUnusedSoftwareTimers(c.boxes, timers);
    applyFanLight(c.encoders, c.box, c.target, timers);
    c.handler.followers(c.box, c.target);
}

void music(MessageCall &c)
{
    takeLook(fanOf(c), c.m);
    c.host.lightingTimers().startMusicTimers();
    if (c.target != 0)
        return;
    ControllerBox &record = c.boxes[c.box];
    for (int k = 1; k < kRainbowFanCount; ++k) {
        if (record.rainbowFan[k].lightMode != LightMode::Copy)
            continue;
        copyFirstFanLook(c.boxes, c.box, k);
        sendLightModeCommand(c.encoders, c.box, k, record.rainbowFan[k].copyLightMode);
    }
}

void copy(MessageCall &c)
{
    RainbowFanRecord &fan = fanOf(c);
    takeLook(fan, c.m);
    qCDebug(lcApp) << "btn_copy__boxArray[nowFan].rainbowFan[fanNum].lightMode:" << fan.lightMode;
    c.handler.followFirstFan(c.box, c.target);
    if (!anyFanInMusicMode(c.boxes))
        c.host.lightingTimers().stopMusicTimers();
}

void setDefault(MessageCall &c)
{
    RainbowFanRecord &fan = fanOf(c);
    fan.lightMode = c.m.intAt(2);
    fan.colorMode = c.m.intAt(3);
    fan.lightSpeed = c.m.intAt(4);
    fan.isTurnOffLed = false;
    for (int i = 0; i < kColorEntries; ++i) {
        const DefaultColour colour = defaultEntryColour(i);
        fan.rValue_Led[i] = colour.r;
        fan.gValue_Led[i] = colour.g;
        fan.bValue_Led[i] = colour.b;
        fan.brightValue[i] = 1.0f;
    }
    c.encoders.sendCommand_Default(c.box, c.target, c.boxes.currentBox());
    c.handler.followers(c.box, c.target);
}

void turnOff(MessageCall &c)
{
    c.encoders.sendCommand_turnoff(c.box, c.target);
    fanOf(c).isTurnOffLed = true;
    c.handler.followers(c.box, c.target);
}

void turnOn(MessageCall &c)
{
    RainbowFanRecord &fan = fanOf(c);
    fan.isTurnOffLed = false;
    takeLook(fan, c.m);
    // Every light mode keeps its usual meaning here: Copy plays fan 0's
    // mode, the software modes get their timers.
    if (fan.lightMode == LightMode::Copy)
        copyColor(c.encoders, c.box, c.target);
    else if (LightMode::isMusic(fan.lightMode))
        c.host.lightingTimers().startMusicTimers();
    else
        applyFanLight(c.encoders, c.box, c.target, c.host.lightingTimers());
    c.handler.followers(c.box, c.target);
}

void brightness(MessageCall &c)
{
    const QStringList values = c.m.textAt(5).split(QLatin1Char(','));
    if (values.size() < kColorEntries) {
        qCWarning(lcApp) << "view message refused: 13 brightness values needed:" << c.m.items();
        return;
    }
    RainbowFanRecord &fan = fanOf(c);
    takeLook(fan, c.m);
    fan.isTurnOffLed = false;
    for (int i = 0; i < kColorEntries; ++i)
        fan.brightValue[i] = clampBrightness(values.at(i).toFloat());
    LightingTimers &timers = c.host.lightingTimers();
    if (!anyFanInMusicMode(c.boxes))
        timers.stopMusicTimers();
    applyFanLight(c.encoders, c.box, c.target, timers);
    c.handler.followers(c.box, c.target);
}

void speedPercent(MessageCall &c)
{
    RainbowFanRecord &fan = fanOf(c);
    const int step = c.m.intAt(2);
    fan.speedPer = step;
    fan.speedMode = step == 0 ? SpeedMode::Silent : (step == kMaxSpeedStep ? SpeedMode::Performance : SpeedMode::Custom);
    c.encoders.sendFanDuty(c.box, c.target, 10 * step);
}

void speedLevel(MessageCall &c)
{
    RainbowFanRecord &fan = fanOf(c);
    const int step = c.m.intAt(2);
    fan.isPWM = false;
    fan.speedNum = step;
    c.encoders.sendFanSpeedLevel(c.box, c.target, step);
}

void monitor(MessageCall &c)
{
    RainbowFanRecord &fan = fanOf(c);
    fan.isMonitor = c.m.flagAt(2);
    qCDebug(lcApp) << "isOpenControlFan:" << fan.isMonitor;
    c.handler.writeDeviceProfile();
}

void fanType(MessageCall &c)
{
    RainbowFanRecord &fan = fanOf(c);
    fan.fanType = c.m.intAt(2);
    qCDebug(lcApp) << "selectFanType:" << fan.fanType;
}

// A single-colour box's fans 0..2 under the 12-LED editor's two names.
const ItemRange kVaylaFan{1, 0, kVaylaFanCount - 1, "fan"};

void vaylaDone(MessageCall &c)
{
    qCDebug(lcApp) << "btn_done";
    VaylaFanRecord &fan = c.boxes[c.box].vaylaFan[c.target];
    fan.lightMode = c.m.intAt(2);
    fan.isTurnOffLed = false;
    sendVaylaLighting(c.encoders, c.box, c.target);
}

void vaylaCopy(MessageCall &c)
{
    qCDebug(lcApp) << "btn_copy";
    copyFirstVaylaFan(c.boxes, c.box, c.target);
    sendVaylaLighting(c.encoders, c.box, c.target);
}

} // namespace

const MessageRules &rainbowRules()
{
    static const MessageRules rules = {
        {N::btnPerformance, {1, {kFan}}, performanceOrSilent},
        {N::btnSilent, {1, {kFan}}, performanceOrSilent},
        {N::btnPwm, {3, {kFan}}, pwm},
        {N::btnDone, {5, {kFan, kLightMode, kLightSpeed}}, done},
        {N::btnMusic, {5, {kFan, kLightMode, kLightSpeed}}, music},
        {N::btnCopy, {5, {kFan, kLightMode, kLightSpeed}}, copy},
        {N::btnDefault, {5, {kFan, kLightMode, kDefaultLightSpeed}}, setDefault},
        {N::btnTurnOff, {1, {kFan}}, turnOff},
        {N::btnTurnOn, {5, {kFan, kLightMode, kLightSpeed}}, turnOn},
        {N::sliderLight, {6, {kFan, kLightMode, kLightSpeed}}, brightness},
        {N::sliderFanSpeedPer, {3, {kFan, kSpeedPercentStep}}, speedPercent},
        {N::sliderFanSpeedNum, {3, {kFan, kSpeedLevelStep}}, speedLevel},
        {N::pushMonitor, {3, {kFan}}, monitor},
        {N::selectFanType, {3, {kFan}}, fanType},
    };
    return rules;
}

const MessageRules &rainbowRulesOnVaylaBox()
{
    static const MessageRules rules = {
        {N::btnDone, {3, {kVaylaFan}}, vaylaDone},
        {N::btnCopy, {1, {kVaylaFan}}, vaylaCopy},
    };
    return rules;
}

ViewMessageHandler::ViewMessageHandler(AppState &state, Encoders &encoders, ProfileService &profiles, AppHost &host)
    : m_state(state)
    , m_encoders(encoders)
    , m_boxes(encoders.boxes())
    , m_profiles(profiles)
    , m_host(host)
{
}

void ViewMessageHandler::receiveMainData(const QStringList &list)
{
    receiveMainDataOn(m_boxes.currentBox(), list);
}

void ViewMessageHandler::receiveMainDataOn(int box, const QStringList &list)
{
    qCDebug(lcApp) << "USB---dataStr:" << list << ", dataStr.count():" << list.size();
    const ViewMessage m(list);
    if (!isValidBox(box))
        return;
    MessageCall call{*this, m_state, m_encoders, m_boxes, m_host, m, box, m.target()};
    if (!runMessageRule(settingsRules(), call)
        && !(m_boxes[box].isVaylaBox() && runMessageRule(rainbowRulesOnVaylaBox(), call)))
        runMessageRule(rainbowRules(), call);
    syncView();
}

void ViewMessageHandler::syncView()
{
    m_host.viewState().sync(m_boxes, m_state, m_encoders.bus());
}

void ViewMessageHandler::followers(int box, int fan)
{
    if (fan != 0)
        return;
    for (int k = 1; k < kRainbowFanCount; ++k) {
        if (m_boxes[box].rainbowFan[k].lightMode == LightMode::Copy)
            followFirstFan(box, k);
    }
}

void ViewMessageHandler::followFirstFan(int box, int fan)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan))
        return;
    copyFirstFanLook(m_boxes, box, fan);
    applyFanLight(m_encoders, box, fan, m_host.lightingTimers());
}

void ViewMessageHandler::receiveRGBData(const QStringList &red, const QStringList &green,
                                        const QStringList &blue, const QStringList &bright, int fan)
{
    qCDebug(lcApp) << "receiveRGBData:" << red;
    if (!isValidBox(m_boxes.currentBox()) || !isValidRainbowFan(fan)) {
        qCWarning(lcApp) << "receiveRGBData refused: fan" << fan;
        return;
    }
    if (red.size() < kColorEntries || green.size() < kColorEntries || blue.size() < kColorEntries
        || bright.size() < kColorEntries) {
        qCWarning(lcApp) << "receiveRGBData refused: 13 entries needed in every list";
        return;
    }
    RainbowFanRecord &f = m_boxes[m_boxes.currentBox()].rainbowFan[fan];
    auto byte = [](const QString &t) {
        const int v = t.toInt();
        return v < 0 ? 0 : (v > 255 ? 255 : v);
    };
    for (int i = 0; i < kColorEntries; ++i) {
        f.rValue_Led[i] = byte(red.at(i));
        f.gValue_Led[i] = byte(green.at(i));
        f.bValue_Led[i] = byte(blue.at(i));
        f.brightValue[i] = clampBrightness(bright.at(i).toFloat());
    }
    syncView();
}

bool ViewMessageHandler::writeDeviceProfile()
{
    return IniHelper::writeDeviceProfile(m_state.settings, m_boxes.records());
}
