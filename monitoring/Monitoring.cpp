// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitoring/Monitoring.h"

#include "alerts/AlertCenter.h"
#include "alerts/AlertSound.h"
#include "alerts/CommandAction.h"
#include "alerts/NotificationClient.h"
#include "common/FileAccess.h"
#include "common/Limits.h"
#include "common/Logging.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryTypes.h"
#include "metrics/MetricsServer.h"
#include "metrics/PrometheusText.h"
#include "metrics/TextfileWriter.h"
#include "monitoring/AlertLogFile.h"

#include <QDateTime>
#include <QHostAddress>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

BoxCondition conditionOf(BoxHealth health)
{
    switch (health) {
    case BoxHealth::Answering:
        return BoxCondition::Answering;
    case BoxHealth::NotAnswering:
        return BoxCondition::NotAnswering;
    case BoxHealth::Gone:
        break;
    }
    return BoxCondition::Gone;
}

int healthCodeOf(BoxHealth health)
{
    switch (health) {
    case BoxHealth::Answering:
        return HealthCode::Answering;
    case BoxHealth::NotAnswering:
        return HealthCode::NotAnswering;
    case BoxHealth::Gone:
        break;
    }
    return HealthCode::Gone;
}

QString metricsHealthName(BoxHealth health)
{
    switch (health) {
    case BoxHealth::Answering:
        return QStringLiteral("answering");
    case BoxHealth::NotAnswering:
        return QStringLiteral("not-answering");
    case BoxHealth::Gone:
        break;
    }
    return QStringLiteral("gone");
}

// Alerts come in bursts (a box with five fans): one write a while after.
constexpr int kAlertMarksSaveMs = 30 * 1000;

bool validFan(int box, int fan)
{
    return box >= 0 && box < kBoxCount && fan >= 0 && fan < kRainbowFanCount;
}

} // namespace

Monitoring::Monitoring(const Options &options, QObject *parent)
    : QObject(parent), m_options(options), m_celsius(std::nan(""))
{
    HistoryRecorder::Options history;
    history.path = options.historyPath;
    m_recorder = std::make_unique<HistoryRecorder>(HistoryLimits(), history);
    if (!options.historyPath.isEmpty())
        m_alertMarksPath = AlertLogFile::pathBeside(options.historyPath);
    m_alertMarksSave.setSingleShot(true);
    m_alertMarksSave.setInterval(kAlertMarksSaveMs);
    connect(&m_alertMarksSave, &QTimer::timeout, this, &Monitoring::saveAlertMarks);

    m_notifications = new NotificationClient(options.bus, this);
    m_commands = new CommandAction(this);
    m_sound = AlertSound::create();
    AlertCenter::Outputs outputs;
    outputs.notifications = m_notifications;
    outputs.commands = m_commands;
    outputs.sound = m_sound.get();
    m_alerts = new AlertCenter(options.alerts, outputs, this);
    connect(m_alerts, &AlertCenter::alertRaised, this, [this](const Alert &alert) {
        countAlert(alert, true);
        logAlert(alert);
        emit alertRaised(alert);
    });
    connect(m_alerts, &AlertCenter::alertCleared, this, [this](const Alert &alert) {
        countAlert(alert, false);
        logAlert(alert);
        emit alertCleared(alert);
    });
    connect(m_alerts, &AlertCenter::openWindowRequested, this, &Monitoring::openWindowRequested);
}

bool Monitoring::notifies(AlertKind kind) const
{
    return m_alerts->settings().action(kind).notify;
}

Monitoring::~Monitoring()
{
    // The sound's player and the commands go before the centre that uses them.
    delete m_alerts;
    m_alerts = nullptr;
}

bool Monitoring::parseListen(const QString &text, QString *address, quint16 *port, QString *why)
{
    // "ADDR:PORT", an IPv6 address in brackets: "[::1]:9745".
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    QString host = colon > 0 ? text.left(colon) : QString();
    const QString portText = colon > 0 ? text.mid(colon + 1) : QString();
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    // Digits only: toUInt() would take a sign or spaces.
    bool ok = !portText.isEmpty() && portText.size() <= 5;
    for (const QChar c : portText)
        ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const uint number = ok ? portText.toUInt(&ok) : 0;
    if (host.isEmpty() || !ok || number < 1 || number > 65535) {
        *why = QStringLiteral("expected ADDRESS:PORT with a port from 1 to 65535, not \"%1\"").arg(text);
        return false;
    }
    if (QHostAddress(host).isNull()) {
        *why = QStringLiteral("\"%1\" is no IP address").arg(host);
        return false;
    }
    *address = host;
    *port = quint16(number);
    return true;
}

