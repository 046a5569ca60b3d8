// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Logging.h"

// The second fan view's messages.
#include "ViewMessageHandler.h"

#include "AppState.h"
#include "ViewMessageRules.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanSpeed.h"
#include "lighting/LightModes.h"
#include "viewmsg/MessageNames.h"

#include <QDebug>

namespace {

namespace N = MessageName;

const ItemRange kFan{1, 0, kVaylaFanCount - 1, "fan"};
const ItemRange kLightMode{2, 0, VaylaLightMode::Count - 1, "light mode"};
const ItemRange kSpeedStep{2, 0, kMaxSpeedStep, "speed step"};

VaylaFanRecord &fanOf(const MessageCall &c)
{
    return c.boxes[c.box].vaylaFan[c.target];
}

void performance(MessageCall &c)
{
    VaylaFanRecord &fan = fanOf(c);
    fan.speedMode = SpeedMode::Performance;
    fan.speed = kMaxSpeedStep;
    if (!fan.isPWM)
        c.encoders.sendVaylaPerformance(c.box, c.target);
}

void silent(MessageCall &c)
{
    VaylaFanRecord &fan = fanOf(c);
    fan.speedMode = SpeedMode::Silent;
    fan.speed = 0;
    if (!fan.isPWM)
        c.encoders.sendVaylaSilent(c.box, c.target);
}

void pwm(MessageCall &c)
{
    fanOf(c).isPWM = c.m.flagAt(2);
}

void done(MessageCall &c)
{
    VaylaFanRecord &fan = fanOf(c);
    fan.lightMode = c.m.intAt(2);
    fan.isTurnOffLed = false;
    sendVaylaLighting(c.encoders, c.box, c.target);
}

void copy(MessageCall &c)
{
    copyFirstVaylaFan(c.boxes, c.box, c.target);
    sendVaylaLighting(c.encoders, c.box, c.target);
}

void turnOffOrOn(MessageCall &c)
{
    VaylaFanRecord &fan = fanOf(c);
    fan.isTurnOffLed = c.m.flagAt(2);
    sendVaylaLighting(c.encoders, c.box, c.target);
}

void brightness(MessageCall &c)
{
    fanOf(c).brightValue = clampBrightness(c.m.floatAt(2));
    sendVaylaLighting(c.encoders, c.box, c.target);
}

void speed(MessageCall &c)
{
    VaylaFanRecord &fan = fanOf(c);
    const int step = c.m.intAt(2);
    fan.speed = step;
    fan.speedMode = step == 0 ? SpeedMode::Silent : (step == kMaxSpeedStep ? SpeedMode::Performance : SpeedMode::Custom);
    resetVaylaFan(c.encoders, c.box, c.target);
}

void monitor(MessageCall &c)
{
    VaylaFanRecord &fan = fanOf(c);
    fan.isMonitor = c.m.flagAt(2);
    qCDebug(lcApp) << "isOpenControlFan:" << fan.isMonitor;
    c.handler.writeDeviceProfile();
}

// Sent by views of the other kind; accepted, nothing to do.
void nothing(MessageCall &)
{
}

} // namespace

const MessageRules &vaylaRules()
{
    static const MessageRules rules = {
        {N::btnPerformance, {1, {kFan}}, performance},
        {N::btnSilent, {1, {kFan}}, silent},
        {N::btnPwm, {3, {kFan}}, pwm},
        {N::btnDone, {3, {kFan, kLightMode}}, done},
        {N::btnCopy, {1, {kFan}}, copy},
        {N::btnTurnOff, {3, {kFan}}, turnOffOrOn},
        {N::btnTurnOn, {3, {kFan}}, turnOffOrOn},
        {N::changeSliderLight, {3, {kFan}}, brightness},
        {N::changeSliderFanSpeed, {3, {kFan, kSpeedStep}}, speed},
        {N::pushMonitor, {3, {kFan}}, monitor},
        {N::btnMusic, {1, {kFan}}, nothing},
        {N::btnDefault, {1, {kFan}}, nothing},
        {N::sliderFanSpeedNum, {1, {kFan}}, nothing},
    };
    return rules;
}

void ViewMessageHandler::receiveVaylaMainData(const QStringList &list)
{
    receiveVaylaMainDataOn(m_boxes.currentBox(), list);
}

void ViewMessageHandler::receiveVaylaMainDataOn(int box, const QStringList &list)
{
    qCDebug(lcApp) << "receiveVaylaMainData:" << list;
    const ViewMessage m(list);
    if (!isValidBox(box))
        return;
    MessageCall call{*this, m_state, m_encoders, m_boxes, m_host, m, box, m.target()};
    runMessageRule(vaylaRules(), call);
    syncView();
}

void ViewMessageHandler::receiveVaylaRGBData(int r, int g, int b, float bright, int fan)
{
    receiveVaylaRGBDataOn(m_boxes.currentBox(), r, g, b, bright, fan);
}

void ViewMessageHandler::receiveVaylaRGBDataOn(int box, int r, int g, int b, float bright, int fan)
{
    qCDebug(lcApp) << "receiveVaylaRGBData:" << r;
    if (!isValidBox(box) || !isValidVaylaFan(fan)) {
        qCWarning(lcApp) << "receiveVaylaRGBData refused: fan" << fan;
        return;
    }
    if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255) {
        qCWarning(lcApp) << "receiveVaylaRGBData refused: colour" << r << g << b;
        return;
    }
    VaylaFanRecord &f = m_boxes[box].vaylaFan[fan];
    f.rValue = r;
    f.gValue = g;
    f.bValue = b;
    f.brightValue = clampBrightness(bright);
    syncView();
}
