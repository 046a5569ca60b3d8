// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Report.h"

#include <QString>
#include <QStringList>

#include <functional>

class BoxModel;
class DeviceBus;
class QObject;

// The device commands, bound to the box model they read and the device bus
// they send on. Each reads what it needs from the box records, builds its
// report (Reports) and queues it on the bus, which sends it on the box's own
// I/O thread. A command for a box that is not connected, or for a box or fan
// number out of range, sends nothing. None of them reports failure.
class Encoders {
public:
    Encoders(BoxModel &boxes, DeviceBus &bus);
    Encoders(const Encoders &) = delete;
    Encoders &operator=(const Encoders &) = delete;

    BoxModel &boxes() const { return m_boxes; }
    DeviceBus &bus() const { return m_bus; }

    // 12-LED lighting family.
    void sendCommand_Snake(int box, int fan, int lightSpeed) const;
    void sendCommand_Cycle(int box, int fan, int lightSpeed) const;
    void sendCommand_Radar(int box, int fan, int lightSpeed) const;
    void sendCommand_Blink(int box, int fan, int lightSpeed) const;
    void sendCommand_Breath(int box, int fan, int lightSpeed) const;
    void sendCommand_Whirl(int box, int fan, int lightSpeed) const;
    void sendCommand_Light(int box, int fan, int level) const;
    void sendCommand_Music(int box, int fan, int level) const;
    void sendCommand_MusicLeds(int box, int fan, int level) const;
    // The preview of the look that fan `fan` of box `shownBox` has in the editor.
    void sendCommand_Default(int box, int fan, int shownBox) const;
    void sendCommand_turnoff(int box, int fan) const;
    void sendCommand_TempColor(int box, int fan, int r, int g, int b) const;
    void sendCommand_ScriptFrame(int box, int fan, const QStringList &r, const QStringList &g, const QStringList &b,
                                 const QStringList &bright) const;
    // A ready-made 12-LED lighting report (the software effects build their own frames).
    void sendFanLightingReport(int box, const Report &report) const;

    // Fan-speed family of the 12-LED boxes, as the box takes it; nothing is
    // recorded (see the speed commands below).
    void sendCommand_FanSpeed(int box, int fan, int level) const;
    void sendCommand_FanTargetSpeed(int box, int fan, int rpm) const;
    void sendCommand_FanDuty(int box, int fan, int percent) const;
    void sendCommand_FanTempDuty(int temperature, int box, int fan) const;

    // Fan-speed family of the single-colour boxes; sent whenever the box is open
    // (even when its probe failed).
    void SetFanNormal(int box, int fan, int level) const;
    void SetFanNormalPercent(int box, int fan, int percent) const;
    void SetFanSilent(int box, int fan) const;
    void SetFanPerformance(int box, int fan) const;

    // Lighting of the single-colour fans; sent whenever the box is open.
    void SetFanColor(int box, int fan, int r, int g, int b, float bright) const;
    void SetFanRGB(int box, int fan) const;
    void SetFanBlink(int box, int fan, int r, int g, int b, float bright) const;

    // Tells the box to keep its current settings (0x32 0x53).
    void sendCommand_SaveSettings(int box) const;

    // The speed commands that the program decides, sent with the reports of
    // the encoders they call and recorded in the box model as the fan's
    // commanded duty.
    void sendFanDuty(int box, int fan, int percent);     // 12-LED fan; the box gets at least 30 %
    void sendFanTargetSpeed(int box, int fan, int rpm);  // 12-LED fan
    void sendFanSpeedLevel(int box, int fan, int level); // 12-LED fan: fanSpeedLevelRpm(level)
    void sendVaylaSilent(int box, int fan);              // single-colour fan: 0 %, it stops
    void sendVaylaPerformance(int box, int fan);         // single-colour fan: full speed
    void sendVaylaLevel(int box, int fan, int level);    // single-colour fan: vaylaLevelDuty(level)
    void sendVaylaPercent(int box, int fan, int percent);

    // Firmware version "a.b.c" of box `box`, "0" when it is not connected; waits
    // for the reply (at most about a second for a silent box).
    QString readFirmwareVersion(int box) const;

    // Speed poll of one fan: onSpeed(port, rpm) runs later on the GUI thread, only
    // for a valid reply, and not at all once `context` (if given) is gone.
    void requestFanSpeed(int box, int fan, const std::function<void(int port, int rpm)> &onSpeed,
                         QObject *context = nullptr) const;

private:
    bool connectedRainbowFan(int box, int fan) const;
    bool openVaylaFan(int box, int fan) const;
    void sendToBox(int box, const Report &report) const;
    void sendVaylaLook(int box, int fan, int mode, int r, int g, int b, float bright) const;

    BoxModel &m_boxes;
    DeviceBus &m_bus;
};

// RPM of a fixed speed level: kSilentRpm + kRpmPerSpeedLevel x level for
// 0..kMaxSpeedLevel, otherwise 0.
int fanSpeedLevelRpm(int level);
// The duty SetFanNormal sends for a level: kDutyPerSpeedStep % a step for
// 0..kMaxSpeedStep, otherwise 0.
int vaylaLevelDuty(int level);
// The duty sendCommand_FanDuty really sends: never below kMinFanDuty.
int flooredFanDuty(int percent);
