// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/AlertRules.h"

#include "common/Limits.h"
#include "common/Logging.h"

#include <algorithm>
#include <cmath>

namespace {

bool validBox(int box)
{
    return box >= 0 && box < kBoxCount;
}

// A source name is "chip/label"; anything far longer is no name of ours.
constexpr int kLongestSource = 256;
constexpr int kLongestPath = 4096;

qint64 ms(int seconds)
{
    return qint64(std::max(0, seconds)) * 1000;
}

} // namespace

AlertRules::AlertRules(const AlertTiming &timing, const QVector<TemperatureLimit> &limits)
    : m_timing(timing), m_limits(limits)
{
}

void AlertRules::setTiming(const AlertTiming &timing)
{
    m_timing = timing;
    for (Condition &c : m_conditions)
        if (c.alert.kind == AlertKind::TemperatureLost)
            c.delayMs = ms(m_timing.temperatureLostSeconds);
}

QVector<Alert> AlertRules::setLimits(qint64 now, const QVector<TemperatureLimit> &limits)
{
    m_limits = limits;
    QVector<Alert> out;
    for (auto it = m_conditions.begin(); it != m_conditions.end();) {
        if (it->alert.kind != AlertKind::TemperatureHigh) {
            ++it;
            continue;
        }
        const auto limit = std::find_if(m_limits.cbegin(), m_limits.cend(),
                                        [&](const TemperatureLimit &l) { return l.source == it->alert.source; });
        if (limit == m_limits.cend()) {
            if (it->sent) {
                Alert cleared = it->alert;
                cleared.raised = false;
                out << cleared;
            }
            it = m_conditions.erase(it);
            continue;
        }
        it->alert.limit = limit->celsius;
        it->alert.limitSeconds = limit->seconds;
        it->delayMs = ms(limit->seconds);
        ++it;
    }
    return out + evaluate(now);
}

QVector<Alert> AlertRules::started(qint64 now)
{
    m_warmUpEnd = now + ms(m_timing.warmUpSeconds);
    return evaluate(now);
}

AlertRules::Condition *AlertRules::condition(const QString &key, const Alert &prototype)
{
    auto it = m_conditions.find(key);
    if (it == m_conditions.end()) {
        Condition c;
        c.alert = prototype;
        it = m_conditions.insert(key, c);
    }
    return &*it;
}

void AlertRules::set(Condition &c, qint64 now, bool on)
{
    if (c.on == on)
        return;
    c.on = on;
    c.since = now;
}

QVector<Alert> AlertRules::fanStall(qint64 now, int box, int fan, bool stalled)
{
    if (!validBox(box) || fan < 0 || fan >= kRainbowFanCount) {
        qCWarning(lcAlerts) << "alerts: stall of box" << box << "fan" << fan << "refused: out of range";
        return {};
    }
    Alert a;
    a.kind = AlertKind::Stall;
    a.box = box;
    a.fan = fan;
    const QString key = a.key();
    if (!stalled && !m_conditions.contains(key))
        return evaluate(now);
    set(*condition(key, a), now, stalled);
    return evaluate(now);
}

QVector<Alert> AlertRules::boxHealth(qint64 now, int box, BoxCondition health)
{
    if (!validBox(box)) {
        qCWarning(lcAlerts) << "alerts: health of box" << box << "refused: out of range";
        return {};
    }
    Alert a;
    a.kind = AlertKind::BoxSilent;
    a.box = box;
    const QString key = a.key();
    const bool wrong = health != BoxCondition::Answering;
    if (!wrong && !m_conditions.contains(key))
        return evaluate(now);
    Condition &c = *condition(key, a);
    // The outage says what it is when it goes out; a change in between
    // (silent, then gone) is the same outage.
    if (!c.sent && wrong)
        c.alert.boxGone = health == BoxCondition::Gone;
    set(c, now, wrong);
    return evaluate(now);
}

bool AlertRules::knownSource(const QString &source)
{
    if (source.isEmpty() || source.size() > kLongestSource) {
        qCWarning(lcAlerts) << "alerts: temperature source name refused, empty or too long";
        return false;
    }
    if (m_sources.contains(source))
        return true;
    if (m_sources.size() >= kMaxSources) {
        qCWarning(lcAlerts).noquote() << "alerts: temperature source" << source << "refused: at most"
                                      << kMaxSources << "sources are followed";
        return false;
    }
    m_sources << source;
    return true;
}

QVector<Alert> AlertRules::temperature(qint64 now, const QString &source, std::optional<double> celsius)
{
    const bool reading = celsius.has_value() && std::isfinite(celsius.value_or(0.0));
    const double value = reading ? celsius.value_or(0.0) : 0.0;
    if (!knownSource(source))
        return {};
    Alert lost;
    lost.kind = AlertKind::TemperatureLost;
    lost.source = source;
    Condition &l = *condition(lost.key(), lost);
    l.delayMs = ms(m_timing.temperatureLostSeconds);
    set(l, now, !reading);

    const auto limit = std::find_if(m_limits.cbegin(), m_limits.cend(),
                                    [&](const TemperatureLimit &x) { return x.source == source; });
    if (limit != m_limits.cend()) {
        Alert high;
        high.kind = AlertKind::TemperatureHigh;
        high.source = source;
        Condition &h = *condition(high.key(), high);
        h.alert.limit = limit->celsius;
        h.alert.limitSeconds = limit->seconds;
        h.delayMs = ms(limit->seconds);
        if (reading) {
            const bool over = value > limit->celsius;
            if (over && !h.sent)
                h.alert.celsius = value;
            set(h, now, over);
        } else if (!h.sent) {
            // No reading breaks a run above the limit: it is not known to
            // have lasted. A raised one stays until a reading says it is over.
            set(h, now, false);
        }
    }
    return evaluate(now);
}

