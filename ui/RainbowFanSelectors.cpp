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
    lblLightModeName->setText(lightModeString.value(s.lightMode));
    lblColorModeName->setText(colorModeString.value(s.colorMode));
    lblLightSpeedName->setText(lightSpeedString.value(s.lightSpeed));
    applyNameFonts();
}

void RainbowFan::refreshColorMode()
{
    if (s.lightMode == LightMode::Copy)
        qCDebug(lcUi) << "refreshColorMode---------COPY----copyLightMode:" << s.copyLightMode;
    s.colorMode = FanModeRules::constrainColorMode(s.lightMode, s.copyLightMode, s.colorMode);
    showNames();
    const bool copyOrMusic = s.lightMode >= LightMode::Copy && s.lightMode <= LightMode::Music_3;
    const bool music = LightMode::isComputerMusic(s.lightMode);
    if (s.colorMode == ColorMode::Single && !copyOrMusic)
        selectAllLeds();
    if ((s.colorMode == ColorMode::RGB || s.colorMode == ColorMode::Off) && !music)
        deselectAllLeds();
    restyleAllLeds();
}

void RainbowFan::refreshSpeedSelector()
{
    const bool speedOn = FanModeRules::speedArrowsFollowMode(s.lightMode);
    btnLightSpeedLeft->setEnabled(speedOn);
    btnLightSpeedRight->setEnabled(speedOn);
    lblLightSpeedName->setEnabled(speedOn);
    applyNameFonts();
}

void RainbowFan::applyEnableTable()
{
    const FanModeRules::ControlEnables e = FanModeRules::controlEnables(s.lightMode);
    for (QWidget *w : {static_cast<QWidget *>(btnColorModeLeft), static_cast<QWidget *>(btnColorModeRight)})
        applyEnable(w, e.colorArrows);
    for (QWidget *w : {static_cast<QWidget *>(btnLightSpeedLeft), static_cast<QWidget *>(btnLightSpeedRight)})
        applyEnable(w, e.speedArrows);
    for (QWidget *w : {btnDone, btnDefault, btnShowColor})
        applyEnable(w, e.editButtons);
    applyEnable(btnTurnOff, e.turnOff);
    applyEnable(sliderLight, e.brightness);
}

void RainbowFan::clearTurnOff()
{
    setTurnOffLed(false);
}

// ---- light mode -----------------------------------------------------------

void RainbowFan::afterLightModeChange(bool userChange)
{
    showNames();
    // A new light mode starts from the colour mode its rules allow from RGB;
    // a stored one keeps the colour mode it was saved with.
    if (userChange)
        s.colorMode = ColorMode::RGB;
    refreshColorMode();
    refreshSpeedSelector();
    if (userChange)
        clearTurnOff();
    applyEnableTable();
    if (!userChange)
        return;
    const QString tag = FanModeRules::lightModeMessageTag(s.lightMode);
    if (s.lightMode == LightMode::Copy)
        qCDebug(lcUi) << "lightMode == 7-----btn_copy";
    emit sendData(modeMessage(tag));
}

void RainbowFan::lightModeRight()
{
    s.lightMode = FanModeRules::lightModeRight(s.lightMode, s.fanNumber);
    afterLightModeChange(true);
}

void RainbowFan::lightModeLeft()
{
    s.lightMode = FanModeRules::lightModeLeft(s.lightMode, s.fanNumber);
    afterLightModeChange(true);
}

void RainbowFan::lightModeArrow()
{
    const QString name = sender() ? sender()->objectName() : QString();
    if (name == QLatin1String("btn_LightModeLeft"))
        lightModeLeft();
    else if (name == QLatin1String("btn_LightModeRight"))
        lightModeRight();
}

void RainbowFan::applyLightModeValue(int lightMode)
{
    if (!LightMode::isValid(lightMode)) {
        qWarning() << "applyLightModeValue: refused" << lightMode;
        return;
    }
    s.lightMode = FanModeRules::normaliseLightMode(lightMode, s.fanNumber);
    afterLightModeChange(true);
}

