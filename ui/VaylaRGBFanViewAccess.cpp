// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader says about the single-colour fan panel's controls,
// the order Tab visits them in, and the larger press areas of its small images.
#include "ui/VaylaRGBFanView.h"

#include "ui/HitArea.h"

#include <QCoreApplication>
#include <QLabel>
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

void VaylaRGBFanView::describeControls()
{
    const QString fan = m_title->text();
    describe(m_monitorSwitch, tr("%1 on or off").arg(fan),
             tr("Switched off, the panel is closed and the fan is not watched for stops"), true);
    describe(m_performance, tr("Performance"), tr("Full fan speed"));
    describe(m_silent, tr("Silent"), tr("Lowest fan speed"));
    describe(m_pwm, tr("PWM"), tr("The fan speed follows the CPU temperature"));
    describe(m_speedSlider, tr("Fan speed"));
    describe(m_rgb, tr("RGB cycle"), tr("The colours cycle through the rainbow"), true);
    describe(m_off, tr("LEDs off"), tr("Switches the LEDs of this fan off or on again"), true);
    describe(m_blink, tr("Blink"), tr("The colour blinks"));
    describe(m_copy, tr("Copy fan 1"), tr("Takes over the lighting of fan 1"), true);
    describe(m_brightSlider, tr("LED brightness"), tr("Brightest at the left"));
    // The same words as on the 12-LED panels, in their translations.
    describe(m_graphs, QCoreApplication::translate("RainbowFan", "Graphs of %1").arg(fan),
             QCoreApplication::translate("RainbowFan", "Temperature, duty and speed over time"), true);
    describe(m_applyAll, tr("To all fans"),
             tr("Gives every fan of this box this fan's colour, lighting, brightness and fan speed"), true);
}

void VaylaRGBFanView::extendHitAreas()
{
    for (QWidget *w : {static_cast<QWidget *>(m_monitorSwitch), static_cast<QWidget *>(m_speedSlider)})
        HitArea::extend(w);
}

QList<QWidget *> VaylaRGBFanView::tabStops() const
{
    const QList<QWidget *> order = {m_monitorSwitch, m_performance, m_silent, m_pwm, m_speedSlider,
                                    m_rgb, m_off, m_blink, m_copy, m_applyAll, m_brightSlider};
    const bool closed = !m_closedCover->isHidden();
    QList<QWidget *> stops;
    for (QWidget *w : order) {
        if (!w->isVisibleTo(window()) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        // A closed panel shows only its switch.
        if (closed && w != m_monitorSwitch)
            continue;
        stops << w;
    }
    return stops;
}
