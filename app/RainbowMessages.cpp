#include "common/Logging.h"

// The RGB fan editor's messages.
#include "ViewMessageHandler.h"

#include "AppState.h"
#include "FanViewRefresh.h"
#include "ViewMessages.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanMonitor.h"
#include "lighting/LightModes.h"
#include "storage/IniHelper.h"
#include "ui/MainViewInterface.h"

#include <QDebug>

namespace {

const QStringList kLookCommands = {QStringLiteral("btn_done"), QStringLiteral("btn_music"),
                                   QStringLiteral("btn_copy"), QStringLiteral("btn_turnon"),
                                   QStringLiteral("slider_Light")};

// Light mode and speed make the mode byte and must be checked. A colour mode
// is kept as sent: the encoders read every value but "Single" as per-LED colours.
bool validLook(int lightMode, int lightSpeed, int)
{
    return LightMode::isValid(lightMode) && lightSpeed >= 0 && lightSpeed < LightSpeed::Count;
}

} // namespace

ViewMessageHandler::ViewMessageHandler(AppState &state, BoxModel &boxes, AppHost &host)
    : m_state(state)
    , m_boxes(boxes)
    , m_host(host)
{
}

bool ViewMessageHandler::checkLength(const ViewMessage &m, int items) const
{
    if (m.has(items))
        return true;
    qWarning() << "view message refused: too short:" << m.items();
    return false;
}

bool ViewMessageHandler::checkRainbowFan(int fan, const ViewMessage &m) const
{
    if (isValidRainbowFan(fan))
        return true;
    qWarning() << "view message refused: no fan" << fan << ":" << m.items();
    return false;
}

void ViewMessageHandler::receiveMainData(const QStringList &list)
{
    qCDebug(lcApp) << "USB---dataStr:" << list << ", dataStr.count():" << list.size();
    const ViewMessage m(list);
    if (!isValidBox(m_boxes.currentBox()))
        return;
    if (!handleSettingsCommand(m))
        handleRainbowFanCommand(m);
}

