// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "curves/Curve.h"
#include "device/BoxModel.h"
#include "storage/AppSettings.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

class DeviceBus;
struct AppState;

// One fan of the shown box, as the window shows it.
struct FanView {
    bool single = false;          // a fan of a single-colour box: `vayla` holds it, else `rainbow`
    RainbowFanRecord rainbow;
    VaylaFanRecord vayla;
    BoxModel::FanReading reading; // rpm -1 before the first

    bool operator==(const FanView &o) const
    {
        // The records' own comparison leaves out the curve name, which the
        // window shows too.
        return single == o.single && rainbow == o.rainbow && vayla == o.vayla && reading == o.reading
            && rainbow.curveName == o.rainbow.curveName && vayla.curveName == o.vayla.curveName;
    }
    bool operator!=(const FanView &o) const { return !(*this == o); }
};

// One button of the box strip.
struct BoxButtonView {
    bool present = false;
    bool alarm = false;    // a watched fan of it is stalled
    bool answering = true; // false: present, but it stopped answering

    bool operator==(const BoxButtonView &o) const
    {
        return present == o.present && alarm == o.alarm && answering == o.answering;
    }
    bool operator!=(const BoxButtonView &o) const { return !(*this == o); }
};

// Everything else the window shows of the core.
struct WindowView {
    int currentBox = 0;
    int boxType = BoxType::Rainbow;
    int profile = 1;
    QString firmwareVersion;
    bool temperatureKnown = false;
    int temperature = 0;
    bool musicCapture = true; // the music effects hear the computer's audio
    std::array<BoxButtonView, kBoxCount> boxes{};
    AppSettings settings;

    bool operator==(const WindowView &o) const;
    bool operator!=(const WindowView &o) const { return !(*this == o); }
};

// What the window shows of the core: one FanView per fan position of the
// shown box (0..4; a single-colour box uses 0..2) and a WindowView for the
// rest. The core takes a new picture after everything it does (sync); each
// fan and the window that changed is told by a signal, and a view reads the
// picture again. A view needs nothing else to show the core, and a later
// reader (another process, a test) sees the same.
class ViewState : public QObject {
    Q_OBJECT
public:
    explicit ViewState(QObject *parent = nullptr);

    const FanView &fan(int fan) const; // fan 0..4; others: an empty view
    const WindowView &window() const { return m_window; }

    // A new picture of the box model, the core's state and the boxes' health.
    void sync(const BoxModel &boxes, const AppState &state, const DeviceBus &bus);
    // Takes the picture as given (sync builds one; a test may build its own).
    void show(const WindowView &window, const std::array<FanView, kRainbowFanCount> &fans);

    // What a view is told once, beside the picture.
    void tellProfileSaved() { emit profileSaved(); }
    void tellSensorInfo(const QStringList &lines) { emit sensorInfo(lines); }

    // The curves the fans can follow, as the core has them.
    void showCurves(const CurveSettings &settings);
    const CurveSettings &curves() const { return m_curves; }
    // The temperatures of the last reading pass (source id -> degrees), and
    // every source read since the start, sorted.
    void tellSourceReadings(const QHash<QString, double> &readings);
    const QHash<QString, double> &sourceReadings() const { return m_readings; }
    QStringList knownSources() const;

signals:
    // Told before the fans, so that a view lays out the right kind of fans first.
    void windowChanged();
    void fanChanged(int fan);
    // The shown profile reached the disk.
    void profileSaved();
    // The sensor listing, asked for by the window.
    void sensorInfo(const QStringList &lines);
    void curvesChanged();
    void sourcesRead();

private:
    WindowView m_window;
    std::array<FanView, kRainbowFanCount> m_fans{};
    CurveSettings m_curves;
    QHash<QString, double> m_readings;
    QHash<QString, bool> m_known;
};
