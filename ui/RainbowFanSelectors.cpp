// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Logging.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"

// The mode selectors, turn-off, the monitor switch and the fan-speed controls
// of the RGB fan editor, the setters the main view fills it with, and the
// re-rendering of the whole panel.
#include "ui/RainbowFan.h"
#include "ui/StyleSwap.h"

#include "device/BoxTable.h"
#include "ui/CoverLabel.h"
#include "ui/FanModeRules.h"
#include "ui/LedStyle.h"

#include <QDebug>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

namespace {

const QRect kTitleOpen(60, 14, 200, 20);
const QRect kTitleClosed(60, 196, 200, 20);

// A control the table does not switch off is enabled, so the panel's state
// depends on the light mode alone, never on the way it was reached.
void applyEnable(QWidget *w, FanModeRules::Enable e)
{
    w->setEnabled(e != FanModeRules::Enable::Off);
}

} // namespace

// ---- names and label colours -------------------------------------------

void RainbowFan::showNames()
{
    m_lblLightModeName->setText(s_lightModeString.value(m_state.lightMode));
    m_lblColorModeName->setText(s_colorModeString.value(m_state.colorMode));
    m_lblLightSpeedName->setText(s_lightSpeedString.value(m_state.lightSpeed));
    applyNameFonts();
}

void RainbowFan::refreshColorMode()
{
    if (m_state.lightMode == LightMode::Copy)
        qCDebug(lcUi) << "refreshColorMode---------COPY----copyLightMode:" << m_state.copyLightMode;
    m_state.colorMode = FanModeRules::constrainColorMode(m_state.lightMode, m_state.copyLightMode, m_state.colorMode);
    showNames();
    const bool copyOrMusic = m_state.lightMode >= LightMode::Copy && m_state.lightMode <= LightMode::Music_3;
    const bool music = LightMode::isComputerMusic(m_state.lightMode);
    if (m_state.colorMode == ColorMode::Single && !copyOrMusic)
        selectAllLeds();
    if ((m_state.colorMode == ColorMode::RGB || m_state.colorMode == ColorMode::Off) && !music)
        deselectAllLeds();
    restyleAllLeds();
}

void RainbowFan::refreshSpeedSelector()
{
    const bool speedOn = FanModeRules::speedArrowsFollowMode(m_state.lightMode);
    m_btnLightSpeedLeft->setEnabled(speedOn);
    m_btnLightSpeedRight->setEnabled(speedOn);
    m_lblLightSpeedName->setEnabled(speedOn);
    applyNameFonts();
}

void RainbowFan::applyEnableTable()
{
    const FanModeRules::ControlEnables e = FanModeRules::controlEnables(m_state.lightMode);
    for (QWidget *w : {static_cast<QWidget *>(m_btnColorModeLeft), static_cast<QWidget *>(m_btnColorModeRight)})
        applyEnable(w, e.colorArrows);
    for (QWidget *w : {static_cast<QWidget *>(m_btnLightSpeedLeft), static_cast<QWidget *>(m_btnLightSpeedRight)})
        applyEnable(w, e.speedArrows);
    for (QWidget *w : {m_btnDone, m_btnDefault, m_btnShowColor})
        applyEnable(w, e.editButtons);
    applyEnable(m_btnTurnOff, e.turnOff);
    applyEnable(m_sliderLight, e.brightness);
    // Arrows that could change nothing are not offered at all.
    const bool colorArrowsWork = FanModeRules::colorModeApplies(m_state.lightMode);
    m_btnColorModeLeft->setVisible(colorArrowsWork);
    m_btnColorModeRight->setVisible(colorArrowsWork);
}

void RainbowFan::clearTurnOff()
{
    setTurnOffLed(false);
}

// ---- light mode -----------------------------------------------------------

