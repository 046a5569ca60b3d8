// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QString>
#include <QVector>

#include <cmath>

// The values exported, as the core knows them at one moment. Boxes and fans
// count from 0 here; the exported labels count from 1, as the window does.
struct BoxMetrics {
    int box = 0;
    QString health = QStringLiteral("answering"); // "answering", "not-answering" or "gone"
    QString type;     // "rgb" (five 12-LED fans) or "single-colour" (three fans)
    QString firmware; // as the box reports it, "1.2.3"
};

struct FanMetrics {
    int box = 0;
    int fan = 0;
    int rpm = -1;  // the last speed read; -1: none
    int duty = -1; // the duty commanded in %; -1: none known (target speed, preset)
    bool watched = true;
    bool stalled = false;
};

struct TemperatureMetrics {
    QString source;                // stable name, "coretemp/Package id 0"
    QString kind;                  // "cpu", "gpu", "disk", "board", "other"
    double celsius = std::nan(""); // NaN: the source gave no reading
};

struct MetricsSnapshot {
    QString version;
    double startTimeSeconds = 0; // UTC seconds since the epoch
    QVector<BoxMetrics> boxes;   // open boxes
    QVector<FanMetrics> fans;
    QVector<TemperatureMetrics> temperatures;
    QMap<QString, int> alertsActive;      // alert kind -> raised and not cleared
    QMap<QString, quint64> alertsRaised;  // alert kind -> raised since start
    quint64 saveFailures = 0;
};
