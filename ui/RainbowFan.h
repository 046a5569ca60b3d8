// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Limits.h"
#include "ui/FanEditor.h"

#include <QAbstractAnimation>
#include <QColor>
#include <QImage>
#include <QStringList>
#include <QWidget>

class CoverLabel;
class LedButton;
struct RainbowFanRecord;
class QAbstractButton;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPropertyAnimation;
class QPushButton;
class QSlider;

// The editor panel of one 12-LED fan: a ring of LED buttons around a colour
// palette, the RGB code popup, brightness, the light-mode, colour-mode and
// light-speed selectors, the fan-speed controls and the monitor switch. It
// never talks to a box; every user change is emitted at once as a message.
class RainbowFan : public QWidget, public FanEditor {
    Q_OBJECT

public:
    explicit RainbowFan(QWidget *parent = nullptr);
    ~RainbowFan() override;

    // Filled by the main view; none of these emits a message.
    void setFanNumber(int fan);
    void setFanLocation(int location);
    int fanNumber() const { return m_state.fanNumber; }
    int fanLocation() const { return m_state.fanLocation; }
    void setColorMode(int colorMode);
    void setLightMode(int lightMode);
    void setLightSpeed(int lightSpeed);
    void setCopyLightMode(int lightMode);
    void setTurnOffLed(bool off);
    void setPWM(bool on);
    void setMonitor(bool on);
    bool isMonitor() const { return m_state.isMonitor; }
    void setFanState(bool flag);
    bool isWarningShown() const;
    QWidget *closedCover() const;
    void setRPM(int rpm);
    // The CPU temperature a PWM fan follows, for its speed summary.
    void setCpuTemperature(bool known, int celsius);
    // Sends the light mode, colours, light speed and fan speed of `from` as
    // this fan's own messages (the program's answer redraws the panel).
    // False when the look does not fit this fan (Copy on the first fan):
    // then only the speed is sent.
    bool takeOver(const RainbowFan &from);
    QString speedSummaryText() const;
    // Whether the music effects hear the computer's audio (a notice says
    // so while a music mode is set and they do not).
    void setMusicCapture(bool capturing);
    bool isMusicNoticeShown() const;
    // 13 entries each: LEDs 0..11, then the single colour.
    void setRGB(const int *r, const int *g, const int *b, const float *bright);
    // Both fan-speed sliders (0..5 and 0..10) and the summary, from stored values.
    void setFanSpeedSliders(int speedPer, int speedNum);
    void resetFanView();
    void resetLanguage(int language);
    // Shows a fan's record. Colours alone are only recoloured (a selection
    // of LEDs stays); any other difference fills every control from the
    // record, the light mode before the colour mode that depends on it, and
    // renders the panel afresh, as showing another box or profile does.
    // What the panel shows already is left alone, unless `everything`.
    // Returns whether the panel was rendered afresh.
    bool showRecord(const RainbowFanRecord &record, bool everything = false);

    // The controls Tab visits on this panel, in the order they are seen: the
    // open colour popup's alone while it is shown, only the title while the
    // panel is at the back (reaching it by Tab brings the panel to the front).
    QList<QWidget *> tabStops() const;
    bool isColorPopupShown() const;

    // For the command channel, which presses this panel's own controls.
    QSlider *fanSpeedPerSlider() const;
    QSlider *fanSpeedNumSlider() const;
    QSlider *brightnessSlider() const;
    QAbstractButton *pwmButton() const;
    bool isLedChecked(int led) const;
    int lightMode() const { return m_state.lightMode; }
    int colorMode() const { return m_state.colorMode; }
    int lightSpeed() const { return m_state.lightSpeed; }
    int copyLightMode() const { return m_state.copyLightMode; }
    bool isTurnOffLed() const { return m_state.isTurnOffLed; }
    bool isPWM() const { return m_state.isPWM; }
    int speedMode() const { return m_state.speedMode; }
    int fanSpeed() const { return m_state.fanSpeed; }
    bool isPerformance() const { return m_state.isPerformance; }
    bool isSilent() const { return m_state.isSilent; }
    // Colour and brightness of entry 0..12 (12 = the single colour).
    QColor ledColor(int entry) const;
    float ledBrightness(int entry) const;
    // Selection mask as 12 base-2 digits, character 0 = LED 11.
    QString selectionMask() const { return m_state.fanNumStr; }