void RainbowFan::afterLightModeChange(bool userChange)
{
    showNames();
    updateMusicNotice();
    // A new light mode starts from RGB, but a single colour stays single
    // where the new mode allows it (the chosen colour is not thrown away);
    // a stored one keeps the colour mode it was saved with.
    if (userChange)
        m_state.colorMode = m_state.colorMode == ColorMode::Single ? ColorMode::Single : ColorMode::RGB;
    refreshColorMode();
    refreshSpeedSelector();
    if (userChange)
        clearTurnOff();
    applyEnableTable();
    if (!userChange)
        return;
    const QString tag = FanModeRules::lightModeMessageTag(m_state.lightMode);
    if (m_state.lightMode == LightMode::Copy)
        qCDebug(lcUi) << "lightMode == 7-----btn_copy";
    emit sendData(modeMessage(tag));
}

void RainbowFan::lightModeRight()
{
    m_state.lightMode = FanModeRules::lightModeRight(m_state.lightMode, m_state.fanNumber);
    afterLightModeChange(true);
}

void RainbowFan::lightModeLeft()
{
    m_state.lightMode = FanModeRules::lightModeLeft(m_state.lightMode, m_state.fanNumber);
    afterLightModeChange(true);
}

void RainbowFan::applyLightModeValue(int lightMode)
{
    if (!LightMode::isValid(lightMode)) {
        qWarning() << "applyLightModeValue: refused" << lightMode;
        return;
    }
    m_state.lightMode = FanModeRules::normaliseLightMode(lightMode, m_state.fanNumber);
    afterLightModeChange(true);
}

void RainbowFan::setLightMode(int lightMode)
{
    if (!LightMode::isValid(lightMode)) {
        qWarning() << "setLightMode: refused" << lightMode;
        return;
    }
    m_state.lightMode = lightMode;
    afterLightModeChange(false);
}

void RainbowFan::setCopyLightMode(int lightMode)
{
    if (!LightMode::isValid(lightMode)) {
        qWarning() << "setCopyLightMode: refused" << lightMode;
        return;
    }
    m_state.copyLightMode = lightMode;
}

// ---- colour mode ------------------------------------------------------------

void RainbowFan::afterColorModeChange()
{
    showNames();
    qCDebug(lcUi) << ", s_colorModeString[colorMode]:" << s_colorModeString.value(m_state.colorMode);
    if (m_state.colorMode == ColorMode::Single)
        selectAllLeds();
    else
        deselectAllLeds();
    restyleAllLeds();
    styleBrightnessSlider(shownColor(0));
    refreshSpeedSelector();
    clearTurnOff();
    const QStringList message = modeMessage(MessageName::btnDone);
    for (int i = 0; i < message.size(); ++i)
        qCDebug(lcUi).nospace() << "sendDataString[" << i << "]:" << message.at(i);
    if (m_state.lightMode != LightMode::Copy)
        emit sendData(message);
}

void RainbowFan::colorModeRight()
{
    m_state.colorMode = FanModeRules::stepColorMode(m_state.lightMode, m_state.copyLightMode, m_state.colorMode, +1);
    afterColorModeChange();
}

void RainbowFan::colorModeLeft()
{
    m_state.colorMode = FanModeRules::stepColorMode(m_state.lightMode, m_state.copyLightMode, m_state.colorMode, -1);
    afterColorModeChange();
}

void RainbowFan::applyColorModeValue(int colorMode)
{
    if (colorMode < 0 || colorMode >= ColorMode::Count) {
        qWarning() << "applyColorModeValue: refused" << colorMode;
        return;
    }
    m_state.colorMode = FanModeRules::constrainColorMode(m_state.lightMode, m_state.copyLightMode, colorMode);
    afterColorModeChange();
}

void RainbowFan::setColorMode(int colorMode)
{
    if (colorMode < 0 || colorMode >= ColorMode::Count) {
        qWarning() << "setColorMode: refused" << colorMode;
        return;
    }
    m_state.colorMode = colorMode;
    qCDebug(lcUi) << "setColorMode--colorMode:" << colorMode;
    refreshColorMode();
    styleBrightnessSlider(shownColor(0));
}

// ---- light speed ------------------------------------------------------------

void RainbowFan::afterLightSpeedChange()
{
    showNames();
    refreshSpeedSelector();
    clearTurnOff();
    if (m_state.lightMode != LightMode::Copy)
        emit sendData(modeMessage(MessageName::btnDone));
}

