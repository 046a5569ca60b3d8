// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alerts/Alert.h"

#include <QMap>
#include <QString>
#include <QVector>

#include <optional>

// A temperature a source must not stay above for longer than `seconds`.
struct TemperatureLimit {
    QString source;
    double celsius = 85.0;
    int seconds = 30;
};

struct AlertTiming {
    // After start and resume, nothing is raised for this long: a fan that
    // spins up or a sensor that wakes late is no alert. What is still wrong
    // when it ends is raised then.
    int warmUpSeconds = 30;
    // An outage ends when its condition has been gone this long; until then
    // it flapping back counts as the same outage.
    int recoverSeconds = 10;
    // A source without a reading for this long is lost.
    int temperatureLostSeconds = 15;
    // A failed save with neither a successful save of the same file nor
    // another failure for this long is forgotten without a "cleared".
    int saveQuietSeconds = 600;
};

// Which alerts go out, and when, from what the program reports. Pure: every
// input carries the time (milliseconds of a monotonic clock) and returns the
// alerts it causes; tick() lets time pass. Each outage raises one alert and
// ends with one clear, whatever happens in between.
//
// Inputs out of range are refused (logged). At most kMaxSources temperature
// sources and kMaxSavePaths files are followed at once.
class AlertRules {
public:
    static constexpr int kMaxSources = 32;
    static constexpr int kMaxSavePaths = 16;

    explicit AlertRules(const AlertTiming &timing = AlertTiming(),
                        const QVector<TemperatureLimit> &limits = QVector<TemperatureLimit>());

    void setTiming(const AlertTiming &timing);
    // Sources no longer limited lose their high-temperature outage (cleared
    // if it was raised).
    QVector<Alert> setLimits(qint64 now, const QVector<TemperatureLimit> &limits);

    // Start or resume: the warm-up begins.
    QVector<Alert> started(qint64 now);
    QVector<Alert> fanStall(qint64 now, int box, int fan, bool stalled);
    QVector<Alert> boxHealth(qint64 now, int box, BoxCondition condition);
    // A reading of a source, or none (std::nullopt) when it was read and gave nothing.
    QVector<Alert> temperature(qint64 now, const QString &source, std::optional<double> celsius);
    QVector<Alert> saveFailed(qint64 now, const QString &path);
    QVector<Alert> saveSucceeded(qint64 now, const QString &path);
    QVector<Alert> tick(qint64 now);

    // When tick() next has something to do, or -1 when nothing waits on time.
    qint64 nextDeadline() const;
    // The alerts raised and not cleared, oldest outage first.
    QVector<Alert> active() const;

private:
    struct Condition {
        Alert alert;
        bool on = false;
        qint64 since = 0;        // when `on` last changed
        qint64 delayMs = 0;      // how long it must be on before it is raised
        bool warmUp = true;      // held back during the warm-up
        bool sent = false;       // raised, not yet cleared
        quint64 order = 0;       // outage order, for active()
    };

    Condition *condition(const QString &key, const Alert &prototype);
    void set(Condition &c, qint64 now, bool on);
    QVector<Alert> evaluate(qint64 now);
    qint64 clearDelayMs(const Condition &c) const;
    bool knownSource(const QString &source);

    AlertTiming m_timing;
    QVector<TemperatureLimit> m_limits;
    qint64 m_warmUpEnd = 0;
    QMap<QString, Condition> m_conditions;
    QStringList m_sources;
    quint64 m_order = 0;
};
