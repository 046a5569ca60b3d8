// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dbus/CoreBus.h"

#include <QString>

class Controller;

// The control loop as the bus object sees it: the snapshot read from the box
// model, the view state and the phone server, the profile commands carried
// out as the window's profile buttons do, and the monitor's, the sensors' and
// the files' news passed on. Owned by the Controller; GUI thread only.
class BusGlue final : public QObject, public CoreBusHost {
    Q_OBJECT
public:
    explicit BusGlue(Controller &control);

    // Puts the object on `bus` (see CoreBus::start).
    bool start(const QDBusConnection &bus) { return m_bus->start(bus); }
    CoreBus &bus() { return *m_bus; }

    QVariantMap status() override;
    QString loadProfile(int profile) override;
    QString saveProfile(int profile) override;
    BusAnswer setLighting(int box, int fan, int mode, const QList<int> &colour, int speed, int brightness) override;
    BusAnswer setSpeed(int box, int fan, const QString &setting) override;
    QVariantMap properties() override;
    BusAnswer history(const QString &series, int box, int fan, int seconds, QVariantMap *out) override;
    QVariantMap sources() override;
    QStringList curves() override;
    BusAnswer setCurve(int box, int fan, const QString &curve) override;

private:
    QVariantMap boxStatus(int box);
    // The box is there and the fan (-1: all) is one of its kind's.
    BusAnswer checkTarget(int box, int fan);
    void setRgbLighting(int box, int fan, int mode, const QList<int> &colour, int speed, int brightness);
    void setSingleColourLighting(int box, int fan, int mode, const QList<int> &colour, int brightness);

    Controller &m_control;
    CoreBus *m_bus = nullptr;
    QString m_health[kBoxCount];
    // The last sensor pass: source id -> °C.
};