bool ViewMessageHandler::handleRainbowFanCommand(const ViewMessage &m)
{
    const QString name = m.name();
    const int box = m_boxes.currentBox();
    const int f = m.target();
    ControllerBox &record = m_boxes[box];

    // "btn_done" and "btn_copy" of a single-colour box name one of its three fans.
    if (record.isVaylaBox() && (name == QLatin1String("btn_done") || name == QLatin1String("btn_copy"))) {
        if (!isValidVaylaFan(f)) {
            qWarning() << "view message refused: no fan" << f << ":" << m.items();
            return true;
        }
        if (name == QLatin1String("btn_done")) {
            if (!checkLength(m, 3))
                return true;
            qCDebug(lcApp) << "btn_done";
            record.vaylaFan[f].lightMode = m.intAt(2);
            record.vaylaFan[f].isTurnOffLed = false;
        } else {
            qCDebug(lcApp) << "btn_copy";
            copyFirstVaylaFan(m_boxes, box, f);
            const VaylaFanRecord &fan = record.vaylaFan[f];
            if (MainViewInterface *view = m_host.mainView()) {
                view->setVaylaLightMode(f, fan.lightMode);
                view->setVaylaRGB(f, fan.rValue, fan.gValue, fan.bValue, fan.brightValue);
            }
        }
        sendVaylaLighting(m_boxes, box, f);
        return true;
    }

    static const QStringList fanCommands = {
        QStringLiteral("btn_performance"), QStringLiteral("btn_silent"), QStringLiteral("btn_pwm"),
        QStringLiteral("btn_done"), QStringLiteral("btn_music"), QStringLiteral("btn_copy"),
        QStringLiteral("btn_default"), QStringLiteral("btn_turnoff"), QStringLiteral("btn_turnon"),
        QStringLiteral("slider_Light"), QStringLiteral("slider_FanSpeed_Per"),
        QStringLiteral("slider_FanSpeed_Num"), QStringLiteral("pushMonitor"), QStringLiteral("selectFanType")};
    if (!fanCommands.contains(name))
        return false; // not a command of this program
    if (!checkRainbowFan(f, m))
        return true;
    RainbowFanRecord &fan = record.rainbowFan[f];
    LightingTimers &timers = m_host.lightingTimers();
    qCDebug(lcApp) << name;

    if (kLookCommands.contains(name)) {
        if (!checkLength(m, name == QLatin1String("slider_Light") ? 6 : 5))
            return true;
        if (!validLook(m.intAt(2), m.intAt(3), m.intAt(4))) {
            qWarning() << "view message refused: light mode or speed out of range:" << m.items();
            return true;
        }
    }

    if (name == QLatin1String("btn_performance") || name == QLatin1String("btn_silent")) {
        const bool performance = name == QLatin1String("btn_performance");
        fan.speedMode = performance ? SpeedMode::Performance : SpeedMode::Silent;
        if (!fan.isPWM) {
            sendFanDuty(m_boxes, box, f, performance ? 100 : 0);
        } else {
            sendFanTargetSpeed(m_boxes, box, f, performance ? kPerformanceRpm : kSilentRpm);
            qCDebug(lcApp) << "sendCommand_FanSpeed";
        }
    } else if (name == QLatin1String("btn_pwm")) {
        if (checkLength(m, 3))
            switchPWM(m_boxes, f, m.flagAt(2));
    } else if (name == QLatin1String("btn_done")) {
        fan.lightMode = m.intAt(2);
        fan.lightSpeed = m.intAt(3);
        fan.colorMode = m.intAt(4);
        fan.isTurnOffLed = false;
        stopUnusedSoftwareTimers(m_boxes, timers);
        applyFanLight(m_boxes, box, f, timers);
        followers(box, f);
    } else if (name == QLatin1String("btn_music")) {
        fan.lightMode = m.intAt(2);
        fan.lightSpeed = m.intAt(3);
        fan.colorMode = m.intAt(4);
        timers.startMusicTimers();
        if (f == 0) {
            for (int k = 1; k < kRainbowFanCount; ++k) {
                if (record.rainbowFan[k].lightMode != LightMode::Copy)
                    continue;
                copyFirstFanLook(m_boxes, box, k);
                sendLightModeCommand(m_boxes, box, k, record.rainbowFan[k].copyLightMode);
            }
        }
    } else if (name == QLatin1String("btn_copy")) {
        fan.lightMode = m.intAt(2);
        fan.lightSpeed = m.intAt(3);
        fan.colorMode = m.intAt(4);
        qCDebug(lcApp) << "btn_copy__boxArray[nowFan].rainbowFan[fanNum].lightMode:" << fan.lightMode;
        followFirstFan(box, f);
        if (!anyFanInMusicMode(m_boxes))
            timers.stopMusicTimers();
    } else if (name == QLatin1String("btn_default")) {
        if (!checkLength(m, 5))
            return true;
        if (!validLook(m.intAt(2), m.intAt(4), m.intAt(3))) {
            qWarning() << "view message refused: light mode or speed out of range:" << m.items();
            return true;
        }
        fan.lightMode = m.intAt(2);
        fan.colorMode = m.intAt(3);
        fan.lightSpeed = m.intAt(4);
        fan.isTurnOffLed = false;
        for (int i = 0; i < kColorEntries; ++i) {
            const DefaultColour c = defaultEntryColour(i);
            fan.rValue_Led[i] = c.r;
            fan.gValue_Led[i] = c.g;
            fan.bValue_Led[i] = c.b;
            fan.brightValue[i] = 1.0f;
        }
        sendCommand_Default(m_boxes, box, f, m_boxes.currentBox());
        followers(box, f);
    } else if (name == QLatin1String("btn_turnoff")) {
        sendCommand_turnoff(m_boxes, box, f);
        fan.isTurnOffLed = true;
        followers(box, f);
    } else if (name == QLatin1String("btn_turnon")) {
        fan.isTurnOffLed = false;
        fan.lightMode = m.intAt(2);
        fan.lightSpeed = m.intAt(3);
        fan.colorMode = m.intAt(4);
        // Every light mode keeps its usual meaning here: Copy plays fan 0's
        // mode, the software modes get their timers.
        if (fan.lightMode == LightMode::Copy)
            copyColor(m_boxes, box, f);
        else if (LightMode::isMusic(fan.lightMode))
            timers.startMusicTimers();
        else
            applyFanLight(m_boxes, box, f, timers);
        followers(box, f);
    } else if (name == QLatin1String("slider_Light")) {
        const QStringList values = m.textAt(5).split(QLatin1Char(','));
        if (values.size() < kColorEntries) {
            qWarning() << "view message refused: 13 brightness values needed:" << m.items();
            return true;
        }
        fan.lightMode = m.intAt(2);
        fan.lightSpeed = m.intAt(3);
        fan.colorMode = m.intAt(4);
        fan.isTurnOffLed = false;
        for (int i = 0; i < kColorEntries; ++i)
            fan.brightValue[i] = clampBrightness(values.at(i).toFloat());
        if (!anyFanInMusicMode(m_boxes))
            timers.stopMusicTimers();
        applyFanLight(m_boxes, box, f, timers);
        followers(box, f);
    } else if (name == QLatin1String("slider_FanSpeed_Per")) {
        if (!checkLength(m, 3))
            return true;
        const int step = m.intAt(2);
        if (step < 0 || step > kMaxSpeedStep) {
            qWarning() << "view message refused: speed step out of range:" << m.items();
            return true;
        }
        fan.speedPer = step;
        fan.speedMode = step == 0 ? SpeedMode::Silent : (step == 5 ? SpeedMode::Performance : SpeedMode::Custom);
        sendFanDuty(m_boxes, box, f, 10 * step);
    } else if (name == QLatin1String("slider_FanSpeed_Num")) {
        if (!checkLength(m, 3))
            return true;
        const int step = m.intAt(2);
        if (step < 0 || step > 10) {
            qWarning() << "view message refused: speed step out of range:" << m.items();
            return true;
        }
        fan.isPWM = false;
        fan.speedNum = step;
        sendFanSpeedLevel(m_boxes, box, f, step);
    } else if (name == QLatin1String("pushMonitor")) {
        if (!checkLength(m, 3))
            return true;
        fan.isMonitor = m.flagAt(2);
        qCDebug(lcApp) << "isOpenControlFan:" << fan.isMonitor;
        writeDeviceProfile();
    } else if (name == QLatin1String("selectFanType")) {
        if (!checkLength(m, 3))
            return true;
        fan.fanType = m.intAt(2);
        qCDebug(lcApp) << "selectFanType:" << fan.fanType;
    }
    return true;
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
    if (box == m_boxes.currentBox())
        showRainbowFan(m_boxes, m_host.mainView(), box, fan);
    applyFanLight(m_boxes, box, fan, m_host.lightingTimers());
}

void ViewMessageHandler::receiveRGBData(const QStringList &red, const QStringList &green,
                                        const QStringList &blue, const QStringList &bright, int fan)
{
    qCDebug(lcApp) << "receiveRGBData:" << red;
    if (!isValidBox(m_boxes.currentBox()) || !isValidRainbowFan(fan)) {
        qWarning() << "receiveRGBData refused: fan" << fan;
        return;
    }
    if (red.size() < kColorEntries || green.size() < kColorEntries || blue.size() < kColorEntries
        || bright.size() < kColorEntries) {
        qWarning() << "receiveRGBData refused: 13 entries needed in every list";
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
}

bool ViewMessageHandler::writeDeviceProfile()
{
    return IniHelper::writeDeviceProfile(m_state.settings, m_boxes.records());
}
