// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/History.h"

#include "common/Logging.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kLowestCelsius = -50.0;
constexpr double kHighestCelsius = 200.0;
// RPM above this saturates: the code is a signed 16-bit number.
constexpr int kHighestRpm = 32767;
// A refused source name is logged once; the memory of those is bounded too.
constexpr int kRefusedNamesKept = 16;
// What one remembered name may cost beyond its characters (hash node, header).
constexpr std::size_t kNameOverhead = 64;
// The allocator's own bookkeeping per block.
constexpr std::size_t kBlockOverhead = 16;

qint64 minuteOf(qint64 second)
{
    return second / 60;
}

} // namespace

History::History(const HistoryLimits &limits)
    : m_limits(limits)
{
    const int fans = std::max(0, m_limits.boxes) * std::max(0, m_limits.fansPerBox);
    m_rpm.resize(std::size_t(fans));
    m_duty.resize(std::size_t(fans));
    m_health.resize(std::size_t(std::max(0, m_limits.boxes)));
    m_sources.reserve(std::size_t(std::max(0, m_limits.sources)));
}

History::~History() = default;

std::int16_t History::encode(SeriesKind kind, double value)
{
    if (std::isnan(value))
        return SeriesRing::kAbsent;
    switch (kind) {
    case SeriesKind::FanRpm:
        if (value < 0)
            return SeriesRing::kAbsent;
        return std::int16_t(std::min<double>(std::lround(value), kHighestRpm));
    case SeriesKind::FanDuty:
        if (value < 0 || value > 100)
            return SeriesRing::kAbsent;
        return std::int16_t(std::lround(value));
    case SeriesKind::Temperature:
        // Tenths of a degree.
        if (value < kLowestCelsius || value > kHighestCelsius)
            return SeriesRing::kAbsent;
        return std::int16_t(std::lround(value * 10.0));
    case SeriesKind::BoxHealth:
        if (value < HealthCode::Answering || value > HealthCode::Gone)
            return SeriesRing::kAbsent;
        return std::int16_t(std::lround(value));
    }
    return SeriesRing::kAbsent;
}

float History::decode(SeriesKind kind, std::int16_t code)
{
    if (code == SeriesRing::kAbsent)
        return std::numeric_limits<float>::quiet_NaN();
    return kind == SeriesKind::Temperature ? float(code) / 10.0f : float(code);
}

bool History::isReading(SeriesKind kind) const
{
    return kind == SeriesKind::FanRpm || kind == SeriesKind::Temperature;
}

History::Series *History::fanSeries(SeriesKind kind, int box, int fan, bool create)
{
    if (box < 0 || box >= m_limits.boxes)
        return nullptr;
    std::vector<std::unique_ptr<Series>> *table = &m_health;
    std::size_t index = std::size_t(box);
    if (kind != SeriesKind::BoxHealth) {
        if (fan < 0 || fan >= m_limits.fansPerBox)
            return nullptr;
        table = kind == SeriesKind::FanRpm ? &m_rpm : &m_duty;
        index = std::size_t(box * m_limits.fansPerBox + fan);
    }
    std::unique_ptr<Series> &slot = (*table)[index];
    if (!slot && create) {
        slot = std::make_unique<Series>();
        slot->key = {kind, box, kind == SeriesKind::BoxHealth ? -1 : fan, {}};
    }
    return slot.get();
}

History::Series *History::sourceSeries(const QString &source, bool create)
{
    for (const auto &s : m_sources)
        if (s->key.source == source)
            return s.get();
    if (!create)
        return nullptr;
    if (source.isEmpty() || source.size() > m_limits.sourceNameLength) {
        qCWarning(lcHistory) << "history: temperature source name refused, empty or longer than"
                             << m_limits.sourceNameLength << "characters";
        return nullptr;
    }
    auto fresh = std::make_unique<Series>();
    // A copy of its own, exactly as long as the name: the bound counts it so.
    fresh->key = SeriesKey::temperature(QString(source.constData(), source.size()));
    if (int(m_sources.size()) < m_limits.sources) {
        m_sources.push_back(std::move(fresh));
        return m_sources.back().get();
    }
    // Every slot is taken: a source whose whole history is absent gives its
    // slot up, since nothing of it would be lost.
    for (auto &s : m_sources) {
        if (s->ring.isEmpty() && s->current == SeriesRing::kAbsent) {
            qCInfo(lcHistory).noquote() << "history: temperature source" << s->key.source
                                        << "has no readings; its place goes to" << source;
            s = std::move(fresh);
            return s.get();
        }
    }
    if (!m_refusedSources.contains(source) && m_refusedSources.size() < kRefusedNamesKept) {
        m_refusedSources.insert(QString(source.constData(), source.size()));
        qCWarning(lcHistory).noquote() << "history: no room for temperature source" << source << "- at most"
                                       << m_limits.sources << "sources are kept";
    }
    return nullptr;
}