    void applyLightModeValue(int lightMode);
    void applyColorModeValue(int colorMode);
    void applyLightSpeedValue(int lightSpeed);
    void setLedChecked(int led, bool on);

    // FanEditor (RainbowFanEditor.cpp).
    void pressPerformance() override;
    void pressSilent() override;
    void pressPWM(bool on) override;
    void pressTurnOff() override;
    void moveSlider(Slider slider, int value) override;
    bool isLedSelected(int led) const override;
    void selectLed(int led, bool on) override;
    void stepLightMode(bool right) override;
    void stepColorMode(bool right) override;
    void stepLightSpeed(bool right) override;
    void chooseLightMode(int lightMode) override;
    void chooseColorMode(int colorMode) override;
    void chooseLightSpeed(int lightSpeed) override;

signals:
    void sendData(QStringList data);
    void sendRGBData(QStringList r, QStringList g, QStringList b, QStringList bright, int fan);
    // The speed read-out was clicked: the graphs of this fan.
    void graphsRequested();
    // "To all fans" was pressed on this panel.
    void applyToAllRequested();
    // The curve this fan follows, asked for on its PWM switch.
    void curveRequested();

public slots:
    void colorModeRight();
    void colorModeLeft();
    void lightSpeedRight();
    void lightSpeedLeft();
    void lightModeRight();
    void lightModeLeft();
    void pushPerformance();
    void pushSilent();
    void pushPWM();
    void pushDone();
    void pushDefault();
    void pushTurnOff();
    void pushMonitor();
    void pushShowColorWidget();
    void pushApplyToAll();
    void pushHideColorWidget();
    void pushChangeColor();

private slots:
    void selectLedBtn();
    void onButtonClicked(QAbstractButton *button);
    void changeSliderLight(int value);
    void changeSliderFanSpeedPer(int value);
    void changeSliderFanSpeedNum(int value);
    void on_animation_stateChanged(QAbstractAnimation::State newState, QAbstractAnimation::State oldState);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct State {
        int fanNumber = 0;
        int fanLocation = 0;
        int ledR[kColorEntries];
        int ledG[kColorEntries];
        int ledB[kColorEntries];
        float ledBright[kColorEntries];
        int colorMode = 0;
        int lightMode = 0;
        int lightSpeed = 0;
        int copyLightMode = 0;
        bool isTurnOffLed = false;
        int fanSpeed = 5;
        int speedMode = 2;
        bool isPerformance = true;
        bool isSilent = false;
        bool isPWM = true;
        bool isMonitor = true;
        QString fanNumStr;
    };

public:
    // What a fan shows and how fast it turns, read at one moment: taken over
    // by other fans, also after the panels have been redrawn for another box.
    struct Look {
        State state;
        int speedPer = 0;
        int speedNum = 0;
    };
    Look look() const;
    bool takeOver(const Look &from);

private:

    // Construction (RainbowFan.cpp).
    QString imagePath(const QString &name) const;
    void buildBackground();
    void buildMonitorArea();
    void buildSpeedControls();
    void buildSelectors();
    void buildLedRing();
    void buildColorPopup();
    void buildCovers();
    QPushButton *makeButton(const QString &objectName, const QRect &geometry, void (RainbowFan::*slot)());
    void applyNameFonts();
    void applyTextFonts();
    int nameFontPx(const QLabel *label, const QString &text) const;
    static void buildNameLists();

    // LEDs and colours (RainbowFanLeds.cpp).
    QColor shownColor(int led) const;
    void restyleLed(int led);
    void restyleAllLeds();
    void applyLedGeometry(int led);
    void setLedButtonChecked(int led, bool on);
    void handleLedClick(int led);
    void deselectAllLeds();
    void selectAllLeds();
    int checkedBits() const;
    void styleBrightnessSlider(const QColor &color);
    void setBrightnessSliderQuietly(int value);
    bool canPickAt(const QPoint &pos) const;
    void pickColorAt(const QPoint &pos);
    void updatePreviewDisc();
    void emitColors();
    QStringList modeMessage(const QString &tag) const;

