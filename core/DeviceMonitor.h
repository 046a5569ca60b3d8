// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/Discovery.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class BoxModel;
class Encoders;
class FanMonitor;
class QTimer;

// Discovery, the once-a-second speed poll and box health, on the box model
// it is given. Owns the poll's timer; speeds, stalls and silent boxes are
// told by the fan monitor's signals, what discovery found by its own.
class DeviceMonitor : public QObject, private DiscoveryHost {
    Q_OBJECT
public:
    static constexpr int kPollMs = 1000;
    // The poll asks one fan position of every box at a time, spread over the
    // second, so that a box never gets all its speed queries at once.
    static constexpr int kPollSteps = 5;

    DeviceMonitor(Encoders &encoders, FanMonitor &fans, QObject *parent = nullptr);
    ~DeviceMonitor() override;

    // Full discovery; the poll starts when a box answers. Box health is
    // listened to from here on (again, after stop()).
    void discover();
    // No poll and no health news any more, until the next discover(): for
    // a listener that goes away while the core stays.
    void stop();
    // The device set may have changed (see handleDeviceChange()).
    void deviceChanged(const QList<QByteArray> &removedNodes);
    // The computer woke up. A box may have lost power while it slept and be
    // back at its power-on defaults without being unplugged: every box
    // present is sent its settings again, as after a replug, and its fans
    // get their spin-up time before a zero reading counts as a stall.
    void resumed();
    // One whole pass of the poll; what a crash would leave the fans at follows it.
    void poll();
    // One step of the spread poll: the next fan position of every box.
    void pollStep();

    void startSpeedPoll() override; // unless it runs already: its rhythm is kept
    void stopSpeedPoll() override;
    bool isPolling() const;

signals:
    // The first connected box's stored profile is the current one.
    void currentProfileFound(int profile);
    // Which boxes are connected, one digit per box: the phone's box list.
    void connectionMapChanged(const QString &map);
    // Box `box` is the current box now (its own went away).
    void currentBoxChosen(int box);
    // Box `box` is there or not, after a device change.
    void boxPresenceChanged(int box, bool present);
    // Box `box` was opened again or answers again after silence (maybe after
    // a power cycle that put it back to its defaults): it needs its settings.
    void boxNeedsSettings(int box);
    // Box `box` was opened after a device change (plugged in, maybe again):
    // it may be another box than the one that had its slot.
    void boxOpenedAfresh(int box);

private:
    // Discovery's news, told as the signals above.
    void setCurrentProfile(int profile) override;
    void announceConnectionMap(const QString &map) override;
    void checkBoxButton(int box) override;
    void setBoxButtonPresent(int box, bool present) override;
    void resetFanView() override;
    void boxOpened(int box) override;
    void listenToHealth();

    Encoders &m_encoders;
    BoxModel &m_boxes;
    FanMonitor &m_fans;
    QTimer *m_pollTimer;
    int m_pollStep = 0;
};
