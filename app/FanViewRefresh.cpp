// SPDX-License-Identifier: GPL-3.0-or-later
#include "FanViewRefresh.h"

#include "device/BoxModel.h"
#include "ui/MainViewInterface.h"

void showRainbowFan(const BoxModel &boxes, MainViewInterface *view, int box, int fan)
{
    if (!view || !isValidBox(box) || !isValidRainbowFan(fan))
        return;
    const RainbowFanRecord &f = boxes[box].rainbowFan[fan];
    view->setRGBByFan(fan, f.rValue_Led, f.gValue_Led, f.bValue_Led, f.brightValue);
    view->setCopyLightModeByFan(fan, f.copyLightMode);
    view->setLightModeByFan(fan, f.lightMode);
    view->setLightSpeedByFan(fan, f.lightSpeed);
    view->setColorModeByFan(fan, f.colorMode);
    view->setPWMByFan(fan, f.isPWM);
    view->setFanSpeedByFan(fan, f.speedPer, f.speedNum);
    view->setTurnOffLedByFan(fan, f.isTurnOffLed);
    view->setMonitorByFan(fan, f.isMonitor);
    view->resetFanView(fan);
}

void showVaylaFan(const BoxModel &boxes, MainViewInterface *view, int box, int fan)
{
    if (!view || !isValidBox(box) || !isValidVaylaFan(fan))
        return;
    const VaylaFanRecord &f = boxes[box].vaylaFan[fan];
    view->setVaylaRGB(fan, f.rValue, f.gValue, f.bValue, f.brightValue);
    view->setVaylaLightMode(fan, f.lightMode);
    view->setVaylaTurnOff(fan, f.isTurnOffLed);
    view->setVaylaBright(fan, f.brightValue);
    view->setVaylaFanSpeed(fan, f.speed);
    view->setVaylaPWM(fan, f.isPWM);
    view->setVaylaMonitor(fan, f.isMonitor);
}

void showBoxFans(const BoxModel &boxes, MainViewInterface *view, int box)
{
    if (!view || !isValidBox(box))
        return;
    view->setBoxType(boxes[box].boxType);
    if (boxes[box].isVaylaBox()) {
        for (int j = 0; j < kVaylaFanCount; ++j)
            showVaylaFan(boxes, view, box, j);
    } else {
        for (int k = 0; k < kRainbowFanCount; ++k)
            showRainbowFan(boxes, view, box, k);
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

FanViewRefresher::FanViewRefresher(const BoxModel &boxes, std::function<MainViewInterface *()> view,
                                   QObject *parent)
    : QObject(parent)
    , m_model(boxes)
    , m_view(std::move(view))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &FanViewRefresher::flush);
}

void FanViewRefresher::requestBox(int box)
{
    if (!isValidBox(box))
        return;
    m_boxes[box] = true;
    m_pending = true;
    if (m_timer.isActive())
        return;
    const qint64 since = m_sinceLast.isValid() ? m_sinceLast.elapsed() : kFrameMs;
    m_timer.start(since >= kFrameMs ? 0 : int(kFrameMs - since));
}

void FanViewRefresher::flush()
{
    m_timer.stop();
    if (!m_pending)
        return;
    m_pending = false;
    const int shown = m_model.currentBox();
    const bool showIt = isValidBox(shown) && m_boxes[shown];
    for (bool &asked : m_boxes)
        asked = false;
    // A box that is no longer shown was drawn afresh when the user chose another.
    if (showIt)
        showBoxFans(m_model, m_view(), shown);
    m_sinceLast.start();
}