void RainbowFan::lightSpeedLeft()
{
    m_state.lightSpeed = FanModeRules::lightSpeedLeft(m_state.lightSpeed);
    afterLightSpeedChange();
}

void RainbowFan::lightSpeedRight()
{
    m_state.lightSpeed = FanModeRules::lightSpeedRight(m_state.lightSpeed);
    afterLightSpeedChange();
}

void RainbowFan::applyLightSpeedValue(int lightSpeed)
{
    if (lightSpeed < 0 || lightSpeed >= LightSpeed::Count) {
        qWarning() << "applyLightSpeedValue: refused" << lightSpeed;
        return;
    }
    m_state.lightSpeed = lightSpeed;
    afterLightSpeedChange();
}

void RainbowFan::setLightSpeed(int lightSpeed)
{
    if (lightSpeed < 0 || lightSpeed >= LightSpeed::Count) {
        qWarning() << "setLightSpeed: refused" << lightSpeed;
        return;
    }
    qCDebug(lcUi) << "setLightSpeed-lightSpeed:" << s_lightSpeedString.value(lightSpeed);
    qCDebug(lcUi) << "setLightSpeed-lightSpeedInt:" << lightSpeed;
    m_state.lightSpeed = lightSpeed;
    refreshSpeedSelector();
    showNames();
}

// ---- turn-off -----------------------------------------------------------------

void RainbowFan::pushTurnOff()
{
    if (m_state.lightMode >= LightMode::Copy) {
        // The software effects and Copy own the LEDs; keep the button honest.
        m_btnTurnOff->setChecked(m_state.isTurnOffLed);
        return;
    }
    qCDebug(lcUi) << "pushisTurnOffLed:" << m_state.isTurnOffLed;
    m_state.isTurnOffLed = !m_state.isTurnOffLed;
    const QString tag = m_state.isTurnOffLed ? MessageName::btnTurnOff : MessageName::btnTurnOn;
    m_btnTurnOff->setChecked(m_state.isTurnOffLed);
    restyleAllLeds();
    qCDebug(lcUi) << "isTurnOffLed:" << m_state.isTurnOffLed;
    qCDebug(lcUi) << "btn_sendCommand_Off->lightMode:" << m_state.lightMode;
    emit sendData(modeMessage(tag));
}

void RainbowFan::setTurnOffLed(bool off)
{
    const bool changed = m_state.isTurnOffLed != off;
    m_state.isTurnOffLed = off;
    m_btnTurnOff->setChecked(off);
    if (changed)
        restyleAllLeds();
}

// ---- monitor switch -------------------------------------------------------------

void RainbowFan::moveTitle(bool open, bool animate)
{
    swapStyle(m_btnMonitor, QStringLiteral("QPushButton{border-image: url(")
                              + imagePath(open ? QStringLiteral("btn_openFan.png") : QStringLiteral("btn_closeFan.png"))
                              + QStringLiteral(");}"));
    const QRect target = open ? kTitleOpen : kTitleClosed;
    if (!animate) {
        m_titleAnimation->stop();
        m_btnFanNum->setGeometry(target);
        return;
    }
    m_titleAnimation->stop();
    m_titleAnimation->setStartValue(open ? kTitleClosed : kTitleOpen);
    m_titleAnimation->setEndValue(target);
    m_titleAnimation->start();
}

void RainbowFan::pushMonitor()
{
    qCDebug(lcUi) << "pushMonitor";
    // At the back the title only brings its panel to the front.
    if (m_state.fanLocation == 3 || m_state.fanLocation == 4) {
        askToComeForward();
        return;
    }
    const bool fromTitle = sender() && sender()->objectName() == QLatin1String("btn_fanNum");
    bool open;
    if (fromTitle) {
        // The title opens a closed panel; it never closes one, nor opens over a warning.
        if (m_state.isMonitor || isWarningShown())
            return;
        open = true;
    } else {
        open = !m_state.isMonitor;
    }
    m_state.isMonitor = open;
    const QStringList message = ViewMessages::fanFlag(MessageName::pushMonitor, m_state.fanNumber, open);
    if (open) {
        emit sendData(message);
        moveTitle(true, true);
    } else {
        m_warningLabel->hide();
        moveTitle(false, true);
        emit sendData(message);
    }
}

