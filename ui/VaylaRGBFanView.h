// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

struct VaylaFanRecord;
class QLabel;
class QPushButton;
class QSlider;

// Editor panel of one single-colour fan: circular palette, colour preview,
// brightness, RGB cycling / Blink / Off, copy from the first fan, speed
// presets and slider, PWM and the switch that opens or closes the fan.
// It only emits view messages; setters (used by the main view) emit none.
class VaylaRGBFanView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 302;
    static constexpr int kHeight = 430;
    // The pick test uses a circle of its own around the palette image.
    static constexpr int kPaletteCenterX = 88;
    static constexpr int kPaletteCenterY = 325;
    static constexpr int kPaletteRadius = 75;
    static constexpr int kPaletteImageX = 13;
    static constexpr int kPaletteImageY = 250;

    explicit VaylaRGBFanView(QWidget *parent = nullptr);

    void setFanNumber(int n);
    void setRGB(int r, int g, int b, float bright);
    void setBright(float bright);
    void setLightMode(int mode);
    void setTurnOff(bool off);
    void setPWM(bool on);
    void setFanSpeed(int value);
    void setMonitor(bool on);
    void setRPM(int rpm);
    void setFanOk(bool ok);
    void resetLanguage(int language);
    // Shows a fan's record: each control that differs takes the record's
    // value (every control when `everything`).
    void showRecord(const VaylaFanRecord &record, bool everything = false);
    // The controls Tab visits on this panel, in the order they are seen.
    QList<QWidget *> tabStops() const;

    int fanNumber() const { return m_fanNumber; }
    int selectR() const { return m_selectR; }
    int selectG() const { return m_selectG; }
    int selectB() const { return m_selectB; }
    float brightValue() const { return m_brightValue; }
    int lightMode() const { return m_lightMode; }
    int fanSpeed() const { return m_fanSpeed; }
    int speedMode() const { return m_speedMode; }
    bool isTurnedOff() const;
    bool isPWM() const;
    bool isMonitorOn() const;
    QString speedSummary() const;

    // What the fan shows and how fast it turns, read at one moment.
    struct Look {
        int r = 0, g = 0, b = 0;
        float bright = 1.0f;
        int lightMode = 0;
        bool off = false;
        bool pwm = false;
        int speed = 0;
    };
    Look look() const;
    // Sends `from` as this fan's own messages, as its controls would.
    void takeOver(const Look &from);
    // The image the pick reads, "Images/Vayla/palette.png" beside the program unless replaced.
    void setPaletteImagePath(const QString &path) { m_palettePath = path; }

signals:
    void sendData(QStringList list);
    void sendRGBData(int r, int g, int b, float bright, int fan);
    // The curve this fan follows, asked for on its PWM switch.
    void curveRequested();
    // The speed read-out was clicked: the graphs of this fan.
    void graphsRequested();
    // "To all": this fan's look and speed for the others.
    void applyToAllRequested();

public slots:
    void pushFanSpeed();
    void pushLightMode();
    void pushTurnOff();
    void pushPWM();
    void changeSliderLight(int value);
    void changeSliderFanSpeed(int value);
    void pushMonitor();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildWidgets();
    void describeControls();
    void extendHitAreas();
    void applyButtonFonts(int language);
    void rebuildBrightnessStyle();
    void updateDimColor();
    void updateReadoutColor();
    void showSpeedSummary(int value);
    void checkPresets(int value);
    void setSliderQuietly(QSlider *slider, int value);
    int currentLightMode() const;
    void emitData(const QString &command, const QString &value = QString());
    bool pickColor(const QPoint &pos);

    int m_fanNumber = 0;
    int m_selectR = 0;
    int m_selectG = 0;
    int m_selectB = 0;
    int m_dimR = 0;
    int m_dimG = 0;
    int m_dimB = 0;
    float m_brightValue = 1.0f;
    int m_lightMode = 0;
    int m_fanSpeed = 5;
    int m_speedMode = 2;
    bool m_monitorOn = true; // the cover is open
    int m_language = 0;
    QString m_sliderStyle;
    QString m_palettePath;

    QPushButton *m_monitorSwitch = nullptr;
    QLabel *m_title = nullptr;
    QPushButton *m_performance = nullptr;
    QPushButton *m_silent = nullptr;
    QPushButton *m_pwm = nullptr;
    QLabel *m_blank = nullptr;
    QLabel *m_fanModeLabel = nullptr;
    QSlider *m_speedSlider = nullptr;
    QLabel *m_silentLabel = nullptr;
    QLabel *m_performanceLabel = nullptr;
    QPushButton *m_rgb = nullptr;
    QPushButton *m_off = nullptr;
    QPushButton *m_blink = nullptr;
    QPushButton *m_copy = nullptr;
    QLabel *m_brightnessLabel = nullptr;
    QSlider *m_brightSlider = nullptr;
    QLabel *m_palette = nullptr;
    QLabel *m_rpmNumber = nullptr;
    QPushButton *m_graphs = nullptr; // over the speed read-out
    QLabel *m_rpmLabel = nullptr;
    QLabel *m_rpmBar = nullptr;
    QLabel *m_speedLabel = nullptr;
    QLabel *m_closedCover = nullptr;
    QPushButton *m_applyAll = nullptr;
    QLabel *m_fanErrorCover = nullptr;
};
