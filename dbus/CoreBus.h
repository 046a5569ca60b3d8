// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Limits.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QVariantMap>

// What the bus object asks of the program it shows. Each call runs on the
// GUI thread; a command returns an empty text when done, or why it was refused
// (then nothing changed).
class CoreBusHost {
public:
    virtual ~CoreBusHost() = default;
    // The one-call snapshot (see docs/dbus.md for its keys).
    virtual QVariantMap status() = 0;
    virtual QString loadProfile(int profile) = 0;
    virtual QString saveProfile(int profile) = 0;
};

// The program's object on the session bus. It owns its registration: taken
// at start(), given back when it goes. The program tells it what happened
// through the notify functions; it turns those into bus signals, only on a
// change (a sensor pass or a speed reading that changes nothing sends nothing).
class CoreBus : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.aurivent.Aurivent1")
public:
    explicit CoreBus(CoreBusHost &host, QObject *parent = nullptr);
    ~CoreBus() override;

    // Registers the object and takes the name. Without a bus, or with the
    // name held by another instance, says so once in the log and returns
    // false; the program goes on without it.
    bool start(const QDBusConnection &bus);
    bool registered() const { return m_registered; }

    // Box health as the snapshot and the signals name it.
    void notifyBoxHealth(int box, const QString &health);
    void notifyStall(int box, int fan, bool stalled);
    void notifyTemperature(bool known);
    void notifyProfileLoaded(int profile);
    void notifySaveFailed(const QString &path);

public slots:
    Q_SCRIPTABLE QVariantMap GetStatus();
    Q_SCRIPTABLE void LoadProfile(int profile);
    Q_SCRIPTABLE void SaveProfile(int profile);

signals:
    Q_SCRIPTABLE void FanStalled(int box, int fan);
    Q_SCRIPTABLE void FanTurnsAgain(int box, int fan);
    Q_SCRIPTABLE void BoxHealthChanged(int box, const QString &health);
    Q_SCRIPTABLE void TemperatureLost();
    Q_SCRIPTABLE void TemperatureBack();
    Q_SCRIPTABLE void ProfileLoaded(int profile);
    Q_SCRIPTABLE void SaveFailed(const QString &path);

private:
    void refuse(const char *error, const QString &why);

    CoreBusHost &m_host;
    QDBusConnection m_bus{QString()};
    bool m_registered = false;
    bool m_ownsName = false;
    // -1: not known yet, 0: lost, 1: reading.
    int m_temperature = -1;
    // Per box, the health last told and, per fan, whether a stall was told.
    QString m_lastHealth[kBoxCount];
    quint64 m_stalled[kBoxCount] = {};
};