void RainbowFan::showCoverAsStopped()
{
    m_closedCoverLabel->setVisible(!m_state.isMonitor);
}

void RainbowFan::on_animation_stateChanged(QAbstractAnimation::State newState, QAbstractAnimation::State oldState)
{
    Q_UNUSED(oldState)
    if (newState == QAbstractAnimation::Running)
        m_closedCoverLabel->show();
    else if (newState == QAbstractAnimation::Stopped)
        showCoverAsStopped();
}

void RainbowFan::setMonitor(bool on)
{
    m_state.isMonitor = on;
    moveTitle(on, false);
    showCoverAsStopped();
}

void RainbowFan::setFanState(bool stalled)
{
    // Only a watched fan is said to stand still; a closed panel keeps its cover.
    m_closedCoverLabel->setVisible(!m_state.isMonitor);
    m_warningLabel->setVisible(stalled && m_state.isMonitor);
    if (!m_warningLabel->isHidden())
        m_warningLabel->raise();
}

void RainbowFan::pressCover(const QPoint &at)
{
    // The big switch drawn on the closed cover opens the fan, as the title does.
    const QPoint centre(width() / 2, 310);
    const QPoint d = at - centre;
    if (m_state.fanLocation == 3 || m_state.fanLocation == 4) {
        emit sendData(ViewMessages::fanCommand(m_state.fanLocation == 3 ? MessageName::clockwise : MessageName::counterClockwise,
                                               m_state.fanNumber));
        return;
    }
    if (d.x() * d.x() + d.y() * d.y() > 60 * 60 || m_state.isMonitor)
        return;
    m_btnFanNum->click();
}

// ---- fan speed ----------------------------------------------------------------------

void RainbowFan::styleSpeedSliders()
{
    m_sliderPer->setEnabled(m_state.isPWM);
    m_sliderNum->setEnabled(!m_state.isPWM);
    swapStyle(m_sliderPer, LedStyle::fanSpeedSliderStyle(m_state.isPWM, imagePath(QString())));
    swapStyle(m_sliderNum, LedStyle::fanSpeedSliderStyle(!m_state.isPWM, imagePath(QString())));
}

void RainbowFan::styleSpeedPresets()
{
    const QString font = QStringLiteral("font-size:") + QString::number(m_presetFontPx)
        + QStringLiteral("px; font-weight:bold; ");
    swapStyle(m_btnPerformance, 
        QStringLiteral("QPushButton{") + font
        + (m_state.isPerformance ? QStringLiteral("color:white; border-image: url(") + imagePath(QStringLiteral("btn_performance_h.png"))
                           : QStringLiteral("color:#E3017F; border-image: url(") + imagePath(QStringLiteral("btn_performance.png")))
        + QStringLiteral(");}"));
    swapStyle(m_btnSilent, 
        QStringLiteral("QPushButton{") + font
        + (m_state.isSilent ? QStringLiteral("color:white; border-image: url(") + imagePath(QStringLiteral("btn_silent_h.png"))
                      : QStringLiteral("color:#ACCD04; border-image: url(") + imagePath(QStringLiteral("btn_silent.png")))
        + QStringLiteral(");}"));
}

void RainbowFan::showSpeedSummary()
{
    if (m_state.isPWM)
        showSummaryText(pwmSummary(m_sliderPer->value()));
    else
        showSummaryText(FanModeRules::rpmSpeedSummary(m_sliderNum->value(), tr("Silent"), tr("Performance")));
}

// What a PWM fan does, not only where its slider stands: it follows the CPU
// up to its cap ("Performance 100 %" read as full speed while it turned slowly).
QString RainbowFan::pwmSummary(int step) const
{
    const FanModeRules::PwmSpeed speed = FanModeRules::pwmSpeed(step, m_cpuKnown, m_cpuCelsius);
    const QString cap = tr("Cap %1 %").arg(speed.cap);
    if (!m_cpuKnown)
        return tr("No CPU temp.") + QStringLiteral("\n") + cap;
    return tr("By CPU: %1 %").arg(speed.now) + QStringLiteral("\n") + cap;
}

