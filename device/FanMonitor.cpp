// SPDX-License-Identifier: GPL-3.0-or-later
#include "FanMonitor.h"

#include "BoxModel.h"
#include "common/Logging.h"
#include "Encoders.h"

#include <QDebug>

namespace {

bool anyRainbowAlarm(const ControllerBox &box)
{
    for (int f = 0; f < kRainbowFanCount; ++f) {
        const RainbowFanRecord &fan = box.rainbowFan[f];
        if (fan.isAlarmShown && fan.isMonitor && fan.fanType == 0)
            return true;
    }
    return false;
}

bool anyVaylaAlarm(const ControllerBox &box)
{
    for (const VaylaFanRecord &fan : box.vaylaFan) {
        if (fan.isAlarmShown && fan.isMonitor)
            return true;
    }
    return false;
}

} // namespace

FanMonitor::FanMonitor(Encoders &encoders, QObject *parent)
    : QObject(parent)
    , m_encoders(encoders)
    , m_boxes(encoders.boxes())
{
}

void FanMonitor::poll(int onlyFan)
{
    for (int b = 0; b < kBoxCount; ++b) {
        const ControllerBox &box = m_boxes[b];
        if (!box.gIsConnected)
            continue;
        const int fans = box.isVaylaBox() ? kVaylaFanCount : kRainbowFanCount;
        for (int f = 0; f < fans; ++f) {
            if (onlyFan >= 0 && f != onlyFan)
                continue;
            const bool watched = box.isVaylaBox() ? box.vaylaFan[f].isMonitor : box.rainbowFan[f].isMonitor;
            if (!watched)
                continue;
            m_encoders.requestFanSpeed(b, f, [this, b](int port, int rpm) { onFanSpeed(b, port, rpm); }, this);
        }
    }
}

void FanMonitor::onFanSpeed(int b, int port, int rpm)
{
    if (!isValidBox(b) || port < 1 || port > kRainbowFanCount)
        return;
    ControllerBox &box = m_boxes[b];
    const int k = port - 1;
    // A reading of fan 4 or 5 asked for before the box was set to three
    // single-colour fans: those fans do not exist any more.
    if (box.isVaylaBox() && k >= kVaylaFanCount) {
        qCDebug(lcDevice) << "reading of port" << port << "of single-colour box" << b << "dropped";
        return;
    }
    const bool running = rpm > 0;
    if (running)
        m_boxes.fanTurns(b, k);
    const bool expectedStop = !running && m_boxes.takeZeroAsExpected(b, k);

    if (box.isVaylaBox() && k < kVaylaFanCount) {
        VaylaFanRecord &fan = box.vaylaFan[k];
        if (running || expectedStop) {
            if (fan.isAlarmShown) {
                fan.isAlarmShown = false;
                emit stallCleared(b, k);
            }
        } else if (fan.isMonitor && !fan.isAlarmShown) {
            fan.isAlarmShown = true;
            qCWarning(lcDevice).nospace() << "stall: fan " << port << " of box " << b << " stopped";
            emit stallRaised(b, k);
        }
        const bool stopped = rpm <= 0 && fan.isMonitor && !expectedStop;
        m_boxes.setReading(b, k, rpm, stopped);
        emit fanSpeedRead(b, k, rpm, stopped, fan.isAlarmShown);
        emit boxAlarm(b, anyVaylaAlarm(box));
        return;
    }

    RainbowFanRecord &fan = box.rainbowFan[k];
    const bool wasLatched = fan.isAlarmShown;
    if (running || expectedStop) {
        fan.isAlarmShown = false;
        if (port == 1)
            box.vaylaFan[0].isAlarmShown = false;
    } else if (fan.isMonitor && !fan.isAlarmShown && fan.fanType == 0) {
        fan.isAlarmShown = true;
        qCWarning(lcDevice).nospace() << "stall: fan " << port << " of box " << b << " stopped";
        emit stallRaised(b, k);
    } else if (fan.fanType > 0) {
        fan.isAlarmShown = false;
    }
    if (wasLatched && !fan.isAlarmShown)
        emit stallCleared(b, k);
    const bool stopped = !running && fan.isMonitor && fan.fanType == 0 && fan.isAlarmShown;
    m_boxes.setReading(b, k, rpm, stopped);
    emit fanSpeedRead(b, k, rpm, stopped, fan.isAlarmShown && fan.isMonitor && fan.fanType == 0);
    emit boxAlarm(b, box.isVaylaBox() ? anyVaylaAlarm(box) : anyRainbowAlarm(box));
}

void FanMonitor::onBoxHealth(int b, BoxHealth health)
{
    if (!isValidBox(b))
        return;
    switch (health) {
    case BoxHealth::Answering:
        qCInfo(lcDevice) << "box" << b << "answers again";
        break;
    case BoxHealth::NotAnswering:
        qCWarning(lcDevice) << "box" << b << "is not answering: its fans are not watched";
        break;
    case BoxHealth::Gone:
        // Usually unplugged: discovery follows.
        qCWarning(lcDevice) << "box" << b << "is gone";
        break;
    }
    emit boxHealthChanged(b, health);
}

void FanMonitor::raiseLatchedStalls()
{
    qCDebug(lcDevice) << "resetFanView()";
    const int b = m_boxes.currentBox();
    if (!isValidBox(b) || !m_boxes[b].gIsConnected)
        return;
    const ControllerBox &box = m_boxes[b];
    for (int f = 0; f < fanCountOf(box); ++f) {
        const bool latched = box.isVaylaBox() ? (box.vaylaFan[f].isMonitor && box.vaylaFan[f].isAlarmShown)
                                              : (box.rainbowFan[f].isMonitor && box.rainbowFan[f].isAlarmShown);
        if (latched && !m_boxes.isStoppedOnPurpose(b, f))
            emit stallRaised(b, f);
    }
}

QList<int> latchedStalls(const BoxModel &boxes, int box)
{
    QList<int> fans;
    if (!isValidBox(box))
        return fans;
    const ControllerBox &record = boxes[box];
    for (int f = 0; f < fanCountOf(record); ++f) {
        const bool latched = record.isVaylaBox() ? record.vaylaFan[f].isMonitor && record.vaylaFan[f].isAlarmShown
                                                 : record.rainbowFan[f].isMonitor && record.rainbowFan[f].isAlarmShown;
        if (latched)
            fans << f;
    }
    return fans;
}
