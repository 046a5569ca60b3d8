// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QString>

#include <cmath>

enum class AlertKind : quint8 {
    Stall,           // a watched fan stopped turning
    BoxSilent,       // a box stopped answering, or its handle died
    TemperatureLost, // a temperature source gives no reading
    TemperatureHigh, // a source stayed above its limit for longer than its time
    SaveFailed,      // a settings file could not be written
};
constexpr int kAlertKindCount = 5;

// "stall", "box-silent", "temperature-lost", "temperature-high", "save-failed":
// the names commands, logs and metrics see.
const char *alertKindName(AlertKind kind);

// The health of a box as the alert rules see it.
enum class BoxCondition { Answering, NotAnswering, Gone };

// One alert going out (raised) or its outage ending (cleared). Box and fan
// count from 0 here; texts and command arguments count from 1.
struct Alert {
    AlertKind kind = AlertKind::Stall;
    bool raised = true;
    int box = -1;
    int fan = -1;
    QString source;            // temperature source (stable name)
    QString path;              // the file of a failed save
    bool boxGone = false;      // BoxSilent: the box is gone, not just silent
    double celsius = std::nan(""); // TemperatureHigh: the reading that made it
    double limit = std::nan("");   // TemperatureHigh: the limit and its time
    int limitSeconds = 0;
    QDateTime time;            // when it went out (UTC), stamped on delivery

    // What identifies one outage: "stall/2/3", "box-silent/2",
    // "temperature-lost/<source>", "temperature-high/<source>", "save-failed/<path>".
    QString key() const;
};
Q_DECLARE_METATYPE(Alert)
