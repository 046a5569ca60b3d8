// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Limits.h"

#include <QString>
#include <QVector>

#include <cstdint>

// What a history series follows.
enum class SeriesKind : std::uint8_t {
    FanRpm,      // the speed read back from a fan, in RPM (a reading)
    FanDuty,     // the duty the program last commanded a fan, in % (held)
    Temperature, // one temperature source, in °C (a reading)
    BoxHealth,   // a box: 0 answering, 1 not answering, 2 gone (held)
};
constexpr int kSeriesKindCount = 4;

// The health codes a BoxHealth series stores.
namespace HealthCode {
constexpr int Answering = 0;
constexpr int NotAnswering = 1;
constexpr int Gone = 2;
}

// Which series: box 0..15 and fan 0..4 for fans, box alone for health, the
// stable source name alone for temperatures.
struct SeriesKey {
    SeriesKind kind = SeriesKind::FanRpm;
    int box = -1;
    int fan = -1;
    QString source;

    static SeriesKey fanRpm(int box, int fan) { return {SeriesKind::FanRpm, box, fan, {}}; }
    static SeriesKey fanDuty(int box, int fan) { return {SeriesKind::FanDuty, box, fan, {}}; }
    static SeriesKey temperature(const QString &source) { return {SeriesKind::Temperature, -1, -1, source}; }
    static SeriesKey boxHealth(int box) { return {SeriesKind::BoxHealth, box, -1, {}}; }

    bool operator==(const SeriesKey &o) const
    {
        return kind == o.kind && box == o.box && fan == o.fan && source == o.source;
    }
};

// The two tiers and the most series one history holds. The defaults give the
// stated bound: 16 boxes x 5 fans x (RPM + duty) + 16 box healths + 8
// temperature sources = 184 series (see History::bytesBound).
struct HistoryLimits {
    int boxes = kBoxCount;
    int fansPerBox = kRainbowFanCount;
    int sources = 8;
    // A source name longer than this is refused: names are "chip/label".
    int sourceNameLength = 128;
    // How long a reading stands for the seconds after it: the speed poll
    // reads each fan once a second, a temperature source is read every 1-5 s.
    int rpmHoldSeconds = 3;
    int temperatureHoldSeconds = 12;

    int seriesCapacity() const { return boxes * fansPerBox * 2 + boxes + sources; }
};

// The fine tier: one sample a second for the last hour. The coarse tier: one
// minimum / mean / maximum a minute for the last 24 hours.
constexpr int kFineSeconds = 3600;
constexpr int kCoarseMinutes = 1440;

// Points of one series over a range, oldest first. Point i stands for the
// step that begins at firstSecond + i x stepSeconds (UTC seconds since the
// epoch). An absent reading is NaN in all three arrays; on the 1-second tier
// the three are equal.
struct HistoryPoints {
    qint64 firstSecond = 0;
    int stepSeconds = 1;
    QVector<float> min;
    QVector<float> mean;
    QVector<float> max;

    int size() const { return mean.size(); }
};

enum class HistoryResolution {
    Auto,    // seconds when the whole range lies within the last hour, else minutes
    Seconds,
    Minutes,
};
