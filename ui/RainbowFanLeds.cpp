// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Logging.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"

// LED selection and styles, palette picking, the RGB code popup, brightness,
// Done and Default of the RGB fan editor.
#include "ui/RainbowFan.h"
#include "ui/StyleSwap.h"

#include "device/BoxTable.h"
#include "ui/CoverLabel.h"
#include "ui/FanModeRules.h"
#include "ui/LedButton.h"
#include "ui/LedStyle.h"

#include <QApplication>
#include <QDebug>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

namespace {

// Top-left corner of each LED button on the ring (18 x 18 when not selected).
constexpr int kRingX[kLedCount] = {244, 275, 286, 275, 244, 201, 159, 128, 116, 128, 159, 201};
constexpr int kRingY[kLedCount] = {190, 221, 263, 306, 337, 348, 337, 306, 263, 221, 190, 178};

// The palette label's rectangle; a pick needs a point strictly inside it.
constexpr int kPaletteLeft = 144;
constexpr int kPaletteTop = 206;
constexpr int kPaletteRight = 277;
constexpr int kPaletteBottom = 339;

// The validator still lets unfinished input such as "300" stand; an empty
// edit reads as 0.
int editValue(const QLineEdit *edit)
{
    return qBound(0, edit->text().toInt(), 255);
}

// The wheel is the disc inside the palette's square; the corners show the
// panel, not colours.
bool onWheel(const QPoint &pos)
{
    const double radius = (kPaletteRight - kPaletteLeft) / 2.0;
    const double dx = pos.x() - (kPaletteLeft + radius);
    const double dy = pos.y() - (kPaletteTop + radius);
    return dx * dx + dy * dy <= radius * radius;
}

bool isGreyMode(int lightMode)
{
    return lightMode == LightMode::Copy || lightMode == LightMode::Temperature;
}

} // namespace

QColor RainbowFan::ledColor(int entry) const
{
    if (entry < 0 || entry >= kColorEntries) {
        qWarning() << "ledColor: refused" << entry;
        return QColor();
    }
    return QColor(m_state.ledR[entry], m_state.ledG[entry], m_state.ledB[entry]);
}

float RainbowFan::ledBrightness(int entry) const
{
    if (entry < 0 || entry >= kColorEntries) {
        qWarning() << "ledBrightness: refused" << entry;
        return 0.0f;
    }
    return m_state.ledBright[entry];
}

bool RainbowFan::isLedChecked(int led) const
{
    if (led < 0 || led >= kLedCount) {
        qWarning() << "isLedChecked: refused" << led;
        return false;
    }
    return m_btnLed[led]->isChecked();
}

QColor RainbowFan::shownColor(int led) const
{
    const int e = m_state.colorMode == ColorMode::Single ? kSingleColorEntry : led;
    return QColor(m_state.ledR[e], m_state.ledG[e], m_state.ledB[e]);
}

void RainbowFan::restyleLed(int led)
{
    const QColor c = shownColor(led);
    m_btnLed[led]->setLook(c, isGreyMode(m_state.lightMode), m_state.isTurnOffLed);
}

void RainbowFan::restyleAllLeds()
{
    for (int i = 0; i < kLedCount; ++i)
        restyleLed(i);
}

void RainbowFan::applyLedGeometry(int led)
{
    // Derived from the check state, so applying it twice never drifts.
    if (m_btnLed[led]->isChecked())
        m_btnLed[led]->setGeometry(kRingX[led] - 6, kRingY[led] - 6, 30, 30);
    else
        m_btnLed[led]->setGeometry(kRingX[led], kRingY[led], 18, 18);
}

void RainbowFan::setLedButtonChecked(int led, bool on)
{
    m_btnLed[led]->setChecked(on);
    applyLedGeometry(led);
}

void RainbowFan::deselectAllLeds()
{
    for (int i = 0; i < kLedCount; ++i)
        setLedButtonChecked(i, false);
}