History::Series *History::series(const SeriesKey &key, bool create)
{
    if (key.kind == SeriesKind::Temperature)
        return sourceSeries(key.source, create);
    return fanSeries(key.kind, key.box, key.fan, create);
}

bool History::setFanRpm(int box, int fan, int rpm)
{
    Series *s = fanSeries(SeriesKind::FanRpm, box, fan, true);
    if (!s) {
        qCWarning(lcHistory) << "history: speed of box" << box << "fan" << fan << "refused: out of range";
        return false;
    }
    s->current = encode(SeriesKind::FanRpm, rpm);
    s->age = 0;
    return true;
}

bool History::setFanDuty(int box, int fan, int percent)
{
    Series *s = fanSeries(SeriesKind::FanDuty, box, fan, true);
    if (!s) {
        qCWarning(lcHistory) << "history: duty of box" << box << "fan" << fan << "refused: out of range";
        return false;
    }
    s->current = encode(SeriesKind::FanDuty, percent);
    return true;
}

bool History::setTemperature(const QString &source, double celsius)
{
    Series *s = sourceSeries(source, true);
    if (!s)
        return false;
    s->current = encode(SeriesKind::Temperature, celsius);
    s->age = 0;
    return true;
}

bool History::setTemperatureAbsent(const QString &source)
{
    Series *s = sourceSeries(source, true);
    if (!s)
        return false;
    s->current = SeriesRing::kAbsent;
    return true;
}

bool History::setBoxHealth(int box, int healthCode)
{
    Series *s = fanSeries(SeriesKind::BoxHealth, box, -1, true);
    if (!s) {
        qCWarning(lcHistory) << "history: health of box" << box << "refused: out of range";
        return false;
    }
    s->current = encode(SeriesKind::BoxHealth, healthCode);
    return true;
}

bool History::forgetBox(int box)
{
    if (box < 0 || box >= m_limits.boxes) {
        qCWarning(lcHistory) << "history: box" << box << "refused: out of range";
        return false;
    }
    for (int fan = 0; fan < m_limits.fansPerBox; ++fan)
        for (SeriesKind kind : {SeriesKind::FanRpm, SeriesKind::FanDuty})
            if (Series *s = fanSeries(kind, box, fan, false))
                s->current = SeriesRing::kAbsent;
    if (Series *s = fanSeries(SeriesKind::BoxHealth, box, -1, false))
        s->current = SeriesRing::kAbsent;
    return true;
}

template <typename F> void History::forEachSeries(F f)
{
    for (auto *table : {&m_rpm, &m_duty, &m_health, &m_sources})
        for (auto &s : *table)
            if (s)
                f(*s);
}

std::int16_t History::sample(Series &s) const
{
    if (!isReading(s.key.kind))
        return s.current;
    const int hold = s.key.kind == SeriesKind::FanRpm ? m_limits.rpmHoldSeconds : m_limits.temperatureHoldSeconds;
    return s.age < hold ? s.current : SeriesRing::kAbsent;
}

// Samples second m_head + 1; a minute that ends on the way is closed first.
void History::stepOneSecond()
{
    const qint64 next = m_head + 1;
    const bool newMinute = minuteOf(next) != minuteOf(m_head);
    forEachSeries([&](Series &s) {
        if (newMinute)
            s.ring.closeMinute();
        s.ring.appendSecond(sample(s));
        ++s.age;
    });
    m_head = next;
}

// n seconds pass without samples.
void History::skipSeconds(qint64 n)
{
    const qint64 minutes = minuteOf(m_head + n) - minuteOf(m_head);
    forEachSeries([&](Series &s) {
        if (minutes > 0) {
            s.ring.closeMinute();
            s.ring.appendAbsentMinutes(minutes - 1);
        }
        s.ring.appendAbsentSeconds(n);
        // A reading that came since the last sample is as new as the clock
        // now; an older one has aged through the gap.
        if (s.age > 0)
            s.age += n;
    });
    m_head += n;
}