void RainbowFan::setLightMode(int lightMode)
{
    if (!LightMode::isValid(lightMode)) {
        qWarning() << "setLightMode: refused" << lightMode;
        return;
    }
    s.lightMode = lightMode;
    afterLightModeChange(false);
}

void RainbowFan::setCopyLightMode(int lightMode)
{
    if (!LightMode::isValid(lightMode)) {
        qWarning() << "setCopyLightMode: refused" << lightMode;
        return;
    }
    s.copyLightMode = lightMode;
}

// ---- colour mode ------------------------------------------------------------

void RainbowFan::afterColorModeChange()
{
    showNames();
    qCDebug(lcUi) << ", colorModeString[colorMode]:" << colorModeString.value(s.colorMode);
    if (s.colorMode == ColorMode::Single)
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
    if (s.lightMode != LightMode::Copy)
        emit sendData(message);
}

void RainbowFan::colorModeRight()
{
    s.colorMode = FanModeRules::stepColorMode(s.lightMode, s.copyLightMode, s.colorMode, +1);
    afterColorModeChange();
}

void RainbowFan::colorModeLeft()
{
    s.colorMode = FanModeRules::stepColorMode(s.lightMode, s.copyLightMode, s.colorMode, -1);
    afterColorModeChange();
}

void RainbowFan::applyColorModeValue(int colorMode)
{
    if (colorMode < 0 || colorMode >= ColorMode::Count) {
        qWarning() << "applyColorModeValue: refused" << colorMode;
        return;
    }
    s.colorMode = FanModeRules::constrainColorMode(s.lightMode, s.copyLightMode, colorMode);
    afterColorModeChange();
}

void RainbowFan::setColorMode(int colorMode)
{
    if (colorMode < 0 || colorMode >= ColorMode::Count) {
        qWarning() << "setColorMode: refused" << colorMode;
        return;
    }
    s.colorMode = colorMode;
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
    if (s.lightMode != LightMode::Copy)
        emit sendData(modeMessage(MessageName::btnDone));
}

void RainbowFan::lightSpeedLeft()
{
    s.lightSpeed = FanModeRules::lightSpeedLeft(s.lightSpeed);
    afterLightSpeedChange();
}

void RainbowFan::lightSpeedRight()
{
    s.lightSpeed = FanModeRules::lightSpeedRight(s.lightSpeed);
    afterLightSpeedChange();
}

void RainbowFan::applyLightSpeedValue(int lightSpeed)
{
    if (lightSpeed < 0 || lightSpeed >= LightSpeed::Count) {
        qWarning() << "applyLightSpeedValue: refused" << lightSpeed;
        return;
    }
    s.lightSpeed = lightSpeed;
    afterLightSpeedChange();
}

void RainbowFan::setLightSpeed(int lightSpeed)
{
    if (lightSpeed < 0 || lightSpeed >= LightSpeed::Count) {
        qWarning() << "setLightSpeed: refused" << lightSpeed;
        return;
    }
    qCDebug(lcUi) << "setLightSpeed-lightSpeed:" << lightSpeedString.value(lightSpeed);
    qCDebug(lcUi) << "setLightSpeed-lightSpeedInt:" << lightSpeed;
    s.lightSpeed = lightSpeed;
    refreshSpeedSelector();
    showNames();
}

void RainbowFan::modeArrow()
{
    const QString name = sender() ? sender()->objectName() : QString();
    if (name == QLatin1String("btn_ColorModeLeft"))
        colorModeLeft();
    else if (name == QLatin1String("btn_ColorModeRight"))
        colorModeRight();
    else if (name == QLatin1String("btn_LightSpeedLeft"))
        lightSpeedLeft();
    else if (name == QLatin1String("btn_LightSpeedRight"))
        lightSpeedRight();
}

// ---- turn-off -----------------------------------------------------------------

