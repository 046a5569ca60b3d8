#include "FanMonitor.h"

#include "BoxModel.h"
#include "common/Logging.h"
#include "Encoders.h"
#include "FanCurve.h"

#include <QDebug>

namespace {

// What each fan was last told, per box slot (fan positions of either kind).
struct CommandedSpeed {
    int duty = kNoCommandedDuty;
    // Zero readings still to forgive after a fan that stood still was told
    // to turn again: it takes a moment to spin up.
    int spinUpReadings = 0;
};

// About three seconds of the once-a-second poll.
constexpr int kSpinUpReadings = 3;

CommandedSpeed g_commanded[kBoxCount][kRainbowFanCount];

void recordDuty(BoxModel &boxes, int box, int fan, int duty)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan) || !boxes[box].gIsConnected)
        return;
    CommandedSpeed &c = g_commanded[box][fan];
    if (c.duty == 0 && duty != 0)
        c.spinUpReadings = kSpinUpReadings;
    else if (duty == 0)
        c.spinUpReadings = 0;
    c.duty = duty;
}

// A zero reading that is no stall: the fan was told to stand still, or was
// just told to turn again after standing still.
bool zeroIsExpected(int box, int fan)
{
    if (isStoppedOnPurpose(box, fan))
        return true;
    CommandedSpeed &c = g_commanded[box][fan];
    if (c.spinUpReadings > 0) {
        --c.spinUpReadings;
        return true;
    }
    return false;
}

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

void updateSpeed(BoxModel &boxes, FanMonitorHost &host, int onlyFan)
{
    for (int b = 0; b < kBoxCount; ++b) {
        const ControllerBox &box = boxes[b];
        if (!box.gIsConnected)
            continue;
        const int fans = box.isVaylaBox() ? kVaylaFanCount : kRainbowFanCount;
        for (int f = 0; f < fans; ++f) {
            if (onlyFan >= 0 && f != onlyFan)
                continue;
            const bool watched = box.isVaylaBox() ? box.vaylaFan[f].isMonitor : box.rainbowFan[f].isMonitor;
            if (!watched)
                continue;
            requestFanSpeed(boxes, b, f, [&boxes, b, &host](int port, int rpm) { onFanSpeed(boxes, b, port, rpm, host); });
        }
    }
}

