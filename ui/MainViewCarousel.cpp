// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainView.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"

#include "common/Logging.h"
#include "device/BoxTable.h"
#include "ui/RainbowFan.h"

#include <QDebug>
#include <QEasingCurve>
#include <QPropertyAnimation>

using namespace MainViewRules;

void MainView::buildFanPanels()
{
    for (int k = 0; k < kRainbowFanCount; ++k) {
        RainbowFan *panel = new RainbowFan(this);
        connect(panel, &RainbowFan::sendData, this, &MainView::receiveData);
        connect(panel, &RainbowFan::sendRGBData, this, &MainView::receiveRGBData);
        connect(panel, &RainbowFan::graphsRequested, this,
                [this, panel] { emit graphsRequested(m_currentBox, panel->fanNumber()); });
        connect(panel, &RainbowFan::applyToAllRequested, this, [this, panel] { askApplyToAll(panel); });
        connect(panel, &RainbowFan::curveRequested, this, [this, panel] { openCurveSelector(panel->fanNumber()); });
        // The panel builds its widgets on setFanNumber, so it comes first.
        panel->setFanNumber(k);
        panel->setFanLocation(k);
        panel->setGeometry(carouselRect(k));
        m_fanPanels[k] = panel;

        // The cover fades by its own opacity (see CoverLabel).
        QPropertyAnimation *fade = new QPropertyAnimation(panel->closedCover(), "opacity", this);
        connect(fade, &QPropertyAnimation::stateChanged, this, &MainView::on_animation_stateChanged);
        m_opacityAnimations[k] = fade;
    }
    // The three front panels lie over the two at the back.
    for (int k = 0; k < 3; ++k)
        m_fanPanels[k]->raise();
}

void MainView::receiveData(QStringList data)
{
    const QString command = data.value(0);
    if (command == MessageName::clockwise) {
        turnCarousel(true);
        return;
    }
    if (command == MessageName::counterClockwise) {
        turnCarousel(false);
        return;
    }
    noteEdit(data);
    emit sendData(data);
}

void MainView::turnCarousel(bool clockwise)
{
    // The panel at the back that was pressed comes to the front.
    const int backLocation = clockwise ? 4 : 3;
    int front = -1;
    for (int k = 0; k < kRainbowFanCount; ++k) {
        if (m_fanPanels[k]->fanLocation() == backLocation)
            front = k;
    }
    if (front < 0) {
        qWarning() << "turnCarousel: no panel at location" << backLocation;
        return;
    }
    for (int k : raiseOrder(front, clockwise))
        m_fanPanels[k]->raise();

    for (int k = 0; k < kRainbowFanCount; ++k) {
        RainbowFan *panel = m_fanPanels[k];
        const int from = panel->fanLocation();
        if (from < 0 || from >= kLocationCount) {
            qWarning() << "turnCarousel: panel" << k << "at unknown location" << from;
            continue;
        }
        const int to = nextLocation(from, clockwise);
        if (m_carouselAnimations[k])
            m_carouselAnimations[k]->stop(); // deletes itself when stopped
        QPropertyAnimation *move = new QPropertyAnimation(panel, "geometry", this);
        move->setDuration(700);
        move->setEasingCurve(QEasingCurve::InOutQuart);
        move->setStartValue(carouselRect(from));
        move->setEndValue(carouselRect(to));
        m_carouselAnimations[k] = move;
        panel->setFanLocation(to);
        move->start(QAbstractAnimation::DeleteWhenStopped);
    }
}

bool MainView::coverStaysOpen(int panel) const
{
    return m_fanPanels[panel]->isMonitor() && !m_fanPanels[panel]->isWarningShown();
}

void MainView::runCoverFade()
{
    // An open panel fades in from behind its closed cover after a box or
    // profile change, so the new settings do not simply pop in.
    for (int k = 0; k < kRainbowFanCount; ++k) {
        QWidget *cover = m_fanPanels[k]->closedCover();
        QPropertyAnimation *fade = m_opacityAnimations[k];
        if (!cover)
            continue;
        fade->stop();
        fade->setDuration(300);
        fade->setEasingCurve(QEasingCurve::InOutQuart);
        fade->setStartValue(1.0);
        fade->setEndValue(0.0);
        if (coverStaysOpen(k)) {
            cover->show();
            fade->start();
        }
    }
}

void MainView::on_animation_stateChanged(QAbstractAnimation::State newState, QAbstractAnimation::State oldState)
{
    Q_UNUSED(oldState);
    qCDebug(lcUi) << "newState:" << newState;
    // Only the end of a fade restores the covers; acting on its start would
    // hide the cover before it could fade.
    if (newState != QAbstractAnimation::Stopped)
        return;
    for (int k = 0; k < kRainbowFanCount; ++k) {
        if (m_opacityAnimations[k]->state() == QAbstractAnimation::Running)
            continue;
        QWidget *cover = m_fanPanels[k]->closedCover();
        if (!cover)
            continue;
        cover->setProperty("opacity", 1.0);
        cover->setVisible(!m_fanPanels[k]->isMonitor());
    }
}

void MainView::setMusicCapture(bool capturing)
{
    for (RainbowFan *panel : m_fanPanels)
        panel->setMusicCapture(capturing);
}
