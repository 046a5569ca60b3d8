// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader says about the RGB fan editor's controls, the order
// Tab visits them in, and the larger press areas of its small images.
#include "ui/RainbowFan.h"

#include "ui/CoverLabel.h"
#include "ui/HitArea.h"
#include "ui/LedButton.h"
#include "ui/TextFit.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace {

void describe(QWidget *w, const QString &name, const QString &description = QString(), bool tip = false)
{
    w->setAccessibleName(name);
    w->setAccessibleDescription(description);
    if (tip)
        w->setToolTip(description.isEmpty() ? name : description);
}

} // namespace

void RainbowFan::describeControls()
{
    const QString fan = m_btnFanNum->text();
    describe(m_btnFanNum, fan, tr("Opens the panel of a fan that is switched off"));
    describe(m_btnGraphs, tr("Graphs of %1").arg(fan), tr("Temperature, duty and speed over time"), true);
    describe(m_btnMonitor, tr("%1 on or off").arg(fan),
             tr("Switched off, the panel is closed and the fan is not watched for stops"), true);
    for (int i = 0; i < kLedCount; ++i)
        describe(m_btnLed[i], tr("LED %1").arg(i + 1), tr("Selected LEDs take the colour picked on the palette"));

    describe(m_btnPerformance, tr("Performance"), tr("Full fan speed"));
    describe(m_btnSilent, tr("Silent"), tr("Lowest fan speed"));
    describe(m_btnPwm, tr("PWM"), tr("The fan speed follows the CPU temperature, between 50 % and 100 %"));
    describe(m_sliderPer, tr("Fan speed with PWM"), tr("From 50 % to 100 %, while PWM is on"));
    describe(m_sliderNum, tr("Fan speed"), tr("From 0 % to 100 %, while PWM is off"));
    describe(m_sliderLight, tr("LED brightness"));

    describe(m_btnLightModeLeft, tr("Previous light mode"), QString(), true);
    describe(m_btnLightModeRight, tr("Next light mode"), QString(), true);
    describe(m_btnColorModeLeft, tr("Previous color mode"), QString(), true);
    describe(m_btnColorModeRight, tr("Next color mode"), QString(), true);
    describe(m_btnLightSpeedLeft, tr("Slower"), QString(), true);
    describe(m_btnLightSpeedRight, tr("Faster"), QString(), true);
    describe(m_btnDone, TextFit::plain(tr("Done")), tr("Ends the selection of LEDs"), true);
    describe(m_btnDefault, TextFit::plain(tr("Default")), tr("Puts back the default colours"), true);
    describe(m_btnShowColor, TextFit::plain(tr("Color")), tr("Type a colour as red, green and blue"), true);
    describe(m_btnApplyAll, tr("To all fans"),
             tr("Gives every fan of this box this fan's light mode, colours, light speed and fan speed"), true);
    describe(m_btnTurnOff, tr("LEDs off"), tr("Switches the LEDs of this fan off or on again"), true);

    describe(m_editR, tr("Red"), tr("0 to 255"));
    describe(m_editG, tr("Green"), tr("0 to 255"));
    describe(m_editB, tr("Blue"), tr("0 to 255"));
    describe(m_btnColorOK, TextFit::plain(tr("OK")), tr("Gives the selected LEDs this colour"));
    describe(m_btnColorCancel, TextFit::plain(tr("Cancel")), tr("Closes without changing a colour"));
}

void RainbowFan::extendHitAreas()
{
    for (LedButton *led : m_btnLed)
        HitArea::extend(led);
    const QList<QWidget *> small = {m_btnLightModeLeft, m_btnLightModeRight, m_btnColorModeLeft, m_btnColorModeRight,
                                    m_btnLightSpeedLeft, m_btnLightSpeedRight, m_btnMonitor, m_btnTurnOff,
                                    m_sliderPer, m_sliderNum, m_sliderLight, m_btnFanNum};
    for (QWidget *w : small)
        HitArea::extend(w);
}

bool RainbowFan::isColorPopupShown() const
{
    return !m_colorCover->isHidden();
}

QList<QWidget *> RainbowFan::tabStops() const
{
    QList<QWidget *> order;
    if (isColorPopupShown()) {
        order = {m_editR, m_editG, m_editB, m_btnColorOK, m_btnColorCancel};
    } else if (m_state.fanLocation == 3 || m_state.fanLocation == 4) {
        order = {m_btnFanNum};
    } else {
        order = {m_btnFanNum, m_btnMonitor, m_btnPerformance, m_btnSilent, m_btnPwm, m_sliderPer, m_sliderNum,
                 m_btnTurnOff, m_btnLightModeLeft, m_btnLightModeRight, m_btnColorModeLeft, m_btnColorModeRight,
                 m_btnLightSpeedLeft, m_btnLightSpeedRight};
        for (LedButton *led : m_btnLed)
            order << led;
        order << m_btnDone << m_btnDefault << m_btnShowColor << m_btnApplyAll << m_sliderLight;
    }
    QList<QWidget *> stops;
    const bool closed = !m_state.isMonitor;
    for (QWidget *w : order) {
        if (!w->isVisibleTo(window()) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        // A closed panel shows only its title and switch.
        if (closed && w != m_btnFanNum && w != m_btnMonitor)
            continue;
        stops << w;
    }
    return stops;
}

void RainbowFan::askToComeForward()
{
    if (m_state.fanLocation != 3 && m_state.fanLocation != 4)
        return;
    emit sendData(ViewMessages::fanCommand(m_state.fanLocation == 3 ? MessageName::clockwise
                                                                    : MessageName::counterClockwise,
                                           m_state.fanNumber));
}

bool RainbowFan::eventFilter(QObject *watched, QEvent *event)
{
    // Tab reaching the title of a panel at the back brings it to the front,
    // so that its controls can be reached next.
    if (watched == m_btnFanNum && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            askToComeForward();
    }
    return QWidget::eventFilter(watched, event);
}
