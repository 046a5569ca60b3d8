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

// "Default": a colour wheel round the ring, and red as the single colour.
constexpr int kDefaultR[kLedCount] = {0, 0, 0, 0, 127, 255, 255, 255, 255, 255, 127, 0};
constexpr int kDefaultG[kLedCount] = {127, 255, 255, 255, 255, 255, 127, 0, 0, 0, 0, 0};
constexpr int kDefaultB[kLedCount] = {255, 255, 127, 0, 0, 0, 0, 0, 127, 255, 255, 255};

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
    return QColor(s.ledR[entry], s.ledG[entry], s.ledB[entry]);
}

float RainbowFan::ledBrightness(int entry) const
{
    if (entry < 0 || entry >= kColorEntries) {
        qWarning() << "ledBrightness: refused" << entry;
        return 0.0f;
    }
    return s.ledBright[entry];
}

bool RainbowFan::isLedChecked(int led) const
{
    if (led < 0 || led >= kLedCount) {
        qWarning() << "isLedChecked: refused" << led;
        return false;
    }
    return btnLed[led]->isChecked();
}

QString RainbowFan::buttonTextColor(int r, int g, int b)
{
    return LedStyle::buttonTextColor(r, g, b);
}

QColor RainbowFan::shownColor(int led) const
{
    const int e = s.colorMode == ColorMode::Single ? kSingleColorEntry : led;
    return QColor(s.ledR[e], s.ledG[e], s.ledB[e]);
}

void RainbowFan::restyleLed(int led)
{
    const QColor c = shownColor(led);
    btnLed[led]->setLook(c, isGreyMode(s.lightMode), s.isTurnOffLed);
}

void RainbowFan::restyleAllLeds()
{
    for (int i = 0; i < kLedCount; ++i)
        restyleLed(i);
}

void RainbowFan::applyLedGeometry(int led)
{
    // Derived from the check state, so applying it twice never drifts.
    if (btnLed[led]->isChecked())
        btnLed[led]->setGeometry(kRingX[led] - 6, kRingY[led] - 6, 30, 30);
    else
        btnLed[led]->setGeometry(kRingX[led], kRingY[led], 18, 18);
}

void RainbowFan::setLedButtonChecked(int led, bool on)
{
    btnLed[led]->setChecked(on);
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
    s.fanNumStr = FanModeRules::selectionMask(0xFFF);
}

int RainbowFan::checkedBits() const
{
    int bits = 0;
    for (int i = 0; i < kLedCount; ++i) {
        if (btnLed[i]->isChecked())
            bits |= 1 << i;
    }
    return bits;
}

void RainbowFan::styleBrightnessSlider(const QColor &color)
{
    swapStyle(sliderLight, 
        LedStyle::brightnessSliderStyle(color.red(), color.green(), color.blue(), imagePath(QStringLiteral("bar_bright.png")),
                                        imagePath(QStringLiteral("adjust_h.png"))));
}

void RainbowFan::setBrightnessSliderQuietly(int value)
{
    const QSignalBlocker block(sliderLight);
    sliderLight->setValue(value);
}

void RainbowFan::selectLedBtn()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    for (int i = 0; i < kLedCount; ++i) {
        if (btnLed[i] == button) {
            handleLedClick(i);
            return;
        }
    }
}

void RainbowFan::handleLedClick(int n)
{
    QPushButton *b = btnLed[n];
    if (s.lightMode == LightMode::Copy && b->isChecked()) {
        setLedButtonChecked(n, false);
        return;
    }
    if (s.colorMode == ColorMode::Off) {
        // The light mode fixes the colours: nothing to select.
        setLedButtonChecked(n, false);
    } else {
        if (s.colorMode != ColorMode::Single)
            applyLedGeometry(n);
        restyleLed(n);
    }
    if (s.colorMode == ColorMode::Single)
        setLedButtonChecked(n, true);

    const int bits = checkedBits();
    s.fanNumStr = FanModeRules::selectionMask(bits);
    qCDebug(lcUi) << "QString::number(ledCheckedNum, 2).toStdString():" << QString::number(bits, 2);
    qCDebug(lcUi) << "fanNumStr:" << s.fanNumStr;

    for (int c = 0; c < kLedCount; ++c) {
        if (!btnLed[c]->isChecked())
            continue;
        styleBrightnessSlider(shownColor(c));
        // Selecting only shows this LED's brightness; it changes none.
        setBrightnessSliderQuietly(qRound(s.ledBright[c] * 10.0f));
        break;
    }
}