    // Selectors and fan speed (RainbowFanSelectors.cpp).
    void showNames();
    void refreshColorMode();
    void refreshSpeedSelector();
    void applyEnableTable();
    void afterLightModeChange(bool emitMessage);
    void afterColorModeChange();
    void afterLightSpeedChange();
    void clearTurnOff();
    void styleSpeedSliders();
    void styleSpeedPresets();
    void showSpeedSummary();
    void showSummaryText(const QString &text);
    QString pwmSummary(int step) const;
    void fitSpeedSummary();
    void applySpeedStepQuietly(int step);
    void moveTitle(bool open, bool animate);
    void showCoverAsStopped();
    void pressCover(const QPoint &at);
    void setControlsFocusable(bool focusable);
    void askToComeForward();
    void updateMusicNotice();

    // Names, descriptions and press areas (RainbowFanAccess.cpp).
    void describeControls();
    void extendHitAreas();

    static QStringList s_colorModeString;
    static QStringList s_lightModeString;
    static QStringList s_lightSpeedString;

    State m_state;
    int m_language = 0;
    int m_presetFontPx = 9;
    bool m_cpuKnown = false;
    int m_cpuCelsius = 0;
    QImage m_paletteImage;

    QPushButton *m_btnFanNum = nullptr;
    QPushButton *m_btnMonitor = nullptr;
    QPushButton *m_btnGraphs = nullptr; // over the speed read-out
    LedButton *m_btnLed[kLedCount] = {};
    QButtonGroup *m_ledGroup = nullptr;
    QLabel *m_curveLabel = nullptr;
    QLabel *m_paletteLabel = nullptr;
    QSlider *m_sliderLight = nullptr;
    QLabel *m_lblBrightness = nullptr;

    QLabel *m_colorCover = nullptr;
    QLabel *m_colorWidget = nullptr;
    QLabel *m_lblColorTitle = nullptr;
    QLineEdit *m_editR = nullptr;
    QLineEdit *m_editG = nullptr;
    QLineEdit *m_editB = nullptr;
    QLabel *m_lblR = nullptr;
    QLabel *m_lblG = nullptr;
    QLabel *m_lblB = nullptr;
    QPushButton *m_btnColorOK = nullptr;
    QPushButton *m_btnColorCancel = nullptr;
    QLabel *m_previewRing = nullptr;
    QLabel *m_previewDisc = nullptr;

    CoverLabel *m_closedCoverLabel = nullptr;
    QLabel *m_warningLabel = nullptr; // over the speed read-out while the fan stands still
    QLabel *m_locationHighlight = nullptr;

    QLabel *m_monitorDisc = nullptr;
    QLabel *m_lblRpmValue = nullptr;
    QLabel *m_lblRpm = nullptr;
    QLabel *m_rpmBar = nullptr;
    QLabel *m_lblSpeedSummary = nullptr;
    QLabel *m_musicNotice = nullptr;
    bool m_musicCapture = true;

    QPushButton *m_btnColorModeLeft = nullptr;
    QPushButton *m_btnColorModeRight = nullptr;
    QLabel *m_lblColorModeName = nullptr;
    QLabel *m_lblColorModeCaption = nullptr;
    QPushButton *m_btnLightModeLeft = nullptr;
    QPushButton *m_btnLightModeRight = nullptr;
    QLabel *m_lblLightModeName = nullptr;
    QLabel *m_lblLightModeCaption = nullptr;
    QPushButton *m_btnLightSpeedLeft = nullptr;
    QPushButton *m_btnLightSpeedRight = nullptr;
    QLabel *m_lblLightSpeedName = nullptr;
    QLabel *m_lblLightSpeedCaption = nullptr;

    QPushButton *m_btnTurnOff = nullptr;
    QPushButton *m_btnDone = nullptr;
    QPushButton *m_btnDefault = nullptr;
    QPushButton *m_btnShowColor = nullptr;
    QPushButton *m_btnApplyAll = nullptr;
    QPushButton *m_btnPerformance = nullptr;
    QPushButton *m_btnSilent = nullptr;
    QPushButton *m_btnPwm = nullptr;
    QSlider *m_sliderPer = nullptr;
    QSlider *m_sliderNum = nullptr;
    QLabel *m_lblScaleSilent = nullptr;
    QLabel *m_lblScalePerformance = nullptr;
    QLabel *m_lblScaleZero = nullptr;
    QLabel *m_lblScaleHundred = nullptr;

    QPropertyAnimation *m_titleAnimation = nullptr;
};