void RainbowFan::pushTurnOff()
{
    if (s.lightMode >= LightMode::Copy) {
        // The software effects and Copy own the LEDs; keep the button honest.
        btnTurnOff->setChecked(s.isTurnOffLed);
        return;
    }
    qCDebug(lcUi) << "pushisTurnOffLed:" << s.isTurnOffLed;
    s.isTurnOffLed = !s.isTurnOffLed;
    const QString tag = s.isTurnOffLed ? MessageName::btnTurnOff : MessageName::btnTurnOn;
    btnTurnOff->setChecked(s.isTurnOffLed);
    restyleAllLeds();
    qCDebug(lcUi) << "isTurnOffLed:" << s.isTurnOffLed;
    qCDebug(lcUi) << "btn_sendCommand_Off->lightMode:" << s.lightMode;
    emit sendData(modeMessage(tag));
}

void RainbowFan::setTurnOffLed(bool off)
{
    const bool changed = s.isTurnOffLed != off;
    s.isTurnOffLed = off;
    btnTurnOff->setChecked(off);
    if (changed)
        restyleAllLeds();
}

// ---- monitor switch -------------------------------------------------------------

void RainbowFan::moveTitle(bool open, bool animate)
{
    swapStyle(btnMonitor, QStringLiteral("QPushButton{border-image: url(")
                              + imagePath(open ? QStringLiteral("btn_openFan.png") : QStringLiteral("btn_closeFan.png"))
                              + QStringLiteral(");}"));
    const QRect target = open ? kTitleOpen : kTitleClosed;
    if (!animate) {
        titleAnimation->stop();
        btnFanNum->setGeometry(target);
        return;
    }
    titleAnimation->stop();
    titleAnimation->setStartValue(open ? kTitleClosed : kTitleOpen);
    titleAnimation->setEndValue(target);
    titleAnimation->start();
}

void RainbowFan::pushMonitor()
{
    qCDebug(lcUi) << "pushMonitor";
    const bool fromTitle = sender() && sender()->objectName() == QLatin1String("btn_fanNum");
    bool open;
    if (fromTitle) {
        // The title opens a closed panel; it never closes one, nor opens over a warning.
        if (s.isMonitor || isWarningShown())
            return;
        open = true;
    } else {
        open = !s.isMonitor;
    }
    s.isMonitor = open;
    const QStringList message = ViewMessages::fanFlag(MessageName::pushMonitor, s.fanNumber, open);
    if (open) {
        emit sendData(message);
        moveTitle(true, true);
    } else {
        warningLabel->hide();
        moveTitle(false, true);
        emit sendData(message);
    }
}

void RainbowFan::showCoverAsStopped()
{
    closedCoverLabel->setVisible(!s.isMonitor);
}

void RainbowFan::on_animation_stateChanged(QAbstractAnimation::State newState, QAbstractAnimation::State oldState)
{
    Q_UNUSED(oldState)
    if (newState == QAbstractAnimation::Running)
        closedCoverLabel->show();
    else if (newState == QAbstractAnimation::Stopped)
        showCoverAsStopped();
}

void RainbowFan::setMonitor(bool on)
{
    s.isMonitor = on;
    moveTitle(on, false);
    showCoverAsStopped();
}

void RainbowFan::setFanState(bool stalled)
{
    // Only a watched fan is said to stand still; a closed panel keeps its cover.
    closedCoverLabel->setVisible(!s.isMonitor);
    warningLabel->setVisible(stalled && s.isMonitor);
    if (!warningLabel->isHidden())
        warningLabel->raise();
}

void RainbowFan::pressCover(const QPoint &at)
{
    // The big switch drawn on the closed cover opens the fan, as the title does.
    const QPoint centre(width() / 2, 310);
    const QPoint d = at - centre;
    if (s.fanLocation == 3 || s.fanLocation == 4) {
        emit sendData(ViewMessages::fanCommand(s.fanLocation == 3 ? MessageName::clockwise : MessageName::counterClockwise,
                                               s.fanNumber));
        return;
    }
    if (d.x() * d.x() + d.y() * d.y() > 60 * 60 || s.isMonitor)
        return;
    btnFanNum->click();
}

// ---- fan speed ----------------------------------------------------------------------