void RainbowFan::selectAllLeds()
{
    for (int i = 0; i < kLedCount; ++i)
        setLedButtonChecked(i, true);
    m_state.fanNumStr = FanModeRules::selectionMask(0xFFF);
}

int RainbowFan::checkedBits() const
{
    int bits = 0;
    for (int i = 0; i < kLedCount; ++i) {
        if (m_btnLed[i]->isChecked())
            bits |= 1 << i;
    }
    return bits;
}

void RainbowFan::styleBrightnessSlider(const QColor &color)
{
    swapStyle(m_sliderLight, 
        LedStyle::brightnessSliderStyle(color.red(), color.green(), color.blue(), imagePath(QStringLiteral("bar_bright.png")),
                                        imagePath(QStringLiteral("adjust_h.png"))));
}

void RainbowFan::setBrightnessSliderQuietly(int value)
{
    const QSignalBlocker block(m_sliderLight);
    m_sliderLight->setValue(value);
}

void RainbowFan::selectLedBtn()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    for (int i = 0; i < kLedCount; ++i) {
        if (m_btnLed[i] == button) {
            handleLedClick(i);
            return;
        }
    }
}

void RainbowFan::handleLedClick(int n)
{
    QPushButton *b = m_btnLed[n];
    if (m_state.lightMode == LightMode::Copy && b->isChecked()) {
        setLedButtonChecked(n, false);
        return;
    }
    if (m_state.colorMode == ColorMode::Off) {
        // The light mode fixes the colours: nothing to select.
        setLedButtonChecked(n, false);
    } else {
        if (m_state.colorMode != ColorMode::Single)
            applyLedGeometry(n);
        restyleLed(n);
    }
    if (m_state.colorMode == ColorMode::Single)
        setLedButtonChecked(n, true);

    const int bits = checkedBits();
    m_state.fanNumStr = FanModeRules::selectionMask(bits);
    qCDebug(lcUi) << "QString::number(ledCheckedNum, 2).toStdString():" << QString::number(bits, 2);
    qCDebug(lcUi) << "fanNumStr:" << m_state.fanNumStr;

    for (int c = 0; c < kLedCount; ++c) {
        if (!m_btnLed[c]->isChecked())
            continue;
        styleBrightnessSlider(shownColor(c));
        // Selecting only shows this LED's brightness; it changes none.
        setBrightnessSliderQuietly(qRound(m_state.ledBright[c] * 10.0f));
        break;
    }
}

void RainbowFan::setLedChecked(int led, bool on)
{
    if (led < 0 || led >= kLedCount) {
        qWarning() << "setLedChecked: refused" << led;
        return;
    }
    m_btnLed[led]->setChecked(on);
    handleLedClick(led);
}

void RainbowFan::onButtonClicked(QAbstractButton *button)
{
    QString states;
    for (int i = 0; i < kLedCount; ++i)
        states += QStringLiteral(" %1:%2/%3").arg(i).arg(m_btnLed[i]->isChecked()).arg(m_btnLed[i]->isCheckable());
    qCDebug(lcUi) << "Clicked Button : " << button->text() << states;
}

bool RainbowFan::canPickAt(const QPoint &pos) const
{
    // Background panels, the closed cover and the open RGB popup all lie
    // over the palette: a pointer there is not on it.
    return !isGreyMode(m_state.lightMode) && pos.x() > kPaletteLeft && pos.x() < kPaletteRight && pos.y() > kPaletteTop
        && pos.y() < kPaletteBottom && onWheel(pos) && m_state.colorMode != ColorMode::Off && m_state.isMonitor && m_closedCoverLabel->isHidden()
        && m_colorCover->isHidden() && m_state.fanLocation != 3 && m_state.fanLocation != 4;
}

