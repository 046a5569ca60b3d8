// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryRecorder.h"

#include "common/Logging.h"
#include "history/HistoryFile.h"

#include <QDateTime>

namespace {
// Past the second, so that a timer that fires a little early still lands in it.
constexpr int kTickLateMs = 20;
}

HistoryRecorder::HistoryRecorder(const HistoryLimits &limits, const Options &options, QObject *parent)
    : QObject(parent), m_history(limits), m_options(options)
{
    m_tick.setSingleShot(true);
    m_tick.setTimerType(Qt::PreciseTimer);
    connect(&m_tick, &QTimer::timeout, this, &HistoryRecorder::tick);
    m_save.setInterval(std::max(1, m_options.saveIntervalSeconds) * 1000);
    connect(&m_save, &QTimer::timeout, this, &HistoryRecorder::saveInBackground);
    m_saver.setMaxThreadCount(1);
}

HistoryRecorder::~HistoryRecorder()
{
    // A save on its way ends first (it takes well under a second); the last
    // word is the save of what is in memory now.
    m_saver.waitForDone();
    if (m_save.isActive())
        saveNow();
}

qint64 HistoryRecorder::nowMs() const
{
    return m_options.clock ? m_options.clock() : QDateTime::currentMSecsSinceEpoch();
}

void HistoryRecorder::start()
{
    if (!m_options.path.isEmpty()) {
        HistoryFile::load(m_history, m_options.path);
        m_save.start();
    }
    tick();
}

bool HistoryRecorder::saveNow()
{
    if (m_options.path.isEmpty())
        return false;
    return HistoryFile::save(m_history, m_options.path);
}

void HistoryRecorder::saveInBackground()
{
    if (m_options.path.isEmpty())
        return;
    if (m_saver.activeThreadCount() > 0) {
        qCDebug(lcHistory) << "history: a save is still on its way; this one is skipped";
        return;
    }
    const QByteArray payload = HistoryFile::payload(m_history);
    const QString path = m_options.path;
    m_saver.start(QRunnable::create([this, payload, path] {
        const bool ok = HistoryFile::write(HistoryFile::pack(payload), path);
        QMetaObject::invokeMethod(this, [this, ok] { emit savedInBackground(ok); }, Qt::QueuedConnection);
    }));
}

void HistoryRecorder::tick()
{
    const qint64 second = nowMs() / 1000;
    const qint64 before = m_history.headSecond();
    m_history.advanceTo(second);
    if (m_history.headSecond() != before)
        emit sampled(m_history.headSecond());
    scheduleTick();
}

void HistoryRecorder::scheduleTick()
{
    if (m_options.tickIntervalMs > 0) {
        m_tick.start(m_options.tickIntervalMs);
        return;
    }
    const qint64 intoSecond = nowMs() % 1000;
    m_tick.start(int(1000 - intoSecond) + kTickLateMs);
}

void HistoryRecorder::recordFanRpm(int box, int fan, int rpm)
{
    m_history.setFanRpm(box, fan, rpm);
}

void HistoryRecorder::recordFanDuty(int box, int fan, int percent)
{
    m_history.setFanDuty(box, fan, percent);
}

void HistoryRecorder::recordTemperature(const QString &source, double celsius)
{
    m_history.setTemperature(source, celsius);
}

void HistoryRecorder::recordTemperatureAbsent(const QString &source)
{
    m_history.setTemperatureAbsent(source);
}

void HistoryRecorder::recordBoxHealth(int box, int healthCode)
{
    m_history.setBoxHealth(box, healthCode);
}

void HistoryRecorder::recordBoxClosed(int box)
{
    m_history.forgetBox(box);
}
