// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/VaylaRGBFanView.h"

#include "device/BoxTable.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"

#include "common/Limits.h"
#include "common/Logging.h"
#include "ui/VaylaRGBFanViewStyle.h"

#include <QDebug>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

namespace {

constexpr int kMaxSpeed = 5;

int clampColor(int value, const char *label)
{
    if (value >= 0 && value <= 255)
        return value;
    qWarning() << label << value << "out of 0..255, clamped";
    return value < 0 ? 0 : 255;
}

// Brightness factor checked where it enters; NaN keeps the previous factor.
bool checkBright(float &bright, float previous, const char *label)
{
    if (std::isnan(bright)) {
        qWarning() << label << "brightness is not a number, kept" << previous;
        bright = previous;
        return false;
    }
    if (bright < 0.0f || bright > 1.0f) {
        qWarning() << label << "brightness" << bright << "out of 0..1, clamped";
        bright = bright < 0.0f ? 0.0f : 1.0f;
    }
    return true;
}

// The slider runs from full brightness at 0 to dark at 100.
int brightToSlider(float bright)
{
    return static_cast<int>(std::lround((1.0f - bright) * 100.0f));
}

int speedModeFor(int speed)
{
    return speed == kMaxSpeed ? 2 : (speed == 0 ? 1 : 0);
}

} // namespace

VaylaRGBFanView::VaylaRGBFanView(QWidget *parent)
    : QWidget(parent)
    , m_palettePath(VaylaStyle::vaylaImage(QStringLiteral("palette.png")))
{
    resize(kWidth, kHeight);
    // Texts without a colour of their own (the read-out on the preview disc) are white.
    QPalette pal = palette();
    pal.setBrush(QPalette::Window, Qt::white);
    pal.setBrush(QPalette::WindowText, Qt::white);
    setPalette(pal);

    buildWidgets();
    extendHitAreas();
    setFanNumber(0);
    resetLanguage(0);
}

void VaylaRGBFanView::setFanNumber(int n)
{
    if (n < 0 || n > 2) {
        qWarning() << "setFanNumber: fan" << n << "out of 0..2, ignored";
        return;
    }
    m_fanNumber = n;
    m_title->setText(tr("FAN") + QStringLiteral(" ") + QString::number(n + 1));
    // The first fan is the one the others copy from.
    m_copy->setVisible(n != 0);
    describeControls();
}

void VaylaRGBFanView::setRGB(int r, int g, int b, float bright)
{
    m_selectR = clampColor(r, "setRGB: red");
    m_selectG = clampColor(g, "setRGB: green");
    m_selectB = clampColor(b, "setRGB: blue");
    checkBright(bright, m_brightValue, "setRGB:");
    m_brightValue = bright;
    qCDebug(lcUi) << "selectRValue:" << m_selectR << ", selectGValue:" << m_selectG << ", selectBValue:" << m_selectB
             << ", brightValue:" << m_brightValue;
    rebuildBrightnessStyle();
    setSliderQuietly(m_brightSlider, brightToSlider(m_brightValue));
    updateDimColor();
    updateReadoutColor();
    update();
}

void VaylaRGBFanView::setBright(float bright)
{
    if (!checkBright(bright, m_brightValue, "setBright:"))
        return;
    m_brightValue = bright;
    setSliderQuietly(m_brightSlider, brightToSlider(m_brightValue));
    updateDimColor();
    update();
}

void VaylaRGBFanView::setLightMode(int mode)
{
    if (mode < 0 || mode > 2) {
        qWarning() << "setLightMode: light mode" << mode << "out of 0..2, ignored";
        return;
    }
    m_lightMode = mode;
    m_rgb->setChecked(mode == 1);
    m_blink->setChecked(mode == 2);
    // The box picks the colours itself while cycling.
    m_brightSlider->setEnabled(mode != 1);
}

void VaylaRGBFanView::setTurnOff(bool off)
{
    qCDebug(lcUi) << "isTurnOff" << off;
    m_off->setChecked(off);
}

