#pragma once

#include "ui/FanEditor.h"

#include <QAbstractAnimation>
#include <QColor>
#include <QImage>
#include <QStringList>
#include <QWidget>

class CoverLabel;
class LedButton;
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
    int fanNumber() const { return s.fanNumber; }
    int fanLocation() const { return s.fanLocation; }
    void setColorMode(int colorMode);
    void setLightMode(int lightMode);
    void setLightSpeed(int lightSpeed);
    void setCopyLightMode(int lightMode);
    void setTurnOffLed(bool off);
    void setPWM(bool on);
    void setMonitor(bool on);
    bool isMonitor() const { return s.isMonitor; }
    void setFanState(bool flag);
    bool isWarningShown() const;
    QWidget *closedCover() const;
    void setRPM(int rpm);
    // 13 entries each: LEDs 0..11, then the single colour.
    void setRGB(const int *r, const int *g, const int *b, const float *bright);
    // Both fan-speed sliders (0..5 and 0..10) and the summary, from stored values.
    void setFanSpeedSliders(int speedPer, int speedNum);
    void resetFanView();
    void resetLanguage(int language);

    // For the command channel, which presses this panel's own controls.
    QSlider *fanSpeedPerSlider() const;
    QSlider *fanSpeedNumSlider() const;
    QSlider *brightnessSlider() const;
    QAbstractButton *pwmButton() const;
    bool isLedChecked(int led) const;
    int lightMode() const { return s.lightMode; }
    int colorMode() const { return s.colorMode; }
    int lightSpeed() const { return s.lightSpeed; }
    int copyLightMode() const { return s.copyLightMode; }
    bool isTurnOffLed() const { return s.isTurnOffLed; }
    bool isPWM() const { return s.isPWM; }
    int speedMode() const { return s.speedMode; }
    int fanSpeed() const { return s.fanSpeed; }
    bool isPerformance() const { return s.isPerformance; }
    bool isSilent() const { return s.isSilent; }
    // Colour and brightness of entry 0..12 (12 = the single colour).
    QColor ledColor(int entry) const;
    float ledBrightness(int entry) const;
    // Selection mask as 12 base-2 digits, character 0 = LED 11.
    QString selectionMask() const { return s.fanNumStr; }

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
    void sendData(QString *data); // declared for callers of the old form; never emitted
    void sendData(QStringList data);
    void sendRGBData(QStringList r, QStringList g, QStringList b, QStringList bright, int fan);

public slots:
    void copyResetFanView();
    void currentIndex(int index);
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
    void pushHideColorWidget();
    void pushChangeColor();

private slots:
    void modeArrow();
    void lightModeArrow();
    void selectLedBtn();
    void onButtonClicked(QAbstractButton *button);
    void changeSliderLight(int value);
    void changeSliderFanSpeedPer(int value);
    void changeSliderFanSpeedNum(int value);
    QString buttonTextColor(int r, int g, int b);
    void on_animation_stateChanged(QAbstractAnimation::State newState, QAbstractAnimation::State oldState);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    struct State {
        int fanNumber = 0;
        int fanLocation = 0;
        int ledR[13];
        int ledG[13];
        int ledB[13];
        float ledBright[13];
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

    // Construction (RainbowFan.cpp).
    QString imagePath(const QString &name) const;
    void buildBackground();
    void buildMonitorArea();
    void buildSpeedControls();
    void buildSelectors();
    void buildLedRing();
    void buildColorPopup();
    void buildCovers();
    QPushButton *makeButton(const QString &objectName, const QRect &geometry, const char *slot);
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
    void fitSpeedSummary();
    void applySpeedStepQuietly(int step);
    void moveTitle(bool open, bool animate);
    void showCoverAsStopped();
    void pressCover(const QPoint &at);
    void setControlsFocusable(bool focusable);

    static QStringList colorModeString;
    static QStringList lightModeString;
    static QStringList lightSpeedString;

    State s;
    int language = 0;
    int presetFontPx = 9;
    QImage paletteImage;

    QPushButton *btnFanNum = nullptr;
    QPushButton *btnMonitor = nullptr;
    LedButton *btnLed[12] = {};
    QButtonGroup *ledGroup = nullptr;
    QLabel *curveLabel = nullptr;
    QLabel *paletteLabel = nullptr;
    QSlider *sliderLight = nullptr;
    QLabel *lblBrightness = nullptr;

    QLabel *colorCover = nullptr;
    QLabel *colorWidget = nullptr;
    QLabel *lblColorTitle = nullptr;
    QLineEdit *editR = nullptr;
    QLineEdit *editG = nullptr;
    QLineEdit *editB = nullptr;
    QLabel *lblR = nullptr;
    QLabel *lblG = nullptr;
    QLabel *lblB = nullptr;
    QPushButton *btnColorOK = nullptr;
    QPushButton *btnColorCancel = nullptr;
    QLabel *previewRing = nullptr;
    QLabel *previewDisc = nullptr;

    CoverLabel *closedCoverLabel = nullptr;
    QLabel *warningLabel = nullptr; // over the speed read-out while the fan stands still
    QLabel *locationHighlight = nullptr;

    QLabel *monitorDisc = nullptr;
    QLabel *lblRpmValue = nullptr;
    QLabel *lblRpm = nullptr;
    QLabel *rpmBar = nullptr;
    QLabel *lblSpeedSummary = nullptr;

    QPushButton *btnColorModeLeft = nullptr;
    QPushButton *btnColorModeRight = nullptr;
    QLabel *lblColorModeName = nullptr;
    QLabel *lblColorModeCaption = nullptr;
    QPushButton *btnLightModeLeft = nullptr;
    QPushButton *btnLightModeRight = nullptr;
    QLabel *lblLightModeName = nullptr;
    QLabel *lblLightModeCaption = nullptr;
    QPushButton *btnLightSpeedLeft = nullptr;
    QPushButton *btnLightSpeedRight = nullptr;
    QLabel *lblLightSpeedName = nullptr;
    QLabel *lblLightSpeedCaption = nullptr;

    QPushButton *btnTurnOff = nullptr;
    QPushButton *btnDone = nullptr;
    QPushButton *btnDefault = nullptr;
    QPushButton *btnShowColor = nullptr;
    QPushButton *btnPerformance = nullptr;
    QPushButton *btnSilent = nullptr;
    QPushButton *btnPwm = nullptr;
    QSlider *sliderPer = nullptr;
    QSlider *sliderNum = nullptr;
    QLabel *lblScaleSilent = nullptr;
    QLabel *lblScalePerformance = nullptr;
    QLabel *lblScaleZero = nullptr;
    QLabel *lblScaleHundred = nullptr;

    QPropertyAnimation *titleAnimation = nullptr;
};