bool Monitoring::start()
{
    m_startTime = double(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
    loadAlertMarks();
    m_recorder->start();
    m_alerts->started();

    bool ok = true;
    const auto render = [this] { return metricsText(); };
    QString address = m_options.metrics.address;
    quint16 port = quint16(m_options.metrics.port);
    bool serve = m_options.metrics.serve;
    if (!m_options.metricsListen.isEmpty()) {
        QString why;
        if (!parseListen(m_options.metricsListen, &address, &port, &why)) {
            qCWarning(lcMetrics).noquote() << "metrics: --metrics refused:" << why;
            return false;
        }
        serve = true;
    }
    if (serve) {
        m_server = new MetricsServer(render, this);
        if (m_server->listen(QHostAddress(address), port)) {
            qCInfo(lcMetrics).noquote() << "metrics served on" << address + QLatin1Char(':') + QString::number(m_server->port());
        } else {
            delete m_server;
            m_server = nullptr;
            ok = false;
        }
    }
    if (!m_options.metrics.textfile.isEmpty()) {
        m_textfile = new TextfileWriter(render, m_options.metrics.textfile, m_options.metrics.textfileSeconds * 1000, this);
        m_textfile->start();
    }
    return ok;
}

void Monitoring::stop()
{
    if (!m_options.historyPath.isEmpty())
        m_recorder->saveNow();
    if (m_alertMarksSave.isActive())
        saveAlertMarks();
}

void Monitoring::logAlert(const Alert &alert)
{
    m_alertLog.record(alert, QDateTime::currentSecsSinceEpoch());
    if (!m_alertMarksPath.isEmpty() && !m_alertMarksSave.isActive())
        m_alertMarksSave.start();
}

void Monitoring::loadAlertMarks()
{
    if (m_alertMarksPath.isEmpty())
        return;
    const FileAccess::Read file = FileAccess::readRegular(m_alertMarksPath, AlertLogFile::kMaxBytes);
    if (file.status == FileAccess::Read::Status::Missing)
        return;
    if (file.status != FileAccess::Read::Status::Ok) {
        qCWarning(lcHistory).noquote() << "alert marks not read from" << m_alertMarksPath + QLatin1Char(':')
                                       << file.error;
        return;
    }
    int skipped = 0;
    AlertLogFile::decode(file.bytes, QDateTime::currentSecsSinceEpoch(), &m_alertLog, &skipped);
    if (skipped > 0)
        qCWarning(lcHistory).noquote() << "alert marks:" << skipped << "unusable lines skipped in" << m_alertMarksPath;
}

void Monitoring::saveAlertMarks()
{
    m_alertMarksSave.stop();
    QString error;
    if (!FileAccess::replaceDurably(m_alertMarksPath, AlertLogFile::encode(m_alertLog), &error))
        qCWarning(lcHistory).noquote() << "alert marks not saved to" << m_alertMarksPath + QLatin1Char(':') << error;
}

quint16 Monitoring::metricsPort() const
{
    return m_server && m_server->isListening() ? m_server->port() : 0;
}

void Monitoring::fanSpeedRead(int box, int fan, int rpm, bool stopped)
{
    Q_UNUSED(stopped)
    if (!validFan(box, fan) || rpm < 0)
        return;
    const int duty = m_options.commandedDuty ? m_options.commandedDuty(box, fan) : -1;
    m_recorder->recordFanRpm(box, fan, rpm);
    m_recorder->recordFanDuty(box, fan, duty);
    FanMetrics &f = m_fans[qMakePair(box, fan)];
    f.box = box;
    f.fan = fan;
    f.rpm = rpm;
    f.duty = duty < 0 ? -1 : duty;
    if (m_options.watched)
        f.watched = m_options.watched(box, fan);
    if (!m_boxes.contains(box)) {
        BoxMetrics b;
        b.box = box;
        if (m_options.describeBox)
            m_options.describeBox(b);
        m_boxes.insert(box, b);
    }
}

void Monitoring::stallRaised(int box, int fan)
{
    if (!validFan(box, fan))
        return;
    FanMetrics &f = m_fans[qMakePair(box, fan)];
    f.box = box;
    f.fan = fan;
    f.stalled = true;
    m_alerts->fanStall(box, fan, true);
}

void Monitoring::stallCleared(int box, int fan)
{
    if (!validFan(box, fan))
        return;
    auto it = m_fans.find(qMakePair(box, fan));
    if (it != m_fans.end())
        it->stalled = false;
    m_alerts->fanStall(box, fan, false);
}

void Monitoring::boxHealthChanged(int box, BoxHealth health)
{
    if (box < 0 || box >= kBoxCount)
        return;
    if (health == BoxHealth::Gone) {
        m_recorder->recordBoxClosed(box);
        m_boxes.remove(box);
        for (int fan = 0; fan < kRainbowFanCount; ++fan)
            m_fans.remove(qMakePair(box, fan));
    } else {
        m_recorder->recordBoxHealth(box, healthCodeOf(health));
        if (!m_boxes.contains(box)) {
            BoxMetrics b;
            b.box = box;
            if (m_options.describeBox)
                m_options.describeBox(b);
            m_boxes.insert(box, b);
        }
        BoxMetrics &b = m_boxes[box];
        b.health = metricsHealthName(health);
    }
    m_alerts->boxHealth(box, conditionOf(health));
}

void Monitoring::temperature(int celsius)
{
    m_temperatureSeen = true;
    m_celsius = celsius;
    m_recorder->recordTemperature(QLatin1String(kCpuSource), celsius);
    m_alerts->temperature(QLatin1String(kCpuSource), celsius);
}

void Monitoring::temperatureMissing()
{
    m_temperatureSeen = true;
    m_celsius = std::nan("");
    m_recorder->recordTemperatureAbsent(QLatin1String(kCpuSource));
    m_alerts->temperature(QLatin1String(kCpuSource), std::nan(""));
}

void Monitoring::sourcesRead(const QVector<SourceTemperature> &sources)
{
    const auto limited = [this](const QString &id) {
        const QVector<TemperatureLimit> &limits = m_options.alerts.limits;
        return std::any_of(limits.cbegin(), limits.cend(), [&id](const TemperatureLimit &l) { return l.source == id; });
    };
    QSet<QString> seen;
    for (const SourceTemperature &r : sources) {
        // The CPU reading has its own path; a name twice counts once.
        if (r.id.isEmpty() || r.id == QLatin1String(kCpuSource) || seen.contains(r.id))
            continue;
        if (!m_otherSources.contains(r.id) && m_otherSources.size() >= kMaxOtherSources)
            continue;
        seen.insert(r.id);
        m_otherSources[r.id] = qMakePair(r.kind, r.celsius);
        m_recorder->recordTemperature(r.id, r.celsius);
        if (limited(r.id))
            m_alerts->temperature(r.id, r.celsius);
    }
    for (auto it = m_otherSources.begin(); it != m_otherSources.end(); ++it) {
        if (seen.contains(it.key()) || std::isnan(it.value().second))
            continue;
        it.value().second = std::nan("");
        m_recorder->recordTemperatureAbsent(it.key());
        if (limited(it.key()))
            m_alerts->temperature(it.key(), std::nan(""));
    }
}

void Monitoring::saveFailed(const QString &path)
{
    ++m_saveFailures;
    m_alerts->saveFailed(path);
}

void Monitoring::resumed()
{
    m_alerts->started();
}

void Monitoring::countAlert(const Alert &alert, bool raised)
{
    const QString kind = QLatin1String(alertKindName(alert.kind));
    if (raised) {
        ++m_active[kind];
        ++m_raised[kind];
    } else if (m_active.value(kind) > 0) {
        --m_active[kind];
    }
}

MetricsSnapshot Monitoring::snapshot() const
{
    MetricsSnapshot s;
    s.version = m_options.version;
    s.startTimeSeconds = m_startTime;
    s.boxes = m_boxes.values().toVector();
    if (m_options.firmware) {
        for (BoxMetrics &b : s.boxes)
            b.firmware = m_options.firmware(b.box);
    }
    s.fans = m_fans.values().toVector();
    if (m_temperatureSeen) {
        TemperatureMetrics t;
        t.source = QLatin1String(kCpuSource);
        t.kind = QStringLiteral("cpu");
        t.celsius = m_celsius;
        s.temperatures.append(t);
    }
    for (auto it = m_otherSources.cbegin(); it != m_otherSources.cend(); ++it) {
        TemperatureMetrics t;
        t.source = it.key();
        t.kind = it.value().first;
        t.celsius = it.value().second;
        s.temperatures.append(t);
    }
    s.alertsActive = m_active;
    s.alertsRaised = m_raised;
    s.saveFailures = m_saveFailures;
    return s;
}

QByteArray Monitoring::metricsText() const
{
    return PrometheusText::format(snapshot());
}