void VaylaRGBFanView::setPWM(bool on)
{
    m_pwm->setChecked(on);
    showSpeedSummary(m_speedSlider->value());
}

void VaylaRGBFanView::setFanSpeed(int value)
{
    if (value < 0 || value > kMaxSpeed) {
        qWarning() << "setFanSpeed: speed" << value << "out of 0..5, clamped";
        value = value < 0 ? 0 : kMaxSpeed;
    }
    m_fanSpeed = value;
    m_speedMode = speedModeFor(value);
    setSliderQuietly(m_speedSlider, value);
    showSpeedSummary(value);
    checkPresets(value);
}

void VaylaRGBFanView::setMonitor(bool on)
{
    m_monitorOn = on;
    m_monitorSwitch->setChecked(on);
    m_closedCover->setVisible(!on);
}

bool VaylaRGBFanView::isTurnedOff() const { return m_off->isChecked(); }
bool VaylaRGBFanView::isPWM() const { return m_pwm->isChecked(); }
bool VaylaRGBFanView::isMonitorOn() const { return m_monitorOn; }

void VaylaRGBFanView::showRecord(const VaylaFanRecord &r, bool everything)
{
    if (everything || m_selectR != r.rValue || m_selectG != r.gValue || m_selectB != r.bValue
        || m_brightValue != r.brightValue)
        setRGB(r.rValue, r.gValue, r.bValue, r.brightValue);
    if (everything || m_lightMode != r.lightMode)
        setLightMode(r.lightMode);
    if (everything || isTurnedOff() != r.isTurnOffLed)
        setTurnOff(r.isTurnOffLed);
    if (everything || m_brightValue != r.brightValue)
        setBright(r.brightValue);
    if (everything || m_fanSpeed != r.speed)
        setFanSpeed(r.speed);
    if (everything || isPWM() != r.isPWM)
        setPWM(r.isPWM);
    if (everything || isMonitorOn() != r.isMonitor)
        setMonitor(r.isMonitor);
}

void VaylaRGBFanView::setRPM(int rpm)
{
    m_rpmNumber->setText(QString::number(rpm));
}

void VaylaRGBFanView::setFanOk(bool ok)
{
    m_fanErrorCover->setVisible(!ok);
}

void VaylaRGBFanView::resetLanguage(int language)
{
    if (language < 0 || language >= kLanguageCount) {
        qWarning() << "resetLanguage: language" << language << "out of 0..6, ignored";
        return;
    }
    m_language = language;
    m_title->setText(tr("FAN") + QStringLiteral(" ") + QString::number(m_fanNumber + 1));
    m_fanModeLabel->setText(tr("FAN MODE"));
    // A 55 px button holds the word on two lines, broken where the text allows it.
    m_performance->setText(tr("Perfor-mance").replace(QLatin1Char('-'), QStringLiteral("-\n")));
    m_silent->setText(tr("Silent"));
    m_blink->setText(tr("Blink"));
    m_silentLabel->setText(tr("Silent"));
    m_performanceLabel->setText(tr("Performance"));
    m_brightnessLabel->setText(tr("LED BRIGHTNESS"));
    m_applyAll->setText(tr("To all"));
    showSpeedSummary(m_speedSlider->value());
    applyButtonFonts(language);
    describeControls();
}

QString VaylaRGBFanView::speedSummary() const
{
    return m_speedLabel->text();
}