void RainbowFan::pickColorAt(const QPoint &pos)
{
    if (m_paletteImage.isNull()) {
        m_paletteImage = QImage(imagePath(QStringLiteral("palette.png")));
        if (m_paletteImage.isNull()) {
            qWarning() << "palette pick: image missing" << imagePath(QStringLiteral("palette.png"));
            return;
        }
    }
    const QPoint at(pos.x() - kPaletteLeft, pos.y() - kPaletteTop);
    if (!m_paletteImage.valid(at)) {
        qWarning() << "palette pick: outside the image" << at;
        return;
    }
    const QColor pixel = m_paletteImage.pixelColor(at);
    // Nothing selected: the click colours the whole ring instead of nothing.
    if (m_state.colorMode == ColorMode::RGB && checkedBits() == 0)
        selectAllLeds();
    for (int i = 0; i < kLedCount; ++i) {
        if (!m_btnLed[i]->isChecked())
            continue;
        const int e = m_state.colorMode == ColorMode::Single ? kSingleColorEntry : i;
        m_state.ledR[e] = pixel.red();
        m_state.ledG[e] = pixel.green();
        m_state.ledB[e] = pixel.blue();
        styleBrightnessSlider(pixel);
        m_state.ledBright[i] = m_sliderLight->value() / 10.0f;
        restyleLed(i);
        qCDebug(lcUi).nospace() << "btn_Led[" << i << "]----r:" << m_state.ledR[e] << ", G:" << m_state.ledG[e] << ", B:" << m_state.ledB[e];
    }
    if (FanModeRules::isEmptyMask(m_state.fanNumStr))
        return;
    if (m_state.lightMode != LightMode::Copy) {
        emitColors();
        emit sendData(modeMessage(MessageName::btnDone));
    }
    clearTurnOff();
}

QStringList RainbowFan::modeMessage(const QString &tag) const
{
    return ViewMessages::fanLook(tag, m_state.fanNumber, m_state.lightMode, m_state.lightSpeed, m_state.colorMode);
}

void RainbowFan::emitColors()
{
    QStringList r, g, b, bright;
    for (int i = 0; i < kColorEntries; ++i) {
        r << QString::number(m_state.ledR[i]);
        g << QString::number(m_state.ledG[i]);
        b << QString::number(m_state.ledB[i]);
        bright << QString::number(m_state.ledBright[i], 'g', 6);
    }
    emit sendRGBData(r, g, b, bright, m_state.fanNumber);
}

void RainbowFan::setRGB(const int *r, const int *g, const int *b, const float *bright)
{
    if (!r || !g || !b || !bright) {
        qWarning() << "setRGB: refused, missing list";
        return;
    }
    for (int i = 0; i < kColorEntries; ++i) {
        if (r[i] < 0 || r[i] > 255 || g[i] < 0 || g[i] > 255 || b[i] < 0 || b[i] > 255 || !(bright[i] >= 0.0f)
            || bright[i] > 1.0f) {
            qWarning() << "setRGB: refused, entry" << i << "out of range" << r[i] << g[i] << b[i] << bright[i];
            return;
        }
    }
    for (int i = 0; i < kColorEntries; ++i) {
        m_state.ledR[i] = r[i];
        m_state.ledG[i] = g[i];
        m_state.ledB[i] = b[i];
        m_state.ledBright[i] = bright[i];
    }
    restyleAllLeds();
    styleBrightnessSlider(shownColor(0));
    // Showing stored values is not a user change: no message.
    setBrightnessSliderQuietly(qRound(bright[kLedCount - 1] * 10.0f));
}

void RainbowFan::changeSliderLight(int value)
{
    const float level = value / 10.0f;
    if (m_state.colorMode == ColorMode::Single) {
        m_state.ledBright[kSingleColorEntry] = level;
    } else {
        for (int i = 0; i < kLedCount; ++i) {
            if (m_btnLed[i]->isChecked())
                m_state.ledBright[i] = level;
        }
    }
    if (FanModeRules::isEmptyMask(m_state.fanNumStr))
        return;
    qCDebug(lcUi) << "brightStr:" << ViewMessages::brightnessText(m_state.ledBright, kColorEntries);
    emit sendData(ViewMessages::sliderLight(m_state.fanNumber, m_state.lightMode, m_state.lightSpeed, m_state.colorMode, m_state.ledBright,
                                            kColorEntries));
}