void History::advanceTo(qint64 utcSecond)
{
    if (utcSecond <= 0) {
        qCWarning(lcHistory) << "history: clock reading" << utcSecond << "refused";
        return;
    }
    if (m_head == 0) {
        m_head = utcSecond - 1;
        stepOneSecond();
        return;
    }
    if (utcSecond < m_head) {
        qCInfo(lcHistory) << "history: the clock went back" << (m_head - utcSecond)
                          << "s; the recorded past moves back with it";
        m_head = utcSecond;
        return;
    }
    const qint64 step = utcSecond - m_head;
    if (step > kFillSeconds) {
        qCDebug(lcHistory) << "history:" << (step - 1) << "s without samples";
        skipSeconds(step - 1);
    }
    while (m_head < utcSecond)
        stepOneSecond();
}

HistoryPoints History::points(const SeriesKey &key, qint64 fromSecond, qint64 toSecond,
                              HistoryResolution resolution) const
{
    HistoryPoints out;
    out.firstSecond = fromSecond;
    if (m_head == 0 || toSecond < fromSecond)
        return out;
    if (resolution == HistoryResolution::Auto)
        resolution = fromSecond > m_head - kFineSeconds ? HistoryResolution::Seconds : HistoryResolution::Minutes;
    const Series *s = const_cast<History *>(this)->series(key, false);
    const auto push = [&out](float lo, float mid, float hi) {
        out.min.push_back(lo);
        out.mean.push_back(mid);
        out.max.push_back(hi);
    };

    if (resolution == HistoryResolution::Seconds) {
        const qint64 first = std::max(fromSecond, m_head - kFineSeconds + 1);
        const qint64 last = std::min(toSecond, m_head);
        out.firstSecond = first;
        out.stepSeconds = 1;
        if (last < first)
            return out;
        out.mean.reserve(int(last - first + 1));
        out.min.reserve(int(last - first + 1));
        out.max.reserve(int(last - first + 1));
        for (qint64 t = first; t <= last; ++t) {
            const float v = decode(key.kind, s ? s->ring.second(int(m_head - t)) : SeriesRing::kAbsent);
            push(v, v, v);
        }
        return out;
    }

    // Minutes: the complete ones from the ring and the one in progress.
    const qint64 now = minuteOf(m_head);
    const qint64 first = std::max(minuteOf(fromSecond), now - kCoarseMinutes);
    const qint64 last = std::min(minuteOf(toSecond), now);
    out.firstSecond = first * 60;
    out.stepSeconds = 60;
    if (last < first)
        return out;
    for (qint64 m = first; m <= last; ++m) {
        SeriesRing::Minute cell;
        if (s)
            cell = m == now ? s->ring.minuteInProgress() : s->ring.minute(int(now - 1 - m));
        push(decode(key.kind, cell.min), decode(key.kind, cell.mean), decode(key.kind, cell.max));
    }
    return out;
}

QVector<SeriesKey> History::seriesKeys() const
{
    QVector<SeriesKey> keys;
    for (const auto *table : {&m_rpm, &m_duty, &m_health, &m_sources})
        for (const auto &s : *table)
            if (s)
                keys.push_back(s->key);
    return keys;
}

std::size_t History::bytesReserved() const
{
    std::size_t bytes = sizeof(History);
    bytes += (m_rpm.capacity() + m_duty.capacity() + m_health.capacity() + m_sources.capacity()) *
             sizeof(std::unique_ptr<Series>);
    for (const auto *table : {&m_rpm, &m_duty, &m_health, &m_sources})
        for (const auto &s : *table)
            if (s)
                bytes += sizeof(Series) + kBlockOverhead + std::size_t(s->key.source.capacity()) * sizeof(QChar);
    for (const QString &name : m_refusedSources)
        bytes += std::size_t(name.capacity()) * sizeof(QChar) + kNameOverhead;
    return bytes;
}

std::size_t History::bytesBound(const HistoryLimits &limits)
{
    const std::size_t fans = std::size_t(limits.boxes) * std::size_t(limits.fansPerBox);
    const std::size_t table = 2 * fans + std::size_t(limits.boxes) + std::size_t(limits.sources);
    const std::size_t name = std::size_t(limits.sourceNameLength) * sizeof(QChar);
    const std::size_t names = std::size_t(limits.sources) * name + kRefusedNamesKept * (name + kNameOverhead);
    return sizeof(History) + table * sizeof(std::unique_ptr<Series>) +
           std::size_t(limits.seriesCapacity()) * (sizeof(Series) + kBlockOverhead) + names;
}
