// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BoxHealth.h"

#include <QList>
#include <QObject>

class BoxModel;
class Encoders;

// The speed poll and what it finds: every fan's speed, a watched fan that
// stops (the stall alarm) and a box that stops answering. It asks through the
// encoders it is given, keeps the last reading and the stall latch of every
// fan in the box model, and says what happened through its signals; the
// window, the service and their alerts listen. GUI thread only.
class FanMonitor : public QObject {
    Q_OBJECT
public:
    explicit FanMonitor(Encoders &encoders, QObject *parent = nullptr);

    // Asks every watched fan of every connected box for its speed. A
    // single-colour box is asked for its three fans only, each gated by its
    // own monitor flag: it has no fourth and fifth fan whose zero would look
    // like a stall. `onlyFan` >= 0 asks that fan position alone, for a poll
    // spread over the second.
    void poll(int onlyFan = -1);

    // One speed reading of box `box` (port 1..5, checked here).
    void onFanSpeed(int box, int port, int rpm);

    // The health of an open box changed: told once, in the log and by a signal.
    void onBoxHealth(int box, BoxHealth health);

    // The box is shown afresh (start-up, a device change): the stall of every
    // watched fan of the current box whose latch is set is raised again.
    void raiseLatchedStalls();

signals:
    // Every reading: fan `fan` (0-based) of box `box` turns at `rpm`;
    // `stopped` when it is shown as a stopped fan; `stallLatched` whether its
    // stall is latched after this reading (what the history, the alerts and
    // the metrics follow).
    void fanSpeedRead(int box, int fan, int rpm, bool stopped, bool stallLatched);
    // A watched fan stopped (its latch is set), or is raised again by
    // raiseLatchedStalls().
    void stallRaised(int box, int fan);
    // A latched fan turns again, or may stand still (stopped on purpose, not watched).
    void stallCleared(int box, int fan);
    // After every reading of box `box`: whether any of its watched fans is latched.
    void boxAlarm(int box, bool alarm);
    // An open box answers again, stopped answering (its fans are not watched
    // any more) or is gone.
    void boxHealthChanged(int box, BoxHealth health);

private:
    Encoders &m_encoders;
    BoxModel &m_boxes;
};

// The fans of box `box` (0-based) whose stop the monitor has latched and that
// are still watched: the ones a stall alert names.
QList<int> latchedStalls(const BoxModel &boxes, int box);