QVector<Alert> AlertRules::saveFailed(qint64 now, const QString &path)
{
    if (path.isEmpty() || path.size() > kLongestPath) {
        qCWarning(lcAlerts) << "alerts: failed save refused: no usable file name";
        return {};
    }
    Alert a;
    a.kind = AlertKind::SaveFailed;
    a.path = path;
    const QString key = a.key();
    if (!m_conditions.contains(key)) {
        int saves = 0;
        for (const Condition &c : m_conditions)
            saves += c.alert.kind == AlertKind::SaveFailed ? 1 : 0;
        if (saves >= kMaxSavePaths) {
            qCWarning(lcAlerts).noquote() << "alerts: failed save of" << path << "not followed: at most"
                                          << kMaxSavePaths << "files are";
            return evaluate(now);
        }
    }
    Condition &c = *condition(key, a);
    // A failed save is real at once, warm-up or not. It is on for the moment
    // of the failure; its quiet time runs from the last one.
    c.warmUp = false;
    set(c, now, true);
    QVector<Alert> out = evaluate(now);
    c.on = false;
    c.since = now;
    return out;
}

QVector<Alert> AlertRules::saveSucceeded(qint64 now, const QString &path)
{
    Alert a;
    a.kind = AlertKind::SaveFailed;
    a.path = path;
    auto it = m_conditions.find(a.key());
    QVector<Alert> out;
    if (it != m_conditions.end()) {
        if (it->sent) {
            Alert cleared = it->alert;
            cleared.raised = false;
            out << cleared;
        }
        m_conditions.erase(it);
    }
    return out + evaluate(now);
}

QVector<Alert> AlertRules::tick(qint64 now)
{
    return evaluate(now);
}

qint64 AlertRules::clearDelayMs(const Condition &c) const
{
    return c.alert.kind == AlertKind::SaveFailed ? ms(m_timing.saveQuietSeconds) : ms(m_timing.recoverSeconds);
}

QVector<Alert> AlertRules::evaluate(qint64 now)
{
    QVector<Alert> out;
    for (auto it = m_conditions.begin(); it != m_conditions.end();) {
        Condition &c = *it;
        if (c.on && !c.sent && now >= c.since + c.delayMs && (!c.warmUp || now >= m_warmUpEnd)) {
            c.sent = true;
            c.order = ++m_order;
            Alert raised = c.alert;
            raised.raised = true;
            out << raised;
        } else if (!c.on && c.sent && now >= c.since + clearDelayMs(c)) {
            // A failed save that just went quiet ends without a "cleared":
            // nothing says the file can be written again.
            if (c.alert.kind != AlertKind::SaveFailed) {
                Alert cleared = c.alert;
                cleared.raised = false;
                out << cleared;
            }
            it = m_conditions.erase(it);
            continue;
        } else if (!c.on && !c.sent && c.alert.kind != AlertKind::TemperatureLost &&
                   c.alert.kind != AlertKind::TemperatureHigh) {
            // Over before it counted: nothing to remember.
            it = m_conditions.erase(it);
            continue;
        }
        ++it;
    }
    // Sources whose conditions are all gone are forgotten, so the bound
    // counts the sources that matter now.
    for (int i = m_sources.size() - 1; i >= 0; --i) {
        const QString &s = m_sources[i];
        Alert probe;
        probe.source = s;
        probe.kind = AlertKind::TemperatureLost;
        const auto lost = m_conditions.constFind(probe.key());
        probe.kind = AlertKind::TemperatureHigh;
        const auto high = m_conditions.constFind(probe.key());
        const bool idle = (lost == m_conditions.cend() || (!lost->on && !lost->sent)) &&
                          (high == m_conditions.cend() || (!high->on && !high->sent));
        if (idle) {
            if (lost != m_conditions.cend())
                m_conditions.remove(QStringLiteral("temperature-lost/") + s);
            if (high != m_conditions.cend())
                m_conditions.remove(QStringLiteral("temperature-high/") + s);
            m_sources.removeAt(i);
        }
    }
    return out;
}

qint64 AlertRules::nextDeadline() const
{
    qint64 next = -1;
    const auto consider = [&next](qint64 t) { next = next < 0 ? t : std::min(next, t); };
    for (const Condition &c : m_conditions) {
        if (c.on && !c.sent)
            consider(std::max(c.since + c.delayMs, c.warmUp ? m_warmUpEnd : 0));
        else if (!c.on && c.sent)
            consider(c.since + clearDelayMs(c));
    }
    return next;
}

QVector<Alert> AlertRules::active() const
{
    QVector<const Condition *> sent;
    for (const Condition &c : m_conditions)
        if (c.sent)
            sent << &c;
    std::sort(sent.begin(), sent.end(), [](const Condition *a, const Condition *b) { return a->order < b->order; });
    QVector<Alert> out;
    for (const Condition *c : sent)
        out << c->alert;
    return out;
}