void RainbowFan::styleSpeedSliders()
{
    sliderPer->setEnabled(s.isPWM);
    sliderNum->setEnabled(!s.isPWM);
    swapStyle(sliderPer, LedStyle::fanSpeedSliderStyle(s.isPWM, imagePath(QString())));
    swapStyle(sliderNum, LedStyle::fanSpeedSliderStyle(!s.isPWM, imagePath(QString())));
}

void RainbowFan::styleSpeedPresets()
{
    const QString font = QStringLiteral("font-size:") + QString::number(presetFontPx)
        + QStringLiteral("px; font-weight:bold; ");
    swapStyle(btnPerformance, 
        QStringLiteral("QPushButton{") + font
        + (s.isPerformance ? QStringLiteral("color:white; border-image: url(") + imagePath(QStringLiteral("btn_performance_h.png"))
                           : QStringLiteral("color:#E3017F; border-image: url(") + imagePath(QStringLiteral("btn_performance.png")))
        + QStringLiteral(");}"));
    swapStyle(btnSilent, 
        QStringLiteral("QPushButton{") + font
        + (s.isSilent ? QStringLiteral("color:white; border-image: url(") + imagePath(QStringLiteral("btn_silent_h.png"))
                      : QStringLiteral("color:#ACCD04; border-image: url(") + imagePath(QStringLiteral("btn_silent.png")))
        + QStringLiteral(");}"));
}

void RainbowFan::showSpeedSummary()
{
    if (s.isPWM)
        showSummaryText(FanModeRules::pwmSpeedSummary(sliderPer->value(), tr("Silent"), tr("Performance")));
    else
        showSummaryText(FanModeRules::rpmSpeedSummary(sliderNum->value(), tr("Silent"), tr("Performance")));
}

void RainbowFan::showSummaryText(const QString &text)
{
    if (lblSpeedSummary->text() == text)
        return;
    lblSpeedSummary->setText(text);
    fitSpeedSummary();
}

void RainbowFan::applySpeedStepQuietly(int step)
{
    QSlider *active = s.isPWM ? sliderPer : sliderNum;
    const QSignalBlocker block(active);
    active->setValue(step);
    s.fanSpeed = active->value();
    s.speedMode = FanModeRules::speedModeForStep(s.fanSpeed, active->maximum());
    s.isPerformance = s.speedMode == SpeedMode::Performance;
    s.isSilent = s.speedMode == SpeedMode::Silent;
    styleSpeedPresets();
    showSpeedSummary();
}

void RainbowFan::changeSliderFanSpeedPer(int value)
{
    s.speedMode = FanModeRules::speedModeForStep(value, sliderPer->maximum());
    s.isSilent = s.speedMode == SpeedMode::Silent;
    s.isPerformance = s.speedMode == SpeedMode::Performance;
    if (s.isPWM)
        showSummaryText(FanModeRules::pwmSpeedSummary(value, tr("Silent"), tr("Performance")));
    s.fanSpeed = value;
    styleSpeedPresets();
    emit sendData(ViewMessages::fanValue(MessageName::sliderFanSpeedPer, s.fanNumber, value));
}

void RainbowFan::changeSliderFanSpeedNum(int value)
{
    s.speedMode = FanModeRules::speedModeForStep(value, sliderNum->maximum());
    s.isSilent = s.speedMode == SpeedMode::Silent;
    s.isPerformance = s.speedMode == SpeedMode::Performance;
    showSummaryText(FanModeRules::rpmSpeedSummary(value, tr("Silent"), tr("Performance")));
    s.fanSpeed = value;
    styleSpeedPresets();
    emit sendData(ViewMessages::fanValue(MessageName::sliderFanSpeedNum, s.fanNumber, value));
}

void RainbowFan::pushPWM()
{
    qCDebug(lcUi) << "pushPWM";
    const bool on = btnPwm->isChecked();
    const QStringList message = ViewMessages::fanFlag(MessageName::btnPwm, s.fanNumber, on);
    setPWM(on);
    emit sendData(message);
}

