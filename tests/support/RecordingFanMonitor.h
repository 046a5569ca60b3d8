// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanMonitor.h"

#include <QObject>

#include <map>
#include <utility>
#include <memory>
#include <vector>

// What a fan monitor told, kept as the window shows it: the speed and the
// stopped mark of each fan of the current box, each box's alarm, the alerts
// raised (a box number per alert) and whether each box answers; and, for
// every box, each fan's last reading with its stall latch and each box's health.
class RecordingFanMonitor : public QObject {
public:
    std::map<int, int> speeds;
    std::map<int, bool> errors;
    std::map<int, bool> boxAlarm;
    std::vector<int> alerts;
    std::map<int, bool> answering;
    std::vector<int> silentAlerts;
    std::map<std::pair<int, int>, std::pair<int, bool>> readings;
    std::map<int, BoxHealth> healthOf;
    std::map<int, std::vector<BoxHealth>> healthSeen;

    // A fan monitor of its own on the encoders.
    explicit RecordingFanMonitor(Encoders &encoders)
        : m_own(std::make_unique<FanMonitor>(encoders))
    {
        listen(*m_own, encoders.boxes());
    }

    RecordingFanMonitor(FanMonitor &monitor, const BoxModel &boxes) { listen(monitor, boxes); }

    FanMonitor &monitor() { return *m_own; }

private:
    std::unique_ptr<FanMonitor> m_own;

    void listen(FanMonitor &monitor, const BoxModel &boxes)
    {
        connect(&monitor, &FanMonitor::fanSpeedRead, this,
                [this, &boxes](int box, int fan, int rpm, bool stopped, bool stallLatched) {
            readings[{box, fan}] = {rpm, stallLatched};
            if (box != boxes.currentBox())
                return;
            speeds[fan] = rpm;
            errors[fan] = stopped;
        });
        connect(&monitor, &FanMonitor::stallRaised, this, [this](int box, int) { alerts.push_back(box); });
        connect(&monitor, &FanMonitor::boxAlarm, this, [this](int box, bool alarm) { boxAlarm[box] = alarm; });
        connect(&monitor, &FanMonitor::boxHealthChanged, this, [this](int box, BoxHealth health) {
            healthOf[box] = health;
            healthSeen[box].push_back(health);
            answering[box] = health == BoxHealth::Answering;
            if (health == BoxHealth::NotAnswering)
                silentAlerts.push_back(box);
        });
    }
};