void RainbowFan::setCpuTemperature(bool known, int celsius)
{
    if (known == m_cpuKnown && celsius == m_cpuCelsius)
        return;
    m_cpuKnown = known;
    m_cpuCelsius = celsius;
    if (m_state.isPWM)
        showSpeedSummary();
}

QString RainbowFan::speedSummaryText() const
{
    return m_lblSpeedSummary->text();
}

void RainbowFan::showSummaryText(const QString &text)
{
    if (m_lblSpeedSummary->text() == text)
        return;
    m_lblSpeedSummary->setText(text);
    fitSpeedSummary();
}

void RainbowFan::applySpeedStepQuietly(int step)
{
    QSlider *active = m_state.isPWM ? m_sliderPer : m_sliderNum;
    const QSignalBlocker block(active);
    active->setValue(step);
    m_state.fanSpeed = active->value();
    m_state.speedMode = FanModeRules::speedModeForStep(m_state.fanSpeed, active->maximum());
    m_state.isPerformance = m_state.speedMode == SpeedMode::Performance;
    m_state.isSilent = m_state.speedMode == SpeedMode::Silent;
    styleSpeedPresets();
    showSpeedSummary();
}

void RainbowFan::changeSliderFanSpeedPer(int value)
{
    m_state.speedMode = FanModeRules::speedModeForStep(value, m_sliderPer->maximum());
    m_state.isSilent = m_state.speedMode == SpeedMode::Silent;
    m_state.isPerformance = m_state.speedMode == SpeedMode::Performance;
    if (m_state.isPWM)
        showSummaryText(pwmSummary(value));
    m_state.fanSpeed = value;
    styleSpeedPresets();
    emit sendData(ViewMessages::fanValue(MessageName::sliderFanSpeedPer, m_state.fanNumber, value));
}

void RainbowFan::changeSliderFanSpeedNum(int value)
{
    m_state.speedMode = FanModeRules::speedModeForStep(value, m_sliderNum->maximum());
    m_state.isSilent = m_state.speedMode == SpeedMode::Silent;
    m_state.isPerformance = m_state.speedMode == SpeedMode::Performance;
    showSummaryText(FanModeRules::rpmSpeedSummary(value, tr("Silent"), tr("Performance")));
    m_state.fanSpeed = value;
    styleSpeedPresets();
    emit sendData(ViewMessages::fanValue(MessageName::sliderFanSpeedNum, m_state.fanNumber, value));
}

void RainbowFan::pushPWM()
{
    qCDebug(lcUi) << "pushPWM";
    const bool on = m_btnPwm->isChecked();
    const QStringList message = ViewMessages::fanFlag(MessageName::btnPwm, m_state.fanNumber, on);
    setPWM(on);
    emit sendData(message);
}

void RainbowFan::setPWM(bool on)
{
    m_state.isPWM = on;
    m_btnPwm->setChecked(on);
    styleSpeedSliders();
    applySpeedStepQuietly((on ? m_sliderPer : m_sliderNum)->value());
}

void RainbowFan::pushPerformance()
{
    qCDebug(lcUi) << "pushPerformance";
    if (m_state.isPerformance)
        return;
    m_state.isPerformance = true;
    m_state.speedMode = SpeedMode::Performance;
    m_state.fanSpeed = 5;
    QSlider *active = m_state.isPWM ? m_sliderPer : m_sliderNum;
    active->setValue(active->maximum());
    emit sendData(ViewMessages::fanCommand(MessageName::btnPerformance, m_state.fanNumber));
    m_state.isSilent = false;
    styleSpeedPresets();
}

void RainbowFan::pushSilent()
{
    qCDebug(lcUi) << "pushSilent";
    if (m_state.isSilent)
        return;
    m_state.isSilent = true;
    m_state.speedMode = SpeedMode::Silent;
    m_state.fanSpeed = 0;
    QSlider *active = m_state.isPWM ? m_sliderPer : m_sliderNum;
    active->setValue(0);
    emit sendData(ViewMessages::fanCommand(MessageName::btnSilent, m_state.fanNumber));
    m_state.isPerformance = false;
    styleSpeedPresets();
}

