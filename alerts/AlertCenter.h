// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alerts/Alert.h"
#include "alerts/AlertRules.h"
#include "alerts/AlertSettings.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class AlertSound;
class CommandAction;
class NotificationClient;

// Where the program's alerts go: it feeds the rules with what the core
// reports, stamps each alert that comes out, logs it, and hands it to the
// ways out the user chose for its kind (notification, sound, command). The
// tray, the D-Bus signal and the graphs take the alertRaised / alertCleared
// signals. The ways out belong to the caller; any of them may be absent.
class AlertCenter : public QObject {
    Q_OBJECT
public:
    struct Outputs {
        NotificationClient *notifications = nullptr;
        CommandAction *commands = nullptr;
        AlertSound *sound = nullptr;
    };

    AlertCenter(const AlertSettings &settings, const Outputs &outputs, QObject *parent = nullptr);

    void setSettings(const AlertSettings &settings);
    const AlertSettings &settings() const { return m_settings; }
    QVector<Alert> active() const { return m_rules.active(); }

public slots:
    // Start and resume: the warm-up begins.
    void started();
    void fanStall(int box, int fan, bool stalled);
    void boxHealth(int box, BoxCondition condition);
    // NaN: the source was read and gave nothing.
    void temperature(const QString &source, double celsius);
    void saveFailed(const QString &path);
    void saveSucceeded(const QString &path);

signals:
    void alertRaised(const Alert &alert);
    void alertCleared(const Alert &alert);
    // From a notification's action: show the window.
    void openWindowRequested();

private:
    qint64 now() const { return m_clock.elapsed(); }
    void deliver(QVector<Alert> alerts);
    void schedule();

    AlertSettings m_settings;
    Outputs m_out;
    AlertRules m_rules;
    QElapsedTimer m_clock;
    QTimer m_deadline;
};
