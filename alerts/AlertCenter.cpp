// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/AlertCenter.h"

#include "alerts/AlertSound.h"
#include "alerts/AlertText.h"
#include "alerts/CommandAction.h"
#include "alerts/CommandArguments.h"
#include "alerts/NotificationClient.h"
#include "common/Logging.h"

#include <cmath>
#include <optional>

AlertCenter::AlertCenter(const AlertSettings &settings, const Outputs &outputs, QObject *parent)
    : QObject(parent), m_settings(settings), m_out(outputs), m_rules(settings.timing, settings.limits)
{
    qRegisterMetaType<Alert>();
    m_clock.start();
    m_deadline.setSingleShot(true);
    m_deadline.setTimerType(Qt::PreciseTimer);
    connect(&m_deadline, &QTimer::timeout, this, [this] { deliver(m_rules.tick(now())); });
    if (m_out.notifications)
        connect(m_out.notifications, &NotificationClient::openRequested, this, &AlertCenter::openWindowRequested);
}

void AlertCenter::setSettings(const AlertSettings &settings)
{
    m_settings = settings;
    m_rules.setTiming(settings.timing);
    deliver(m_rules.setLimits(now(), settings.limits));
}

void AlertCenter::started()
{
    deliver(m_rules.started(now()));
}

void AlertCenter::fanStall(int box, int fan, bool stalled)
{
    deliver(m_rules.fanStall(now(), box, fan, stalled));
}

void AlertCenter::boxHealth(int box, BoxCondition condition)
{
    deliver(m_rules.boxHealth(now(), box, condition));
}

void AlertCenter::temperature(const QString &source, double celsius)
{
    deliver(m_rules.temperature(now(), source, std::isfinite(celsius) ? std::optional<double>(celsius) : std::nullopt));
}

void AlertCenter::saveFailed(const QString &path)
{
    deliver(m_rules.saveFailed(now(), path));
}

void AlertCenter::saveSucceeded(const QString &path)
{
    deliver(m_rules.saveSucceeded(now(), path));
}

void AlertCenter::deliver(QVector<Alert> alerts)
{
    const QDateTime time = QDateTime::currentDateTimeUtc();
    for (Alert &a : alerts) {
        a.time = time;
        const AlertAction &action = m_settings.action(a.kind);
        if (a.raised)
            qCWarning(lcAlerts).noquote() << "alert:" << AlertText::body(a);
        else
            qCInfo(lcAlerts).noquote() << "alert over:" << AlertText::body(a);
        if (action.notify && m_out.notifications)
            m_out.notifications->show(a);
        if (a.raised && action.sound && m_out.sound)
            m_out.sound->play(m_settings.soundFile);
        if (!action.command.isEmpty() && m_out.commands)
            m_out.commands->run(action.command, commandArguments(a), m_settings.commandSeconds * 1000);
        if (a.raised)
            emit alertRaised(a);
        else
            emit alertCleared(a);
    }
    schedule();
}

void AlertCenter::schedule()
{
    const qint64 next = m_rules.nextDeadline();
    if (next < 0) {
        m_deadline.stop();
        return;
    }
    m_deadline.start(int(std::min<qint64>(std::max<qint64>(0, next - now()), 24LL * 3600 * 1000)));
}