void RainbowFan::setLedChecked(int led, bool on)
{
    if (led < 0 || led >= kLedCount) {
        qWarning() << "setLedChecked: refused" << led;
        return;
    }
    btnLed[led]->setChecked(on);
    handleLedClick(led);
}

void RainbowFan::onButtonClicked(QAbstractButton *button)
{
    QString states;
    for (int i = 0; i < kLedCount; ++i)
        states += QStringLiteral(" %1:%2/%3").arg(i).arg(btnLed[i]->isChecked()).arg(btnLed[i]->isCheckable());
    qCDebug(lcUi) << "Clicked Button : " << button->text() << states;
}

bool RainbowFan::canPickAt(const QPoint &pos) const
{
    // Background panels, the closed cover and the open RGB popup all lie
    // over the palette: a pointer there is not on it.
    return !isGreyMode(s.lightMode) && pos.x() > kPaletteLeft && pos.x() < kPaletteRight && pos.y() > kPaletteTop
        && pos.y() < kPaletteBottom && onWheel(pos) && s.colorMode != ColorMode::Off && s.isMonitor && closedCoverLabel->isHidden()
        && colorCover->isHidden() && s.fanLocation != 3 && s.fanLocation != 4;
}

void RainbowFan::pickColorAt(const QPoint &pos)
{
    if (paletteImage.isNull()) {
        paletteImage = QImage(imagePath(QStringLiteral("palette.png")));
        if (paletteImage.isNull()) {
            qWarning() << "palette pick: image missing" << imagePath(QStringLiteral("palette.png"));
            return;
        }
    }
    const QPoint at(pos.x() - kPaletteLeft, pos.y() - kPaletteTop);
    if (!paletteImage.valid(at)) {
        qWarning() << "palette pick: outside the image" << at;
        return;
    }
    const QColor pixel = paletteImage.pixelColor(at);
    for (int i = 0; i < kLedCount; ++i) {
        if (!btnLed[i]->isChecked())
            continue;
        const int e = s.colorMode == ColorMode::Single ? kSingleColorEntry : i;
        s.ledR[e] = pixel.red();
        s.ledG[e] = pixel.green();
        s.ledB[e] = pixel.blue();
        styleBrightnessSlider(pixel);
        s.ledBright[i] = sliderLight->value() / 10.0f;
        restyleLed(i);
        qCDebug(lcUi).nospace() << "btn_Led[" << i << "]----r:" << s.ledR[e] << ", G:" << s.ledG[e] << ", B:" << s.ledB[e];
    }
    if (FanModeRules::isEmptyMask(s.fanNumStr))
        return;
    if (s.lightMode != LightMode::Copy) {
        emitColors();
        emit sendData(modeMessage(MessageName::btnDone));
    }
    clearTurnOff();
}

QStringList RainbowFan::modeMessage(const QString &tag) const
{
    return ViewMessages::fanLook(tag, s.fanNumber, s.lightMode, s.lightSpeed, s.colorMode);
}

void RainbowFan::emitColors()
{
    QStringList r, g, b, bright;
    for (int i = 0; i < kColorEntries; ++i) {
        r << QString::number(s.ledR[i]);
        g << QString::number(s.ledG[i]);
        b << QString::number(s.ledB[i]);
        bright << QString::number(s.ledBright[i], 'g', 6);
    }
    emit sendRGBData(r, g, b, bright, s.fanNumber);
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
        s.ledR[i] = r[i];
        s.ledG[i] = g[i];
        s.ledB[i] = b[i];
        s.ledBright[i] = bright[i];
    }
    restyleAllLeds();
    styleBrightnessSlider(shownColor(0));
    // Showing stored values is not a user change: no message.
    setBrightnessSliderQuietly(qRound(bright[kLedCount - 1] * 10.0f));
}

