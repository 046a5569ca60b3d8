#include "common/Logging.h"

// The second fan view's messages.
#include "ViewMessageHandler.h"

#include "AppState.h"
#include "ViewMessages.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanMonitor.h"
#include "lighting/LightModes.h"
#include "ui/MainViewInterface.h"

#include <QDebug>

void ViewMessageHandler::receiveVaylaMainData(const QStringList &list)
{
    qCDebug(lcApp) << "receiveVaylaMainData:" << list;
    const ViewMessage m(list);
    const QString name = m.name();
    const int box = m_boxes.currentBox();
    const int f = m.target();
    static const QStringList known = {
        QStringLiteral("btn_performance"), QStringLiteral("btn_silent"), QStringLiteral("btn_pwm"),
        QStringLiteral("btn_done"), QStringLiteral("btn_copy"), QStringLiteral("btn_turnoff"),
        QStringLiteral("btn_turnon"), QStringLiteral("changeSliderLight"),
        QStringLiteral("changeSliderFanSpeed"), QStringLiteral("pushMonitor"), QStringLiteral("btn_music"),
        QStringLiteral("btn_default"), QStringLiteral("slider_FanSpeed_Num")};
    if (!known.contains(name) || !isValidBox(box))
        return;
    if (!isValidVaylaFan(f)) {
        qWarning() << "view message refused: no fan" << f << ":" << list;
        return;
    }
    ControllerBox &record = m_boxes[box];
    VaylaFanRecord &fan = record.vaylaFan[f];
    MainViewInterface *view = m_host.mainView();

    if (name == QLatin1String("btn_performance")) {
        fan.speedMode = SpeedMode::Performance;
        fan.speed = 5;
        if (!fan.isPWM)
            sendVaylaPerformance(m_boxes, box, f);
    } else if (name == QLatin1String("btn_silent")) {
        fan.speedMode = SpeedMode::Silent;
        fan.speed = 0;
        if (!fan.isPWM)
            sendVaylaSilent(m_boxes, box, f);
    } else if (name == QLatin1String("btn_pwm")) {
        if (checkLength(m, 3))
            fan.isPWM = m.flagAt(2);
    } else if (name == QLatin1String("btn_done")) {
        if (!checkLength(m, 3))
            return;
        const int mode = m.intAt(2);
        if (mode < 0 || mode >= VaylaLightMode::Count) {
            qWarning() << "view message refused: light mode out of range:" << list;
            return;
        }
        fan.lightMode = mode;
        fan.isTurnOffLed = false;
        sendVaylaLighting(m_boxes, box, f);
    } else if (name == QLatin1String("btn_copy")) {
        copyFirstVaylaFan(m_boxes, box, f);
        if (view) {
            view->setVaylaLightMode(f, fan.lightMode);
            view->setVaylaRGB(f, fan.rValue, fan.gValue, fan.bValue, fan.brightValue);
            view->setVaylaTurnOff(f, fan.isTurnOffLed);
        }
        sendVaylaLighting(m_boxes, box, f);
    } else if (name == QLatin1String("btn_turnoff") || name == QLatin1String("btn_turnon")) {
        if (!checkLength(m, 3))
            return;
        fan.isTurnOffLed = m.flagAt(2);
        if (name == QLatin1String("btn_turnon") && view)
            view->setVaylaTurnOff(f, fan.isTurnOffLed);
        sendVaylaLighting(m_boxes, box, f);
    } else if (name == QLatin1String("changeSliderLight")) {
        if (!checkLength(m, 3))
            return;
        fan.brightValue = clampBrightness(m.floatAt(2));
        sendVaylaLighting(m_boxes, box, f);
    } else if (name == QLatin1String("changeSliderFanSpeed")) {
        if (!checkLength(m, 3))
            return;
        const int step = m.intAt(2);
        if (step < 0 || step > kMaxSpeedStep) {
            qWarning() << "view message refused: speed step out of range:" << list;
            return;
        }
        fan.speed = step;
        fan.speedMode = step == 0 ? SpeedMode::Silent : (step == 5 ? SpeedMode::Performance : SpeedMode::Custom);
        resetVaylaFan(m_boxes, box, f);
    } else if (name == QLatin1String("pushMonitor")) {
        if (!checkLength(m, 3))
            return;
        fan.isMonitor = m.flagAt(2);
        qCDebug(lcApp) << "isOpenControlFan:" << fan.isMonitor;
        writeDeviceProfile();
    } else {
        qCDebug(lcApp) << name; // accepted, nothing to do
    }
}

void ViewMessageHandler::receiveVaylaRGBData(int r, int g, int b, float bright, int fan)
{
    qCDebug(lcApp) << "receiveVaylaRGBData:" << r;
    if (!isValidBox(m_boxes.currentBox()) || !isValidVaylaFan(fan)) {
        qWarning() << "receiveVaylaRGBData refused: fan" << fan;
        return;
    }
    if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255) {
        qWarning() << "receiveVaylaRGBData refused: colour" << r << g << b;
        return;
    }
    VaylaFanRecord &f = m_boxes[m_boxes.currentBox()].vaylaFan[fan];
    f.rValue = r;
    f.gValue = g;
    f.bValue = b;
    f.brightValue = clampBrightness(bright);
}
