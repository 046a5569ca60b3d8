// SPDX-License-Identifier: GPL-3.0-or-later
// "To all fans" on a single-colour panel: the others take this fan's look
// and speed through their own messages, as setting each by hand would.
#include "ui/VaylaRGBFanView.h"

#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"

#include <QSlider>

VaylaRGBFanView::Look VaylaRGBFanView::look() const
{
    Look l;
    l.r = m_selectR;
    l.g = m_selectG;
    l.b = m_selectB;
    l.bright = m_brightValue;
    l.lightMode = m_lightMode;
    l.off = isTurnedOff();
    l.pwm = isPWM();
    l.speed = m_speedSlider->value();
    return l;
}

void VaylaRGBFanView::takeOver(const Look &from)
{
    // Read before the first message: the program redraws this panel after each.
    const int fan = m_fanNumber;
    const bool pwmDiffers = isPWM() != from.pwm;
    if (from.off) {
        emit sendData(ViewMessages::fanFlag(MessageName::btnTurnOff, fan, true));
    } else {
        // A colour and its lighting, as a palette click sends them.
        emit sendRGBData(from.r, from.g, from.b, from.bright, fan);
        emit sendData(ViewMessages::fanText(MessageName::btnDone, fan, QString::number(from.lightMode)));
    }
    if (pwmDiffers)
        emit sendData(ViewMessages::fanFlag(MessageName::btnPwm, fan, from.pwm));
    emit sendData(ViewMessages::fanValue(MessageName::changeSliderFanSpeed, fan, from.speed));
}
