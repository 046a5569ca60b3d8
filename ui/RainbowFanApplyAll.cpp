// SPDX-License-Identifier: GPL-3.0-or-later
// "To all fans": one fan's look and speed taken over by the other panels of
// the box, each sent as that fan's own messages, so the boxes get what
// setting every fan by hand would have sent them.
#include "ui/RainbowFan.h"

#include "common/Logging.h"
#include "device/BoxTable.h"
#include "lighting/LightModes.h"
#include "ui/FanModeRules.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"

#include <QPushButton>
#include <QSlider>

void RainbowFan::pushApplyToAll()
{
    qCDebug(lcUi) << "apply fan" << m_state.fanNumber << "to all";
    emit applyToAllRequested();
}

RainbowFan::Look RainbowFan::look() const
{
    return Look{m_state, m_sliderPer->value(), m_sliderNum->value()};
}

bool RainbowFan::takeOver(const RainbowFan &from)
{
    return takeOver(from.look());
}

bool RainbowFan::takeOver(const Look &from)
{
    // Everything is read before the first message goes out: the program
    // shows each message's result at once, which redraws this panel.
    const State &s = from.state;
    const int fan = m_state.fanNumber;
    const bool pwmDiffers = m_state.isPWM != s.isPWM;
    const int per = from.speedPer;
    const int num = from.speedNum;
    // A fan already at this speed is sent none, as by hand: the speed
    // messages set a fixed duty, which would take a fan that follows the CPU
    // off the duty it runs at now.
    const bool speedDiffers = pwmDiffers || (s.isPWM ? m_sliderPer->value() != per : m_sliderNum->value() != num);
    // The first fan has no earlier fan to copy: it keeps its own look then.
    const bool lookFits = FanModeRules::normaliseLightMode(s.lightMode, fan) == s.lightMode;

    if (lookFits) {
        QStringList r, g, b, bright;
        for (int i = 0; i < kColorEntries; ++i) {
            r << QString::number(s.ledR[i]);
            g << QString::number(s.ledG[i]);
            b << QString::number(s.ledB[i]);
            bright << QString::number(s.ledBright[i], 'g', 6);
        }
        emit sendRGBData(r, g, b, bright, fan);
        if (s.isTurnOffLed) {
            emit sendData(ViewMessages::fanCommand(MessageName::btnTurnOff, fan));
        } else {
            const int colorMode = FanModeRules::constrainColorMode(s.lightMode, s.copyLightMode, s.colorMode);
            emit sendData(ViewMessages::fanLook(FanModeRules::lightModeMessageTag(s.lightMode), fan, s.lightMode,
                                                s.lightSpeed, colorMode));
        }
    }
    if (pwmDiffers)
        emit sendData(ViewMessages::fanFlag(MessageName::btnPwm, fan, s.isPWM));
    if (!speedDiffers)
        return lookFits;
    if (s.isPWM)
        emit sendData(ViewMessages::fanValue(MessageName::sliderFanSpeedPer, fan, per));
    else
        emit sendData(ViewMessages::fanValue(MessageName::sliderFanSpeedNum, fan, num));
    return lookFits;
}