void VaylaRGBFanView::pushFanSpeed()
{
    const QObject *from = sender();
    const QString name = from ? from->objectName() : QString();
    QPushButton *pressed = nullptr;
    QPushButton *other = nullptr;
    if (name == QLatin1String("Performance")) {
        pressed = m_performance;
        other = m_silent;
    } else if (name == QLatin1String("Silent")) {
        pressed = m_silent;
        other = m_performance;
    } else {
        qWarning() << "pushFanSpeed: not a preset button:" << name;
        return;
    }
    qCDebug(lcUi) << (pressed == m_performance ? "Performance:" : "Silent:") << pressed->isChecked();
    // The click has already toggled the button: unchecked now means it was the active preset.
    if (!pressed->isChecked()) {
        pressed->setChecked(true);
        return;
    }
    other->setChecked(false);
    if (pressed == m_performance) {
        m_fanSpeed = kMaxSpeed;
        m_speedSlider->setValue(kMaxSpeed);
        emitData(MessageName::btnPerformance);
    } else {
        m_speedSlider->setValue(0);
        emitData(MessageName::btnSilent);
    }
}

void VaylaRGBFanView::pushLightMode()
{
    const QObject *from = sender();
    const QString name = from ? from->objectName() : QString();
    bool copy = false;
    if (name == QLatin1String("RGB")) {
        qCDebug(lcUi) << "RGB:" << m_rgb->isChecked();
        m_blink->setChecked(false);
        m_off->setChecked(false);
        m_brightSlider->setEnabled(!m_rgb->isChecked());
    } else if (name == QLatin1String("Blink")) {
        qCDebug(lcUi) << "Blink:" << m_blink->isChecked();
        m_rgb->setChecked(false);
        m_off->setChecked(false);
        m_brightSlider->setEnabled(true);
    } else if (name == QLatin1String("btn_Copy")) {
        m_brightSlider->setEnabled(true);
        copy = true;
    } else {
        qWarning() << "pushLightMode: not a lighting button:" << name;
        return;
    }
    m_lightMode = currentLightMode();
    emitData(copy ? MessageName::btnCopy : MessageName::btnDone, QString::number(m_lightMode));
}

void VaylaRGBFanView::pushTurnOff()
{
    qCDebug(lcUi) << "pushTurnOff:" << m_off->isChecked();
    emit sendData(ViewMessages::fanFlag(MessageName::btnTurnOff, m_fanNumber, m_off->isChecked()));
}

void VaylaRGBFanView::pushPWM()
{
    qCDebug(lcUi) << "pushPWM:" << m_pwm->isChecked();
    showSpeedSummary(m_speedSlider->value());
    emit sendData(ViewMessages::fanFlag(MessageName::btnPwm, m_fanNumber, m_pwm->isChecked()));
}

void VaylaRGBFanView::changeSliderLight(int value)
{
    if (value < 0 || value > 100) {
        qWarning() << "changeSliderLight: value" << value << "out of 0..100, ignored";
        return;
    }
    setSliderQuietly(m_brightSlider, value);
    m_brightValue = static_cast<float>(1.0 - value * 0.01);
    qCDebug(lcUi) << "slider_value:" << value;
    qCDebug(lcUi) << "slider_value_computer:" << m_brightValue;
    updateDimColor();
    update();
    emit sendData(ViewMessages::vaylaBrightness(m_fanNumber, m_brightValue));
}

void VaylaRGBFanView::changeSliderFanSpeed(int value)
{
    if (value < 0 || value > kMaxSpeed) {
        qWarning() << "changeSliderFanSpeed: value" << value << "out of 0..5, ignored";
        return;
    }
    qCDebug(lcUi) << "changeSliderFanSpeed_value:" << value;
    setSliderQuietly(m_speedSlider, value);
    m_fanSpeed = value;
    m_speedMode = speedModeFor(value);
    showSpeedSummary(value);
    checkPresets(value);
    emit sendData(ViewMessages::fanValue(MessageName::changeSliderFanSpeed, m_fanNumber, value));
}

void VaylaRGBFanView::pushMonitor()
{
    qCDebug(lcUi) << "pushMonitor()";
    const bool open = m_monitorSwitch->isChecked();
    m_monitorOn = open;
    m_closedCover->setVisible(!open);
    emit sendData(ViewMessages::fanFlag(MessageName::pushMonitor, m_fanNumber, open));
}

