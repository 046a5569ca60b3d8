// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BoxTable.h"

#include <QString>

// The duty in percent that a fan was last commanded by the program, or
// kNoCommandedDuty when its last speed command was a target speed or a
// preset (or nothing was commanded since the box was opened or forgotten).
constexpr int kNoCommandedDuty = -1;

// The boxes as the program knows them: one record per slot, what the program
// last told each fan's speed to be, the box the main window shows, and the
// connection maps of the last discovery and the last quick scan. One
// instance, owned by the core and handed by reference to whoever reads or
// changes the records; handles and I/O belong to the device bus. GUI thread only.
class BoxModel {
public:
    BoxModel() = default;
    BoxModel(const BoxModel &) = delete;
    BoxModel &operator=(const BoxModel &) = delete;

    // Record of slot `box`; the number must be valid (isValidBox).
    ControllerBox &operator[](int box);
    const ControllerBox &operator[](int box) const;

    BoxRecords &records() { return m_records; }
    const BoxRecords &records() const { return m_records; }
    ControllerBox *begin() { return m_records.data(); }
    ControllerBox *end() { return m_records.data() + m_records.size(); }
    const ControllerBox *begin() const { return m_records.data(); }
    const ControllerBox *end() const { return m_records.data() + m_records.size(); }

    // The box the main window shows and the editors address ("nowFan" in logs).
    int currentBox() const { return m_currentBox; }
    void setCurrentBox(int box);
    bool isConnected(int box) const { return isValidBox(box) && m_records[box].gIsConnected; }

    // 16 '0'/'1' characters: the boxes connected after the last discovery.
    const QString &connectionMap() const { return m_connectionMap; }
    void setConnectionMap(const QString &map) { m_connectionMap = map; }
    // What the last quick presence scan saw.
    const QString &quickScanMap() const { return m_quickScanMap; }
    void setQuickScanMap(const QString &map) { m_quickScanMap = map; }

    // Every record and the values beside them back to their start values.
    void reset();

    // What fan `fan` (position 0..4 of either kind) of box `box` was last
    // commanded; recorded only while the box is connected.
    int commandedDuty(int box, int fan) const;
    void recordDuty(int box, int fan, int duty);
    // A fan commanded to run at 0 % stands still on purpose: its zero speed is
    // no stall, raises no alert and shows no error.
    bool isStoppedOnPurpose(int box, int fan) const { return commandedDuty(box, fan) == 0; }
    // Whether a zero reading of the fan is no stall: it was told to stand
    // still, or was just told to turn again after standing still (each such
    // reading uses up one of the few it is forgiven while it spins up).
    bool takeZeroAsExpected(int box, int fan);
    // The fan reads a speed: it has spun up.
    void fanTurns(int box, int fan);
    // The computer woke up: every fan of a connected box that is meant to
    // turn spins up afresh, so its first zero readings are forgiven again.
    void giveSpinUpTime();
    // Forgets what box `box` was commanded, for a box that was closed or opened
    // again (it runs at its power-on speed then); -1 forgets every box.
    void forgetCommandedDuties(int box);

    // The last speed reading of fan `fan` (position 0..4 of either kind).
    struct FanReading {
        int rpm = -1;         // none yet
        bool stopped = false; // shown as a stopped fan
        bool operator==(const FanReading &o) const { return rpm == o.rpm && stopped == o.stopped; }
        bool operator!=(const FanReading &o) const { return !(*this == o); }
    };
    FanReading reading(int box, int fan) const;
    void setReading(int box, int fan, int rpm, bool stopped);
    // What the readings of box `box` said no longer holds (its kind of fans
    // changed); -1: every box.
    void forgetReadings(int box);

private:
    // What each fan was last told (fan positions of either kind).
    struct CommandedSpeed {
        int duty = kNoCommandedDuty;
        // Zero readings still to forgive after a fan that stood still was told
        // to turn again: it takes a moment to spin up.
        int spinUpReadings = 0;
    };

    BoxRecords m_records{};
    CommandedSpeed m_commanded[kBoxCount][kRainbowFanCount];
    FanReading m_readings[kBoxCount][kRainbowFanCount];
    int m_currentBox = 0;
    QString m_connectionMap;
    QString m_quickScanMap;
};
