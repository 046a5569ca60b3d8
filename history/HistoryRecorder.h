// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/History.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <functional>

// Drives a History from the program: samples it at every second of the wall
// clock, keeps it in the state file (loaded at start, saved every few minutes
// and when the recorder goes), and takes what happens through slots that the
// core's signals connect to. Lives on the thread that owns the core.
class HistoryRecorder : public QObject {
    Q_OBJECT
public:
    struct Options {
        // The state file; empty keeps the history in memory only.
        QString path;
        int saveIntervalSeconds = 600;
        // Milliseconds since the epoch; the wall clock unless a test sets it.
        std::function<qint64()> clock;
        // 0: a tick just after each second of the clock; else a fixed period (tests).
        int tickIntervalMs = 0;
    };

    explicit HistoryRecorder(const HistoryLimits &limits, const Options &options, QObject *parent = nullptr);
    ~HistoryRecorder() override;

    // Loads the state file and starts sampling.
    void start();
    // Writes the state file now, on this thread; false (logged) when it
    // could not be written.
    bool saveNow();
    // The periodic save: a copy is taken here (a few ms), the packing and
    // the write run on a thread of the recorder's own. One at a time.
    void saveInBackground();

    const History &history() const { return m_history; }

public slots:
    void recordFanRpm(int box, int fan, int rpm);
    // A negative duty: none known from here (a target speed or a preset).
    void recordFanDuty(int box, int fan, int percent);
    void recordTemperature(const QString &source, double celsius);
    void recordTemperatureAbsent(const QString &source);
    void recordBoxHealth(int box, int healthCode);
    void recordBoxClosed(int box);

signals:
    // Second `utcSecond` was sampled: the time to redraw a live graph.
    void sampled(qint64 utcSecond);
    // A background save ended.
    void savedInBackground(bool ok);

private:
    void tick();
    void scheduleTick();
    qint64 nowMs() const;

    History m_history;
    Options m_options;
    QTimer m_tick;
    QTimer m_save;
    QThreadPool m_saver;
};