void onFanSpeed(BoxModel &boxes, int b, int port, int rpm, FanMonitorHost &host)
{
    if (!isValidBox(b) || port < 1 || port > kRainbowFanCount)
        return;
    ControllerBox &box = boxes[b];
    const int k = port - 1;
    const bool running = rpm > 0;
    const bool current = b == boxes.currentBox();
    if (running)
        g_commanded[b][k].spinUpReadings = 0;
    const bool expectedStop = !running && zeroIsExpected(b, k);

    if (box.isVaylaBox() && k < kVaylaFanCount) {
        VaylaFanRecord &fan = box.vaylaFan[k];
        if (running || expectedStop) {
            fan.isAlarmShown = false;
        } else if (fan.isMonitor && !fan.isAlarmShown) {
            fan.isAlarmShown = true;
            qCWarning(lcDevice).nospace() << "stall: fan " << port << " of box " << b << " stopped";
            host.raiseStallAlert(b);
        }
        if (current) {
            host.showFanSpeed(k, rpm);
            host.showFanError(k, rpm <= 0 && fan.isMonitor && !expectedStop);
        }
        host.showBoxAlarm(b, anyVaylaAlarm(box));
        return;
    }

    RainbowFanRecord &fan = box.rainbowFan[k];
    if (running || expectedStop) {
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

void onBoxHealth(int b, BoxHealth health, FanMonitorHost &host)
{
    if (!isValidBox(b))
        return;
    switch (health) {
    case BoxHealth::Answering:
        qCInfo(lcDevice) << "box" << b << "answers again";
        host.showBoxAnswering(b, true);
        break;
    case BoxHealth::NotAnswering:
        qCWarning(lcDevice) << "box" << b << "is not answering: its fans are not watched";
        host.showBoxAnswering(b, false);
        host.raiseBoxSilentAlert(b);
        break;
    case BoxHealth::Gone:
        // Usually unplugged: discovery follows, so no alert of its own.
        qCWarning(lcDevice) << "box" << b << "is gone";
        host.showBoxAnswering(b, false);
        break;
    }
}

void resetFanView(BoxModel &boxes, FanMonitorHost &host)
{
    qCDebug(lcDevice) << "resetFanView()";
    const int b = boxes.currentBox();
    if (!isValidBox(b) || !boxes[b].gIsConnected)
        return;
    const ControllerBox &box = boxes[b];
    for (int f = 0; f < fanCountOf(box); ++f) {
        const bool latched = box.isVaylaBox() ? (box.vaylaFan[f].isMonitor && box.vaylaFan[f].isAlarmShown)
                                              : (box.rainbowFan[f].isMonitor && box.rainbowFan[f].isAlarmShown);
        if (latched && !isStoppedOnPurpose(b, f))
            host.raiseStallAlert(b);
    }
}

void switchPWM(BoxModel &boxes, int fan, bool on)
{
    qCDebug(lcDevice) << "switchPWM";
    const int b = boxes.currentBox();
    if (!isValidBox(b) || !isValidRainbowFan(fan)) {
        qWarning() << "switchPWM refused: box" << b << "fan" << fan;
        return;
    }
    RainbowFanRecord &record = boxes[b].rainbowFan[fan];
    record.isPWM = on;
    if (!on)
        sendFanTargetSpeed(boxes, b, fan, fanSpeedLevelRpm(record.speedNum));
}

bool followsTemperature(const BoxModel &boxes, int b, int f)
{
    if (!isValidBox(b) || f < 0)
        return false;
    const ControllerBox &box = boxes[b];
    if (box.boxType == BoxType::Rainbow && f < kRainbowFanCount)
        return box.rainbowFan[f].isMonitor && box.rainbowFan[f].isPWM;
    if (box.boxType == BoxType::Vayla && f < kVaylaFanCount)
        return box.vaylaFan[f].isMonitor && box.vaylaFan[f].isPWM;
    return false;
}

namespace {

// Every temperature-following fan of box `only` (-1: of every connected box)
// gets the duty `dutyOf(level)` for its level, through the duty command of its
// kind; the duty is recorded as commanded.
template <typename DutyOf>
void sendFollowingDuty(BoxModel &boxes, int only, DutyOf dutyOf)
{
    for (int b = 0; b < kBoxCount; ++b) {
        ControllerBox &box = boxes[b];
        if (!box.gIsConnected || (only >= 0 && b != only))
            continue;
        for (int f = 0; f < fanCountOf(box); ++f) {
            if (!followsTemperature(boxes, b, f))
                continue;
            if (box.isVaylaBox()) {
                const int duty = dutyOf(box.vaylaFan[f].speed);
                SetFanNormalPercent(b, f, duty);
                recordDuty(boxes, b, f, duty);
            } else {
                // Both the curve and the cap are at least 30 %, the duty command's floor.
                const int duty = dutyOf(box.rainbowFan[f].speedPer);
                sendCommand_FanDuty(boxes, b, f, duty);
                recordDuty(boxes, b, f, duty);
            }
        }
    }
}

} // namespace

void applyTemperatureDuty(BoxModel &boxes, int temperature, int only)
{
    sendFollowingDuty(boxes, only, [temperature](int level) { return temperatureDuty(temperature, level); });
}

void applyCapDuty(BoxModel &boxes, int only)
{
    sendFollowingDuty(boxes, only, [](int level) { return temperatureCapDuty(level); });
}

void sendFixedSpeed(BoxModel &boxes, int b, int f)
{
    if (!isValidBox(b) || !isValidRainbowFan(f))
        return;
    const RainbowFanRecord &fan = boxes[b].rainbowFan[f];
    if (fan.isPWM)
        return;
    switch (fan.speedMode) {
    case SpeedMode::Custom:
        sendFanSpeedLevel(boxes, b, f, fan.speedNum);
        break;
    case SpeedMode::Silent:
        sendFanTargetSpeed(boxes, b, f, kSilentRpm);
        qCDebug(lcDevice) << "sendCommand_FanSpeed";
        break;
    case SpeedMode::Performance:
        sendFanTargetSpeed(boxes, b, f, kPerformanceRpm);
        qCDebug(lcDevice) << "sendCommand_FanSpeed";
        break;
    default:
        break;
    }
}

void sendVaylaStartSpeed(BoxModel &boxes, int b, int f)
{
    if (!isValidBox(b) || !isValidVaylaFan(f))
        return;
    const VaylaFanRecord &fan = boxes[b].vaylaFan[f];
    if (fan.isPWM)
        return;
    int level;
    switch (fan.speedMode) {
    case SpeedMode::Custom:
        level = fan.speed;
        break;
    case SpeedMode::Silent:
        level = 0;
        break;
    case SpeedMode::Performance:
        level = 5;
        break;
    default:
        return;
    }
    SetFanNormal(b, f, level);
    recordDuty(boxes, b, f, vaylaLevelDuty(level));
}

void resetVaylaFan(BoxModel &boxes, int b, int f)
{
    if (!isValidBox(b) || !isValidVaylaFan(f))
        return;
    const VaylaFanRecord &fan = boxes[b].vaylaFan[f];
    qCDebug(lcDevice) << "resetVaylaFan:" << fan.isPWM;
    if (fan.isPWM)
        return;
    qCDebug(lcDevice) << "resetVaylaFan------enter";
    SetFanNormal(b, f, fan.speed);
    recordDuty(boxes, b, f, vaylaLevelDuty(fan.speed));
}

void sendFanDuty(BoxModel &boxes, int b, int f, int percent)
{
    sendCommand_FanDuty(boxes, b, f, percent);
    recordDuty(boxes, b, f, flooredFanDuty(percent));
}

void sendFanTargetSpeed(BoxModel &boxes, int b, int f, int rpm)
{
    sendCommand_FanTargetSpeed(boxes, b, f, rpm);
    recordDuty(boxes, b, f, kNoCommandedDuty);
}

void sendFanSpeedLevel(BoxModel &boxes, int b, int f, int level)
{
    sendCommand_FanSpeed(boxes, b, f, level);
    recordDuty(boxes, b, f, kNoCommandedDuty);
}

void sendVaylaSilent(BoxModel &boxes, int b, int f)
{
    if (!isValidBox(b))
        return;
    SetFanSilent(b, f);
    recordDuty(boxes, b, f, 0);
}

void sendVaylaPerformance(BoxModel &boxes, int b, int f)
{
    if (!isValidBox(b))
        return;
    SetFanPerformance(b, f);
    recordDuty(boxes, b, f, kNoCommandedDuty);
}

int commandedDuty(int b, int f)
{
    if (!isValidBox(b) || !isValidRainbowFan(f))
        return kNoCommandedDuty;
    return g_commanded[b][f].duty;
}

bool isStoppedOnPurpose(int b, int f)
{
    return commandedDuty(b, f) == 0;
}

void forgetCommandedDuties(int box)
{
    for (int b = 0; b < kBoxCount; ++b) {
        if (box != -1 && b != box)
            continue;
        for (CommandedSpeed &c : g_commanded[b])
            c = CommandedSpeed();
    }
}