void RainbowFan::changeSliderLight(int value)
{
    const float level = value / 10.0f;
    if (s.colorMode == ColorMode::Single) {
        s.ledBright[kSingleColorEntry] = level;
    } else {
        for (int i = 0; i < kLedCount; ++i) {
            if (btnLed[i]->isChecked())
                s.ledBright[i] = level;
        }
    }
    if (FanModeRules::isEmptyMask(s.fanNumStr))
        return;
    qCDebug(lcUi) << "brightStr:" << ViewMessages::brightnessText(s.ledBright, kColorEntries);
    emit sendData(ViewMessages::sliderLight(s.fanNumber, s.lightMode, s.lightSpeed, s.colorMode, s.ledBright,
                                            kColorEntries));
}

void RainbowFan::pushShowColorWidget()
{
    bool any = false;
    for (int i = 0; i < kLedCount; ++i) {
        if (!btnLed[i]->isChecked())
            continue;
        const QColor c = shownColor(i);
        swapStyle(previewRing, QStringLiteral("background-color:rgb(") + QString::number(c.red())
                                   + QStringLiteral(",") + QString::number(c.green()) + QStringLiteral(",")
                                   + QString::number(c.blue()) + QStringLiteral("); border-radius:83px;"));
        any = true;
    }
    if (!any)
        return;
    colorCover->show();
    colorCover->raise();
    if (!locationHighlight->isHidden())
        locationHighlight->raise();
    editR->setFocus();
}

void RainbowFan::updatePreviewDisc()
{
    swapStyle(previewDisc, QStringLiteral("background-color:rgb(") + QString::number(editValue(editR))
                               + QStringLiteral(",") + QString::number(editValue(editG)) + QStringLiteral(",")
                               + QString::number(editValue(editB)) + QStringLiteral("); border-radius:72px;"));
}

void RainbowFan::pushHideColorWidget()
{
    colorCover->hide();
}

void RainbowFan::pushChangeColor()
{
    swapStyle(previewDisc, QStringLiteral("background-color:white; border-radius:72px;"));
    const int r = editValue(editR);
    const int g = editValue(editG);
    const int b = editValue(editB);
    if (s.colorMode == ColorMode::RGB) {
        for (int i = 0; i < kLedCount; ++i) {
            if (!btnLed[i]->isChecked())
                continue;
            s.ledR[i] = r;
            s.ledG[i] = g;
            s.ledB[i] = b;
            restyleLed(i);
        }
    } else if (s.colorMode == ColorMode::Single) {
        s.ledR[kSingleColorEntry] = r;
        s.ledG[kSingleColorEntry] = g;
        s.ledB[kSingleColorEntry] = b;
        restyleAllLeds();
    }
    colorCover->hide();
    if (s.lightMode == LightMode::Copy)
        return;
    emitColors();
    emit sendData(modeMessage(MessageName::btnDone));
    // The receiver switches the LEDs back on with "btn_done"; show it.
    clearTurnOff();
}

void RainbowFan::pushDone()
{
    if (s.colorMode != ColorMode::RGB)
        return;
    for (int i = 0; i < kLedCount; ++i) {
        if (!btnLed[i]->isChecked())
            continue;
        setLedButtonChecked(i, false);
        restyleLed(i);
    }
}

void RainbowFan::pushDefault()
{
    for (int i = 0; i < kLedCount; ++i) {
        s.ledR[i] = kDefaultR[i];
        s.ledG[i] = kDefaultG[i];
        s.ledB[i] = kDefaultB[i];
        s.ledBright[i] = 1.0f;
    }
    s.ledR[kSingleColorEntry] = 255;
    s.ledG[kSingleColorEntry] = 0;
    s.ledB[kSingleColorEntry] = 0;
    s.colorMode = FanModeRules::defaultColorMode(s.lightMode, s.copyLightMode, s.colorMode);
    restyleAllLeds();
    setBrightnessSliderQuietly(10);
    s.lightSpeed = LightSpeed::Slow;
    showNames();
    refreshSpeedSelector();
    if (s.colorMode == ColorMode::Single)
        selectAllLeds();
    else
        deselectAllLeds();
    styleBrightnessSlider(shownColor(0));
    clearTurnOff();
    emitColors();
    emit sendData(ViewMessages::fanDefault(s.fanNumber, s.lightMode, s.colorMode, s.lightSpeed));
}
