// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryTypes.h"
#include "history/SeriesRing.h"

#include <QSet>

#include <cstddef>
#include <memory>
#include <vector>

// What the fans, temperature sources and boxes did: values are handed in as
// they happen, and advanceTo() samples every series once a second into its
// ring (see SeriesRing). Memory is fixed per series and the number of series
// is bounded by HistoryLimits, so the whole history never grows past
// bytesBound(): with the default limits 184 series, about 3.4 MiB.
//
// Time is UTC seconds. Seconds the history was not advanced through (the
// machine slept, the program stood still) are absent. When the clock goes
// back, the recorded past moves back with it: the newest sample stays the
// newest and nothing is overwritten out of order.
//
// Not thread-safe: one owner (the core's thread) feeds and queries it.
class History {
public:
    explicit History(const HistoryLimits &limits = HistoryLimits());
    ~History();
    History(const History &) = delete;
    History &operator=(const History &) = delete;

    // A speed read back; it stands for the next rpmHoldSeconds seconds.
    // Returns false (logged) for a box or fan out of range.
    bool setFanRpm(int box, int fan, int rpm);
    // The duty the fan was commanded; it holds until the next. A negative
    // duty: no duty is known (a target speed or preset), absent from here.
    bool setFanDuty(int box, int fan, int percent);
    // A reading of a source by its stable name; it stands for the next
    // temperatureHoldSeconds seconds. NaN or outside -50..200 °C is absent.
    bool setTemperature(const QString &source, double celsius);
    // The source was read and gave nothing: absent from the next second.
    bool setTemperatureAbsent(const QString &source);
    // HealthCode of an open box; it holds until the next.
    bool setBoxHealth(int box, int healthCode);
    // The box closed: its health, its fans' speeds and duties are absent
    // from the next second on.
    bool forgetBox(int box);

    // Samples every series into each second up to utcSecond. A step of up to
    // kFillSeconds fills the seconds between with the current values (a late
    // timer); a longer one leaves them absent. A second already sampled, or
    // one before it, samples nothing.
    void advanceTo(qint64 utcSecond);
    static constexpr qint64 kFillSeconds = 3;

    // The newest sampled second, 0 before the first.
    qint64 headSecond() const { return m_head; }

    // One series over [fromSecond, toSecond], clipped to what is kept. A
    // series never fed gives the range with every point absent.
    HistoryPoints points(const SeriesKey &key, qint64 fromSecond, qint64 toSecond,
                         HistoryResolution resolution = HistoryResolution::Auto) const;

    // Every series fed so far.
    QVector<SeriesKey> seriesKeys() const;

    const HistoryLimits &limits() const { return m_limits; }
    // What the series hold now, and the most they can ever hold.
    std::size_t bytesReserved() const;
    static std::size_t bytesBound(const HistoryLimits &limits);

    // Codes: what the rings store for a value of each kind.
    static std::int16_t encode(SeriesKind kind, double value);
    static float decode(SeriesKind kind, std::int16_t code);

private:
    friend class HistoryFile;

    struct Series {
        SeriesKey key;
        SeriesRing ring;
        std::int16_t current = SeriesRing::kAbsent;
        // Seconds advanced since the last reading (readings only).
        qint64 age = 0;
    };

    Series *series(const SeriesKey &key, bool create);
    Series *fanSeries(SeriesKind kind, int box, int fan, bool create);
    Series *sourceSeries(const QString &source, bool create);
    bool isReading(SeriesKind kind) const;
    std::int16_t sample(Series &s) const;
    void stepOneSecond();
    void skipSeconds(qint64 n);
    template <typename F> void forEachSeries(F f);

    HistoryLimits m_limits;
    qint64 m_head = 0;
    // Fans: [kind][box * fansPerBox + fan]; boxes: [box]; sources by name.
    std::vector<std::unique_ptr<Series>> m_rpm;
    std::vector<std::unique_ptr<Series>> m_duty;
    std::vector<std::unique_ptr<Series>> m_health;
    std::vector<std::unique_ptr<Series>> m_sources;
    // Names refused because every source slot was taken, logged once each.
    QSet<QString> m_refusedSources;
};
