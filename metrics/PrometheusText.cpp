// SPDX-License-Identifier: GPL-3.0-or-later
#include "metrics/PrometheusText.h"

#include <QLocale>

#include <cmath>

namespace PrometheusText {

namespace {

// One metric family: its help and type, then its samples.
class Family {
public:
    Family(QByteArray &out, const char *name, const char *type, const char *help) : m_out(out), m_name(name)
    {
        m_out += QByteArrayLiteral("# HELP ") + name + ' ' + help + '\n';
        m_out += QByteArrayLiteral("# TYPE ") + name + ' ' + type + '\n';
    }

    void sample(std::initializer_list<std::pair<const char *, QString>> labels, double value)
    {
        m_out += m_name;
        if (labels.size() > 0) {
            m_out += '{';
            bool first = true;
            for (const auto &label : labels) {
                if (!first)
                    m_out += ',';
                first = false;
                m_out += label.first;
                m_out += "=\"";
                m_out += escapeLabel(label.second);
                m_out += '"';
            }
            m_out += '}';
        }
        m_out += ' ';
        m_out += number(value);
        m_out += '\n';
    }

private:
    QByteArray &m_out;
    const char *m_name;
};

QString one(int zeroBased)
{
    return QString::number(zeroBased + 1);
}

const char *const kHealthStates[] = {"answering", "not-answering", "gone"};

} // namespace

QByteArray escapeLabel(const QString &value)
{
    QByteArray out;
    const QByteArray utf8 = value.toUtf8();
    out.reserve(utf8.size());
    for (char c : utf8) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '"')
            out += "\\\"";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

QByteArray number(double value)
{
    if (std::isnan(value))
        return QByteArrayLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QByteArrayLiteral("+Inf") : QByteArrayLiteral("-Inf");
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QByteArray::number(qint64(value));
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

QByteArray format(const MetricsSnapshot &s)
{
    QByteArray out;
    out.reserve(4096 + s.fans.size() * 400);

    Family info(out, "aurivent_info", "gauge", "The running program; its version as a label.");
    info.sample({{"version", s.version}}, 1);
    Family start(out, "aurivent_start_time_seconds", "gauge", "When the program started, in seconds since the epoch.");
    start.sample({}, s.startTimeSeconds);

    Family boxState(out, "aurivent_box_state", "gauge",
                    "1 for the state an open controller is in (answering, not-answering, gone), 0 for the others.");
    for (const BoxMetrics &b : s.boxes)
        for (const char *state : kHealthStates)
            boxState.sample({{"box", one(b.box)}, {"state", QString::fromLatin1(state)}},
                            b.health == QLatin1String(state) ? 1 : 0);
    Family boxInfo(out, "aurivent_box_info", "gauge", "An open controller: its kind and firmware as labels.");
    for (const BoxMetrics &b : s.boxes)
        boxInfo.sample({{"box", one(b.box)}, {"type", b.type}, {"firmware", b.firmware}}, 1);

    Family rpm(out, "aurivent_fan_speed_rpm", "gauge", "The fan's speed as last read back, in revolutions per minute.");
    for (const FanMetrics &f : s.fans)
        if (f.rpm >= 0)
            rpm.sample({{"box", one(f.box)}, {"fan", one(f.fan)}}, f.rpm);
    Family duty(out, "aurivent_fan_duty_ratio", "gauge", "The duty the program last commanded the fan, 0 to 1.");
    for (const FanMetrics &f : s.fans)
        if (f.duty >= 0 && f.duty <= 100)
            duty.sample({{"box", one(f.box)}, {"fan", one(f.fan)}}, f.duty / 100.0);
    Family watched(out, "aurivent_fan_watched", "gauge", "1 when the fan's speed is watched for a stall.");
    for (const FanMetrics &f : s.fans)
        watched.sample({{"box", one(f.box)}, {"fan", one(f.fan)}}, f.watched ? 1 : 0);
    Family stalled(out, "aurivent_fan_stalled", "gauge", "1 while a watched fan stands still.");
    for (const FanMetrics &f : s.fans)
        stalled.sample({{"box", one(f.box)}, {"fan", one(f.fan)}}, f.stalled ? 1 : 0);

    Family celsius(out, "aurivent_temperature_celsius", "gauge", "The last reading of a temperature source.");
    for (const TemperatureMetrics &t : s.temperatures)
        if (std::isfinite(t.celsius))
            celsius.sample({{"source", t.source}, {"kind", t.kind}}, t.celsius);
    Family available(out, "aurivent_temperature_available", "gauge", "1 when the source gave a reading at its last pass.");
    for (const TemperatureMetrics &t : s.temperatures)
        available.sample({{"source", t.source}, {"kind", t.kind}}, std::isfinite(t.celsius) ? 1 : 0);

    Family active(out, "aurivent_alerts_active", "gauge", "Alerts raised and not over, by kind.");
    for (auto it = s.alertsActive.cbegin(); it != s.alertsActive.cend(); ++it)
        active.sample({{"kind", it.key()}}, it.value());
    Family raised(out, "aurivent_alerts_raised_total", "counter", "Alerts raised since the program started, by kind.");
    for (auto it = s.alertsRaised.cbegin(); it != s.alertsRaised.cend(); ++it)
        raised.sample({{"kind", it.key()}}, double(it.value()));
    Family saves(out, "aurivent_save_failures_total", "counter", "Settings files that could not be written since start.");
    saves.sample({}, double(s.saveFailures));
    return out;
}

}