void RainbowFan::pushShowColorWidget()
{
    bool any = false;
    for (int i = 0; i < kLedCount; ++i) {
        if (!m_btnLed[i]->isChecked())
            continue;
        const QColor c = shownColor(i);
        swapStyle(m_previewRing, QStringLiteral("background-color:rgb(") + QString::number(c.red())
                                   + QStringLiteral(",") + QString::number(c.green()) + QStringLiteral(",")
                                   + QString::number(c.blue()) + QStringLiteral("); border-radius:83px;"));
        any = true;
    }
    if (!any)
        return;
    m_colorCover->show();
    m_colorCover->raise();
    if (!m_locationHighlight->isHidden())
        m_locationHighlight->raise();
    m_editR->setFocus();
}

void RainbowFan::updatePreviewDisc()
{
    swapStyle(m_previewDisc, QStringLiteral("background-color:rgb(") + QString::number(editValue(m_editR))
                               + QStringLiteral(",") + QString::number(editValue(m_editG)) + QStringLiteral(",")
                               + QString::number(editValue(m_editB)) + QStringLiteral("); border-radius:72px;"));
}

void RainbowFan::pushHideColorWidget()
{
    // Keyboard users go on from the button that opened the popup.
    const bool hadFocus = m_colorCover->isAncestorOf(QApplication::focusWidget());
    m_colorCover->hide();
    if (hadFocus && m_btnShowColor->isEnabled())
        m_btnShowColor->setFocus(Qt::OtherFocusReason);
}

void RainbowFan::pushChangeColor()
{
    swapStyle(m_previewDisc, QStringLiteral("background-color:white; border-radius:72px;"));
    const int r = editValue(m_editR);
    const int g = editValue(m_editG);
    const int b = editValue(m_editB);
    if (m_state.colorMode == ColorMode::RGB) {
        for (int i = 0; i < kLedCount; ++i) {
            if (!m_btnLed[i]->isChecked())
                continue;
            m_state.ledR[i] = r;
            m_state.ledG[i] = g;
            m_state.ledB[i] = b;
            restyleLed(i);
        }
    } else if (m_state.colorMode == ColorMode::Single) {
        m_state.ledR[kSingleColorEntry] = r;
        m_state.ledG[kSingleColorEntry] = g;
        m_state.ledB[kSingleColorEntry] = b;
        restyleAllLeds();
    }
    pushHideColorWidget();
    if (m_state.lightMode == LightMode::Copy)
        return;
    emitColors();
    emit sendData(modeMessage(MessageName::btnDone));
    // The receiver switches the LEDs back on with "btn_done"; show it.
    clearTurnOff();
}

void RainbowFan::pushDone()
{
    if (m_state.colorMode != ColorMode::RGB)
        return;
    for (int i = 0; i < kLedCount; ++i) {
        if (!m_btnLed[i]->isChecked())
            continue;
        setLedButtonChecked(i, false);
        restyleLed(i);
    }
}

void RainbowFan::pushDefault()
{
    for (int i = 0; i < kColorEntries; ++i) {
        const DefaultColour c = defaultEntryColour(i);
        m_state.ledR[i] = c.r;
        m_state.ledG[i] = c.g;
        m_state.ledB[i] = c.b;
    }
    // The single colour keeps its brightness.
    for (int i = 0; i < kLedCount; ++i)
        m_state.ledBright[i] = 1.0f;
    m_state.colorMode = FanModeRules::defaultColorMode(m_state.lightMode, m_state.copyLightMode, m_state.colorMode);
    restyleAllLeds();
    setBrightnessSliderQuietly(10);
    m_state.lightSpeed = LightSpeed::Slow;
    showNames();
    refreshSpeedSelector();
    if (m_state.colorMode == ColorMode::Single)
        selectAllLeds();
    else
        deselectAllLeds();
    styleBrightnessSlider(shownColor(0));
    clearTurnOff();
    emitColors();
    emit sendData(ViewMessages::fanDefault(m_state.fanNumber, m_state.lightMode, m_state.colorMode, m_state.lightSpeed));
}