void VaylaRGBFanView::mousePressEvent(QMouseEvent *event)
{
    // The closed cover hides the palette along with every other control.
    if (!m_closedCover->isHidden())
        return;
    const QPoint pos = event->pos();
    const double dx = pos.x() - kPaletteCenterX;
    const double dy = pos.y() - kPaletteCenterY;
    const int distance = static_cast<int>(std::sqrt(dx * dx + dy * dy));
    if (distance > kPaletteRadius)
        return;
    if (!pickColor(pos))
        return;

    m_rgb->setChecked(false);
    m_off->setChecked(false);
    // A picked colour ends RGB cycling; Blink keeps blinking in the new colour.
    if (m_lightMode == 1)
        m_lightMode = 0;
    m_brightSlider->setEnabled(true);
    update();
    emit sendRGBData(m_selectR, m_selectG, m_selectB, m_brightValue, m_fanNumber);
    emitData(MessageName::btnDone, QString::number(m_lightMode));
}

bool VaylaRGBFanView::pickColor(const QPoint &pos)
{
    // Read from the file as it is, unscaled, so pixel positions match the press.
    const QImage image(m_palettePath);
    if (image.isNull()) {
        qWarning() << "palettePick: image missing:" << m_palettePath;
        return false;
    }
    const QPoint pixel(pos.x() - kPaletteImageX, pos.y() - kPaletteImageY);
    if (!image.valid(pixel)) {
        qWarning() << "palettePick: pixel outside the image:" << pixel << image.size();
        return false;
    }
    const QRgb rgb = image.pixel(pixel);
    m_selectR = qRed(rgb);
    m_selectG = qGreen(rgb);
    m_selectB = qBlue(rgb);
    rebuildBrightnessStyle();
    updateDimColor();
    updateReadoutColor();
    return true;
}

void VaylaRGBFanView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const QColor preview(m_selectR, m_selectG, m_selectB);
    painter.setPen(preview);
    painter.setBrush(preview);
    painter.drawEllipse(13, 72, 144, 144);

    // The ring frames the palette in the colour as the fan shows it.
    const QColor dimmed(static_cast<int>(m_selectR * m_brightValue), static_cast<int>(m_selectG * m_brightValue),
                        static_cast<int>(m_selectB * m_brightValue));
    QPen ring(dimmed);
    ring.setWidth(4);
    painter.setPen(ring);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(9, 246, 149, 149);
}

void VaylaRGBFanView::updateDimColor()
{
    m_dimR = static_cast<int>(m_selectR * m_brightValue);
    m_dimG = static_cast<int>(m_selectG * m_brightValue);
    m_dimB = static_cast<int>(m_selectB * m_brightValue);
}

void VaylaRGBFanView::showSpeedSummary(int value)
{
    const int percent = m_pwm->isChecked() ? value * 10 + 50 : value * 20;
    const QString number = QString::number(percent) + QStringLiteral(" %");
    if (value == kMaxSpeed)
        m_speedLabel->setText(tr("Performance") + QStringLiteral("\n") + number);
    else if (value == 0)
        m_speedLabel->setText(tr("Silent") + QStringLiteral("  ") + number);
    else
        m_speedLabel->setText(number);
}

void VaylaRGBFanView::checkPresets(int value)
{
    m_performance->setChecked(value == kMaxSpeed);
    m_silent->setChecked(value == 0);
}

void VaylaRGBFanView::setSliderQuietly(QSlider *slider, int value)
{
    const QSignalBlocker blocker(slider);
    slider->setValue(value);
}

int VaylaRGBFanView::currentLightMode() const
{
    if (m_blink->isChecked())
        return 2;
    return m_rgb->isChecked() ? 1 : 0;
}

void VaylaRGBFanView::emitData(const QString &command, const QString &value)
{
    emit sendData(value.isNull() ? ViewMessages::fanCommand(command, m_fanNumber)
                                 : ViewMessages::fanText(command, m_fanNumber, value));
}
