// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alerts/Alert.h"
#include "alerts/AlertSettings.h"
#include "device/BoxHealth.h"
#include "metrics/MetricsSettings.h"
#include "metrics/MetricsSnapshot.h"
#include "monitoring/AlertLog.h"

#include <QDBusConnection>
#include <QMap>
#include <QObject>
#include <QTimer>
#include <QPair>
#include <QString>

#include <functional>
#include <memory>

class AlertCenter;
class AlertSound;
class CommandAction;
class HistoryRecorder;
class MetricsServer;
class NotificationClient;
class TextfileWriter;

// The program's watch over its fans: what the fan monitor and the sensors
// report goes into the history, the alert rules and the metrics. The window
// program and the service each create one and connect the monitor's signals
// to its slots; everything else (files, the notification service, the HTTP
// port) is decided here from the settings. GUI thread only.
// A temperature source besides the CPU reading, as one pass read it.
struct SourceTemperature {
    QString id;
    QString kind; // "gpu", "disk", "board", "other"
    double celsius = 0;
};

class Monitoring : public QObject {
    Q_OBJECT
public:
    // The name the one temperature the program reads is kept under.
    static constexpr const char *kCpuSource = "cpu";

    struct Options {
        // The history's state file; empty keeps it in memory only.
        QString historyPath;
        AlertSettings alerts;
        MetricsSettings metrics;
        // --metrics=ADDR:PORT: serve there whatever the settings say.
        QString metricsListen;
        // The bus for desktop notifications.
        QDBusConnection bus = QDBusConnection::sessionBus();
        // The duty in % a fan was last commanded, or a negative number when none is known.
        std::function<int(int box, int fan)> commandedDuty;
        // Whether a fan is watched for a stall.
        std::function<bool(int box, int fan)> watched;
        // Fills in a box's kind.
        std::function<void(BoxMetrics &box)> describeBox;
        // The firmware a box answered when the program last asked it (empty
        // until then): read at each snapshot, never asking the box itself.
        std::function<QString(int box)> firmware;
        QString version;
    };

    explicit Monitoring(const Options &options, QObject *parent = nullptr);
    ~Monitoring() override;

    // Loads the history, starts the warm-up and whatever metrics output is
    // set. False (logged) when the metrics address could not be bound; the
    // history and the alerts run anyway.
    bool start();
    // Writes the history file now (the program is ending).
    void stop();

    // "ADDR:PORT" of --metrics; false (with why) when it cannot be read.
    static bool parseListen(const QString &text, QString *address, quint16 *port, QString *why);

    MetricsSnapshot snapshot() const;
    QByteArray metricsText() const;
    // The port the metrics are served on; 0 when they are not.
    quint16 metricsPort() const;
    const HistoryRecorder &recorder() const { return *m_recorder; }
    HistoryRecorder &recorder() { return *m_recorder; }
    // The alerts of the last day, for the graphs' time line.
    const AlertLog &alertLog() const { return m_alertLog; }
    // The desktop's notifications of alerts, and whether a kind goes there.
    NotificationClient *notifications() const { return m_notifications; }
    bool notifies(AlertKind kind) const;

public slots:
    void fanSpeedRead(int box, int fan, int rpm, bool stopped);
    void stallRaised(int box, int fan);
    void stallCleared(int box, int fan);
    void boxHealthChanged(int box, BoxHealth health);
    void temperature(int celsius);
    void temperatureMissing();
    // One reading pass of the other temperature sources (GPUs, disks, the
    // board) by their stable id: their history and metrics, and the limits
    // the user set on them. A source of an earlier pass that this one lacks
    // was read and gave nothing. Only a limited source can raise an alert.
    void sourcesRead(const QVector<SourceTemperature> &sources);
    void saveFailed(const QString &path);
    // After a resume: a new warm-up.
    void resumed();

signals:
    void alertRaised(const Alert &alert);
    void alertCleared(const Alert &alert);
    // A notification's action: show the window.
    void openWindowRequested();

private:
    void countAlert(const Alert &alert, bool raised);
    void logAlert(const Alert &alert);
    void loadAlertMarks();
    void saveAlertMarks();

    Options m_options;
    std::unique_ptr<HistoryRecorder> m_recorder;
    AlertLog m_alertLog;
    // The alert marks are written beside the history file a while after
    // the last new one, and at the end.
    QString m_alertMarksPath;
    QTimer m_alertMarksSave;
    NotificationClient *m_notifications = nullptr;
    CommandAction *m_commands = nullptr;
    std::unique_ptr<AlertSound> m_sound;
    AlertCenter *m_alerts = nullptr;
    MetricsServer *m_server = nullptr;
    TextfileWriter *m_textfile = nullptr;

    // What the metrics show: the latest of each, as reported.
    QMap<QPair<int, int>, FanMetrics> m_fans;
    QMap<int, BoxMetrics> m_boxes;
    double m_celsius;
    bool m_temperatureSeen = false;
    // The other sources, by id: kind and last reading (NaN: none). Bounded,
    // as the history is.
    static constexpr int kMaxOtherSources = 32;
    QMap<QString, QPair<QString, double>> m_otherSources;
    QMap<QString, int> m_active;
    QMap<QString, quint64> m_raised;
    quint64 m_saveFailures = 0;
    double m_startTime = 0;
};
