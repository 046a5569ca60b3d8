// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Limits.h"

#include <QDBusConnection>
#include <QList>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QVariantMap>

// The answer to a command that names boxes and fans: done, a bad argument
// (the call was wrong whatever the state), or refused (the state does not
// allow it, e.g. the box is not there). Nothing changes unless done.
struct BusAnswer {
    enum Kind { Done, Invalid, Refused };
    Kind kind = Done;
    QString why;
    static BusAnswer invalid(const QString &why) { return {Invalid, why}; }
    static BusAnswer refused(const QString &why) { return {Refused, why}; }
};

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
    // A fan's (fan -1: every fan's of the box) lighting: light mode, one
    // colour (r, g, b; empty: the colours stay), effect speed, brightness in
    // percent; -1 keeps a mode, speed or brightness. The ranges that do not depend on the box are
    // checked before; the host checks the box, the fan, mode and speed.
    virtual BusAnswer setLighting(int box, int fan, int mode, const QList<int> &colour, int speed,
                                  int brightness) = 0;
    // A fan's (fan -1: every fan's) speed: "silent", "performance", "follow"
    // or a speed step as decimal text.
    virtual BusAnswer setSpeed(int box, int fan, const QString &setting) = 0;
    // The values of the bus properties, by name (see docs/dbus.md); "Boxes"
    // and "Fans" as lists of maps.
    virtual QVariantMap properties() = 0;
    // The last `seconds` of a history series: "rpm" / "duty" of a fan,
    // "health" of a box, "temperature:SOURCE". Keys: docs/dbus.md.
    virtual BusAnswer history(const QString &series, int box, int fan, int seconds, QVariantMap *out) = 0;
    // Each temperature source of the last sensor pass, id -> °C.
    virtual QVariantMap sources() = 0;
    // The curves a fan can follow, by number (the numbered command's order).
    virtual QStringList curves() = 0;
    // A fan (fan -1: every fan of the box) follows the curve named `curve`.
    virtual BusAnswer setCurve(int box, int fan, const QString &curve) = 0;
};

// The program's object on the session bus. It owns its registration: taken
// at start(), given back when it goes. The program tells it what happened
// through the notify functions; it turns those into bus signals, only on a
// change (a sensor pass or a speed reading that changes nothing sends nothing).
class CoreBus : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.aurivent.Aurivent1")
    Q_PROPERTY(QList<QVariantMap> Boxes READ boxes)
    Q_PROPERTY(QList<QVariantMap> Fans READ fans)
    Q_PROPERTY(bool TemperatureKnown READ temperatureKnown)
    Q_PROPERTY(int Temperature READ temperature)
    Q_PROPERTY(QString TemperatureSource READ temperatureSource)
    Q_PROPERTY(int CurrentProfile READ currentProfile)
    Q_PROPERTY(int CurrentBox READ currentBox)
    Q_PROPERTY(QVariantMap PhoneServer READ phoneServer)
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
    // Something the properties show may have changed: they are read again
    // once the event loop is free, and what changed is told in one
    // PropertiesChanged. However often this is called before, that is one
    // signal at most (a poll of every fan makes one per box read).
    void propertiesMayHaveChanged();
    // Reads the properties now and tells what changed.
    void refreshProperties();

    QList<QVariantMap> boxes();
    QList<QVariantMap> fans();
    bool temperatureKnown();
    int temperature();
    QString temperatureSource();
    int currentProfile();
    int currentBox();
    QVariantMap phoneServer();

public slots:
    Q_SCRIPTABLE QVariantMap GetStatus();
    Q_SCRIPTABLE void LoadProfile(int profile);
    Q_SCRIPTABLE void SaveProfile(int profile);
    Q_SCRIPTABLE void SetLighting(int box, int fan, int mode, const QList<int> &colour, int speed, int brightness);
    Q_SCRIPTABLE void SetSpeed(int box, int fan, const QString &setting);
    Q_SCRIPTABLE QVariantMap GetHistory(const QString &series, int box, int fan, int seconds);
    Q_SCRIPTABLE QVariantMap ListSources();
    Q_SCRIPTABLE QStringList ListCurves();
    Q_SCRIPTABLE void SetCurve(int box, int fan, const QString &curve);

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
    void answer(const BusAnswer &a);
    // The value last told (or read) of property `name`.
    QVariant propertyValue(const char *name);

    CoreBusHost &m_host;
    QDBusConnection m_bus{QString()};
    bool m_registered = false;
    bool m_ownsName = false;
    // -1: not known yet, 0: lost, 1: reading.
    int m_temperature = -1;
    // Per box, the health last told and, per fan, whether a stall was told.
    QString m_lastHealth[kBoxCount];
    quint64 m_stalled[kBoxCount] = {};
    // The properties as last told; empty until first read.
    QVariantMap m_properties;
    bool m_refreshQueued = false;
};