void RainbowFan::setFanSpeedSliders(int speedPer, int speedNum)
{
    if (speedPer < 0 || speedPer > kMaxSpeedStep || speedNum < 0 || speedNum > kMaxSpeedLevel) {
        qWarning() << "setFanSpeedSliders: refused" << speedPer << speedNum;
        return;
    }
    {
        const QSignalBlocker blockPer(m_sliderPer);
        const QSignalBlocker blockNum(m_sliderNum);
        m_sliderPer->setValue(speedPer);
        m_sliderNum->setValue(speedNum);
    }
    applySpeedStepQuietly(m_state.isPWM ? speedPer : speedNum);
}

// ---- whole-panel rendering -------------------------------------------------------------

bool RainbowFan::showRecord(const RainbowFanRecord &r, bool everything)
{
    bool coloursDiffer = false;
    for (int i = 0; i < kColorEntries; ++i) {
        if (m_state.ledR[i] != r.rValue_Led[i] || m_state.ledG[i] != r.gValue_Led[i]
            || m_state.ledB[i] != r.bValue_Led[i] || m_state.ledBright[i] != r.brightValue[i])
            coloursDiffer = true;
    }
    const bool othersDiffer = m_state.copyLightMode != r.copyLightMode || m_state.lightMode != r.lightMode
        || m_state.lightSpeed != r.lightSpeed
        || m_state.colorMode != FanModeRules::constrainColorMode(r.lightMode, r.copyLightMode, r.colorMode)
        || m_state.isPWM != r.isPWM || m_sliderPer->value() != r.speedPer || m_sliderNum->value() != r.speedNum
        || m_state.isTurnOffLed != r.isTurnOffLed || m_state.isMonitor != r.isMonitor;
    if (!everything && !othersDiffer) {
        if (coloursDiffer)
            setRGB(r.rValue_Led, r.gValue_Led, r.bValue_Led, r.brightValue);
        return false;
    }
    setRGB(r.rValue_Led, r.gValue_Led, r.bValue_Led, r.brightValue);
    setCopyLightMode(r.copyLightMode);
    setLightMode(r.lightMode);
    setLightSpeed(r.lightSpeed);
    setColorMode(r.colorMode);
    setPWM(r.isPWM);
    setFanSpeedSliders(r.speedPer, r.speedNum);
    setTurnOffLed(r.isTurnOffLed);
    setMonitor(r.isMonitor);
    resetFanView();
    return true;
}

void RainbowFan::resetFanView()
{
    deselectAllLeds();
    restyleAllLeds();
    const int shown = m_state.colorMode == ColorMode::Single ? kSingleColorEntry : 0;
    setBrightnessSliderQuietly(qRound(m_state.ledBright[shown] * 10.0f));
    showNames();
    refreshColorMode();
    refreshSpeedSelector();
    styleBrightnessSlider(shownColor(0));
    m_btnTurnOff->setChecked(m_state.isTurnOffLed);
    m_btnPwm->setChecked(m_state.isPWM);
    styleSpeedSliders();

    // Re-rendering shows the stored speed mode; it sends nothing.
    QSlider *active = m_state.isPWM ? m_sliderPer : m_sliderNum;
    if (m_state.speedMode == SpeedMode::Silent) {
        applySpeedStepQuietly(0);
    } else if (m_state.speedMode == SpeedMode::Performance) {
        applySpeedStepQuietly(active->maximum());
        m_state.fanSpeed = 5;
    } else {
        applySpeedStepQuietly(m_state.fanSpeed);
        m_state.isPerformance = m_state.isSilent = false;
        m_state.speedMode = SpeedMode::Custom;
        styleSpeedPresets();
    }

    moveTitle(m_state.isMonitor, false);
    showCoverAsStopped();

    applyEnableTable();
    if (m_state.lightMode == LightMode::Copy || m_state.lightMode == LightMode::Temperature)
        qCDebug(lcUi) << "copyyyyyyyyyyyyyyyyyyyyyyyyyy";
}
