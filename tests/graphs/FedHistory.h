// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryReader.h"

#include <QMap>
#include <QObject>

#include <cmath>
#include <functional>

// A history fed by the test: whole series with a value (or NaN) per second,
// events, and a sample call the test makes. Counts every read, so a test
// can tell that a closed window reads nothing.
class FedHistory : public HistoryReader {
public:
    qint64 head = 0;
    QVector<SeriesKey> keys;
    // Per key index: values by second.
    QVector<QMap<qint64, float>> values;
    QVector<HistoryEvent> eventList;
    mutable int reads = 0;

    void set(const SeriesKey &key, qint64 second, float value)
    {
        int i = keys.indexOf(key);
        if (i < 0) {
            keys.push_back(key);
            values.push_back({});
            i = keys.size() - 1;
        }
        values[i].insert(second, value);
    }

    // The history sampled one more second: whoever listens hears it.
    void sample() { ticker.setObjectName(ticker.objectName() + QLatin1Char('x')); }
    int liveSubscribers() const { return ticker.listeners(); }

    qint64 headSecond() const override
    {
        ++reads;
        return head;
    }
    QVector<SeriesKey> seriesKeys() const override
    {
        ++reads;
        return keys;
    }
    HistoryPoints points(const SeriesKey &key, qint64 from, qint64 to, HistoryResolution resolution) const override
    {
        ++reads;
        HistoryPoints p;
        p.stepSeconds = resolution == HistoryResolution::Minutes ? 60 : 1;
        p.firstSecond = from - (from % p.stepSeconds + p.stepSeconds) % p.stepSeconds;
        const int i = keys.indexOf(key);
        for (qint64 s = p.firstSecond; s <= to; s += p.stepSeconds) {
            float lo = NAN, sum = 0, hi = NAN;
            int n = 0;
            for (qint64 t = s; t < s + p.stepSeconds; ++t) {
                if (i < 0 || !values[i].contains(t) || std::isnan(values[i].value(t)))
                    continue;
                const float v = values[i].value(t);
                lo = n ? std::min(lo, v) : v;
                hi = n ? std::max(hi, v) : v;
                sum += v;
                ++n;
            }
            p.min.push_back(lo);
            p.mean.push_back(n ? sum / n : NAN);
            p.max.push_back(hi);
        }
        return p;
    }
    QVector<HistoryEvent> events(qint64 from, qint64 to) const override
    {
        ++reads;
        QVector<HistoryEvent> out;
        for (const HistoryEvent &e : eventList)
            if (e.second >= from && e.second <= to)
                out.push_back(e);
        return out;
    }
    QMetaObject::Connection onSampled(QObject *context, std::function<void()> sampled) override
    {
        return QObject::connect(&ticker, &QObject::objectNameChanged, context, [sampled] { sampled(); });
    }

private:
    struct Ticker : QObject {
        int listeners() const { return receivers(SIGNAL(objectNameChanged(QString))); }
    };
    Ticker ticker;
};