void RainbowFan::setPWM(bool on)
{
    s.isPWM = on;
    btnPwm->setChecked(on);
    styleSpeedSliders();
    applySpeedStepQuietly((on ? sliderPer : sliderNum)->value());
}

void RainbowFan::pushPerformance()
{
    qCDebug(lcUi) << "pushPerformance";
    if (s.isPerformance)
        return;
    s.isPerformance = true;
    s.speedMode = SpeedMode::Performance;
    s.fanSpeed = 5;
    QSlider *active = s.isPWM ? sliderPer : sliderNum;
    active->setValue(active->maximum());
    emit sendData(ViewMessages::fanCommand(MessageName::btnPerformance, s.fanNumber));
    s.isSilent = false;
    styleSpeedPresets();
}

void RainbowFan::pushSilent()
{
    qCDebug(lcUi) << "pushSilent";
    if (s.isSilent)
        return;
    s.isSilent = true;
    s.speedMode = SpeedMode::Silent;
    s.fanSpeed = 0;
    QSlider *active = s.isPWM ? sliderPer : sliderNum;
    active->setValue(0);
    emit sendData(ViewMessages::fanCommand(MessageName::btnSilent, s.fanNumber));
    s.isPerformance = false;
    styleSpeedPresets();
}

void RainbowFan::setFanSpeedSliders(int speedPer, int speedNum)
{
    if (speedPer < 0 || speedPer > 5 || speedNum < 0 || speedNum > 10) {
        qWarning() << "setFanSpeedSliders: refused" << speedPer << speedNum;
        return;
    }
    {
        const QSignalBlocker blockPer(sliderPer);
        const QSignalBlocker blockNum(sliderNum);
        sliderPer->setValue(speedPer);
        sliderNum->setValue(speedNum);
    }
    applySpeedStepQuietly(s.isPWM ? speedPer : speedNum);
}

// ---- whole-panel rendering -------------------------------------------------------------

void RainbowFan::resetFanView()
{
    deselectAllLeds();
    restyleAllLeds();
    const int shown = s.colorMode == ColorMode::Single ? kSingleColorEntry : 0;
    setBrightnessSliderQuietly(qRound(s.ledBright[shown] * 10.0f));
    showNames();
    refreshColorMode();
    refreshSpeedSelector();
    styleBrightnessSlider(shownColor(0));
    btnTurnOff->setChecked(s.isTurnOffLed);
    btnPwm->setChecked(s.isPWM);
    styleSpeedSliders();

    // Re-rendering shows the stored speed mode; it sends nothing.
    QSlider *active = s.isPWM ? sliderPer : sliderNum;
    if (s.speedMode == SpeedMode::Silent) {
        applySpeedStepQuietly(0);
    } else if (s.speedMode == SpeedMode::Performance) {
        applySpeedStepQuietly(active->maximum());
        s.fanSpeed = 5;
    } else {
        applySpeedStepQuietly(s.fanSpeed);
        s.isPerformance = s.isSilent = false;
        s.speedMode = SpeedMode::Custom;
        styleSpeedPresets();
    }

    moveTitle(s.isMonitor, false);
    showCoverAsStopped();

    applyEnableTable();
    if (s.lightMode == LightMode::Copy || s.lightMode == LightMode::Temperature)
        qCDebug(lcUi) << "copyyyyyyyyyyyyyyyyyyyyyyyyyy";
}

void RainbowFan::copyResetFanView()
{
    qCDebug(lcUi) << "copyResetFanView---lightMode:" << s.lightMode;
    qCDebug(lcUi) << "copyResetFanView---colorMode:" << s.colorMode;
    deselectAllLeds();
    restyleAllLeds();
    const int shown = s.colorMode == ColorMode::Single ? kSingleColorEntry : 0;
    setBrightnessSliderQuietly(qRound(s.ledBright[shown] * 10.0f));
    styleBrightnessSlider(shownColor(0));
    showNames();
    refreshSpeedSelector();
    btnTurnOff->setChecked(s.isTurnOffLed);
}
