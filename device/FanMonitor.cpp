#include "FanMonitor.h"

#include "BoxTable.h"
#include "common/Logging.h"
#include "Encoders.h"
#include "FanCurve.h"

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

void updateSpeed(FanMonitorHost &host)
{
    for (int b = 0; b < kBoxCount; ++b) {
        const ControllerBox &box = boxArray[b];
        if (!box.gIsConnected)
            continue;
        const int fans = box.isVaylaBox() ? kVaylaFanCount : kRainbowFanCount;
        for (int f = 0; f < fans; ++f) {
            const bool watched = box.isVaylaBox() ? box.vaylaFan[f].isMonitor : box.rainbowFan[f].isMonitor;
            if (!watched)
                continue;
            requestFanSpeed(b, f, [b, &host](int port, int rpm) { onFanSpeed(b, port, rpm, host); });
        }
    }
}

void onFanSpeed(int b, int port, int rpm, FanMonitorHost &host)
{
    if (!isValidBox(b) || port < 1 || port > kRainbowFanCount)
        return;
    ControllerBox &box = boxArray[b];
    const int k = port - 1;
    const bool running = rpm > 0;
    const bool current = b == controllerBoxNumber;

    if (box.isVaylaBox() && k < kVaylaFanCount) {
        VaylaFanRecord &fan = box.vaylaFan[k];
        if (running) {
            fan.isAlarmShown = false;
        } else if (fan.isMonitor && !fan.isAlarmShown) {
            fan.isAlarmShown = true;
            qCWarning(lcDevice).nospace() << "stall: fan " << port << " of box " << b << " stopped";
            host.raiseStallAlert(b);
        }
        if (current) {
            host.showFanSpeed(k, rpm);
            host.showFanError(k, rpm <= 0 && fan.isMonitor);
        }
        host.showBoxAlarm(b, anyVaylaAlarm(box));
        return;
    }

    RainbowFanRecord &fan = box.rainbowFan[k];
    if (running) {
        fan.isAlarmShown = false;
        if (port == 1)
            box.vaylaFan[0].isAlarmShown = false;
    } else if (fan.isMonitor && !fan.isAlarmShown && fan.fanType == 0) {
        fan.isAlarmShown = true;
        qCWarning(lcDevice).nospace() << "stall: fan " << port << " of box " << b << " stopped";
        host.raiseStallAlert(b);
    } else if (fan.fanType > 0) {
        fan.isAlarmShown = false;
    }
    if (current) {
        const bool error = !running && fan.isMonitor && fan.fanType == 0 && fan.isAlarmShown;
        host.showFanSpeed(k, rpm);
        host.showFanError(k, error);
    }
    host.showBoxAlarm(b, box.isVaylaBox() ? anyVaylaAlarm(box) : anyRainbowAlarm(box));
}

void resetFanView(FanMonitorHost &host)
{
    qCDebug(lcDevice) << "resetFanView()";
    const int b = controllerBoxNumber;
    if (!isValidBox(b) || !boxArray[b].gIsConnected)
        return;
    const ControllerBox &box = boxArray[b];
    for (int f = 0; f < fanCountOf(box); ++f) {
        const bool latched = box.isVaylaBox() ? (box.vaylaFan[f].isMonitor && box.vaylaFan[f].isAlarmShown)
                                              : (box.rainbowFan[f].isMonitor && box.rainbowFan[f].isAlarmShown);
        if (latched)
            host.raiseStallAlert(b);
    }
}

void switchPWM(int fan, bool on)
{
    qCDebug(lcDevice) << "switchPWM";
    const int b = controllerBoxNumber;
    if (!isValidBox(b) || !isValidRainbowFan(fan)) {
        qWarning() << "switchPWM refused: box" << b << "fan" << fan;
        return;
    }
    RainbowFanRecord &record = boxArray[b].rainbowFan[fan];
    record.isPWM = on;
    if (!on)
        sendCommand_FanTargetSpeed(b, fan, fanSpeedLevelRpm(record.speedNum));
}

void applyTemperatureDuty(int temperature)
{
    for (int b = 0; b < kBoxCount; ++b) {
        ControllerBox &box = boxArray[b];
        if (!box.gIsConnected)
            continue;
        if (box.boxType == BoxType::Rainbow) {
            for (int f = 0; f < kRainbowFanCount; ++f) {
                const RainbowFanRecord &fan = box.rainbowFan[f];
                if (fan.isMonitor && fan.isPWM)
                    sendCommand_FanTempDuty(temperature, b, f);
            }
        } else if (box.boxType == BoxType::Vayla) {
            for (int f = 0; f < kVaylaFanCount; ++f) {
                const VaylaFanRecord &fan = box.vaylaFan[f];
                if (fan.isMonitor && fan.isPWM)
                    SetFanNormalPercent(box.handle, b, f, temperatureDuty(temperature, fan.speed));
            }
        }
    }
}

void sendFixedSpeed(int b, int f)
{
    if (!isValidBox(b) || !isValidRainbowFan(f))
        return;
    const RainbowFanRecord &fan = boxArray[b].rainbowFan[f];
    if (fan.isPWM)
        return;
    switch (fan.speedMode) {
    case SpeedMode::Custom:
        sendCommand_FanSpeed(b, f, fan.speedNum);
        break;
    case SpeedMode::Silent:
        sendCommand_FanTargetSpeed(b, f, 400);
        qCDebug(lcDevice) << "sendCommand_FanSpeed";
        break;
    case SpeedMode::Performance:
        sendCommand_FanTargetSpeed(b, f, 1400);
        qCDebug(lcDevice) << "sendCommand_FanSpeed";
        break;
    default:
        break;
    }
}

void sendVaylaStartSpeed(int b, int f)
{
    if (!isValidBox(b) || !isValidVaylaFan(f))
        return;
    const VaylaFanRecord &fan = boxArray[b].vaylaFan[f];
    if (fan.isPWM)
        return;
    HidHandle *h = boxArray[b].handle;
    switch (fan.speedMode) {
    case SpeedMode::Custom:
        SetFanNormal(h, b, f, fan.speed);
        break;
    case SpeedMode::Silent:
        SetFanNormal(h, b, f, 0);
        break;
    case SpeedMode::Performance:
        SetFanNormal(h, b, f, 5);
        break;
    default:
        break;
    }
}

void resetVaylaFan(int b, int f)
{
    if (!isValidBox(b) || !isValidVaylaFan(f))
        return;
    const VaylaFanRecord &fan = boxArray[b].vaylaFan[f];
    qCDebug(lcDevice) << "resetVaylaFan:" << fan.isPWM;
    if (fan.isPWM)
        return;
    qCDebug(lcDevice) << "resetVaylaFan------enter";
    SetFanNormal(boxArray[b].handle, b, f, fan.speed);
}

QPoint stallAlertPosition(const QSize &screen, const QSize &alert, bool programHidden)
{
    if (programHidden)
        return QPoint(screen.width() - alert.width() - 20, screen.height() - alert.height() - 50);
    return QPoint((screen.width() - alert.width()) / 2, (screen.height() - alert.height()) / 2);
}
