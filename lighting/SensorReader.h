// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TemperatureSources.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>

class QThread;
class SensorWorker;

// The sensor plug-in, called on a thread of its own: a plug-in call may take
// seconds or never return (a hung driver, a stuck bus), and the GUI thread -
// the speed poll, the command channel, the exit - must never wait for it.
// One call at a time; each result comes back through a queued signal. A call
// that does not return is left behind with its thread (abandon()): that
// thread is never joined, not even at exit, and ends with the process.
class SensorReader : public QObject {
    Q_OBJECT
public:
    explicit SensorReader(QObject *parent = nullptr);
    ~SensorReader() override;

    // Loads and initialises the plug-in at `path` in place of the one held;
    // bound() tells how it went. While a call runs, it follows that call
    // (the last path asked for wins).
    bool bind(const QString &path);
    // Loads NVIDIA's management library at `path` on the same thread, so
    // that each pass also reads the GPUs; gpusBound() tells how it went.
    // Ignored (false) while a call runs.
    bool bindGpus(const QString &path);
    // One reading pass: one sample of every source, the plug-in's and the
    // GPUs'; passDone() brings it. Ignored (false) while a call runs or
    // with neither bound.
    bool requestPass();
    // Drops the plug-in (the next pass finds none).
    void unbind();

    bool isBusy() const { return m_busy; }
    // How long the running call has taken so far (0 when none runs).
    qint64 busyMs() const { return m_busy ? m_busySince.elapsed() : 0; }
    bool hasPlugin() const { return m_hasPlugin; }
    bool hasGpus() const { return m_hasGpus; }
    // Threads left behind with a call that never returned, still running.
    int abandonedCount() const { return m_abandoned; }

    // Leaves the running call and its thread behind; a fresh thread without a
    // plug-in takes over. False when too many are left behind already: then
    // the reader stays busy until the old call returns.
    bool abandon();

    // The information dump, waited for at most waitMs (the user asked for it).
    QStringList info(int waitMs);

    static constexpr int kMaxAbandoned = 2;
    // How long the end waits for a call that still runs before leaving it.
    static constexpr int kEndGraceMs = 500;

signals:
    // `failure` says why it failed; when it worked, the plug-in's note on
    // why no CPU temperature will come (no CPU sensor driver), or nothing.
    void bound(bool ok, const QString &failure);
    void gpusBound(bool ok, const QString &failure);
    void passDone(const TemperatureSample &sample);

private:
    void startThread();
    void finishCall();
    void bindQueued();

    QThread *m_thread = nullptr;
    SensorWorker *m_worker = nullptr;
    bool m_busy = false;
    bool m_hasPlugin = false;
    bool m_hasGpus = false;
    QElapsedTimer m_busySince;
    QString m_queuedBind; // null: none
    int m_abandoned = 0;
};
