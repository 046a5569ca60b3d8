// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "curves/Curve.h"
#include "curves/CurveEval.h"
#include "curves/SourceWatch.h"
#include "device/BoxTable.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>

class Encoders;

// The duty of every temperature-following fan, once per reading pass: its
// assigned curve (Classic when it has none) on that curve's source or mix,
// with the fan's state carried from pass to pass, held to the fan's cap. A
// source that stops giving readings sends the fans that depend on it to
// their cap after the usual passes, and is told once per outage.
// GUI thread only.
class CurveController : public QObject {
    Q_OBJECT
public:
    explicit CurveController(Encoders &encoders, QObject *parent = nullptr);

    void setSettings(const CurveSettings &settings);
    const CurveSettings &settings() const { return m_settings; }
    int readingPeriodMs() const { return m_settings.readingPeriod * 1000; }

    // One reading pass: `readings` holds every source read in it (id -> °C);
    // empty when the pass read nothing.
    void onPass(const QHash<QString, double> &readings);

    // Box `box` was sent its settings afresh: each of its following fans gets
    // its curve's duty at the last pass's reading, or its cap when that pass
    // gave its curve none.
    void resendBox(int box);
    // The computer woke up: the last pass's readings say nothing about now.
    // Until the next pass a box sent its settings gets its fans' caps, and
    // that pass starts every fan from its curve as at start-up.
    void startAfresh();

    // The curve fan `fan` of box `box` follows (Classic for an unknown name).
    const Curve &curveOf(int box, int fan) const;

signals:
    // A source's outage began (never the CPU reading: its own loss is told
    // where it is read). `text` says which fans it leaves at their cap.
    void sourceLost(const QString &source, const QString &text);
    void sourceBack(const QString &source);

private:
    struct FanState {
        QString curve; // the curve the state belongs to
        CurveState state;
    };

    void drive(int box, const QHash<QString, CurveInput> &inputs, int elapsedMs);
    void tellOutages(const SourcePass &pass);

    Encoders &m_encoders;
    CurveSettings m_settings;
    SourceWatch m_watch;
    QHash<QString, CurveInput> m_lastInputs; // by curve name, from the last pass
    FanState m_fans[kBoxCount][kRainbowFanCount];
    QElapsedTimer m_sincePass;
};
