// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Report.h"

#include <QString>
#include <QStringList>

#include <functional>

class BoxModel;
class QObject;

// The device commands. Each reads what it needs from the box records, builds its
// report (Reports) and queues it on the DeviceBus, which sends it on the box's
// own I/O thread. A command for a box that is not connected, or for a box or
// fan number out of range, sends nothing. None of them reports failure.

// 12-LED lighting family.
void sendCommand_Snake(const BoxModel &boxes, int box, int fan, int lightSpeed);
void sendCommand_Cycle(const BoxModel &boxes, int box, int fan, int lightSpeed);
void sendCommand_Radar(const BoxModel &boxes, int box, int fan, int lightSpeed);
void sendCommand_Blink(const BoxModel &boxes, int box, int fan, int lightSpeed);
void sendCommand_Breath(const BoxModel &boxes, int box, int fan, int lightSpeed);
void sendCommand_Whirl(const BoxModel &boxes, int box, int fan, int lightSpeed);
void sendCommand_Light(const BoxModel &boxes, int box, int fan, int level);
void sendCommand_Music(const BoxModel &boxes, int box, int fan, int level);
void sendCommand_MusicLeds(const BoxModel &boxes, int box, int fan, int level);
// The preview of the look that fan `fan` of box `shownBox` has in the editor.
void sendCommand_Default(const BoxModel &boxes, int box, int fan, int shownBox);
void sendCommand_turnoff(const BoxModel &boxes, int box, int fan);
void sendCommand_TempColor(const BoxModel &boxes, int box, int fan, int r, int g, int b);
void sendCommand_ScriptFrame(const BoxModel &boxes, int box, int fan, const QStringList &r, const QStringList &g,
                             const QStringList &b, const QStringList &bright);
// A ready-made 12-LED lighting report (the software effects build their own frames).
void sendFanLightingReport(const BoxModel &boxes, int box, const Report &report);

// Fan-speed family of the 12-LED boxes.
void sendCommand_FanSpeed(const BoxModel &boxes, int box, int fan, int level);
void sendCommand_FanTargetSpeed(const BoxModel &boxes, int box, int fan, int rpm);
void sendCommand_FanDuty(const BoxModel &boxes, int box, int fan, int percent);
void sendCommand_FanTempDuty(const BoxModel &boxes, int temperature, int box, int fan);

// Fan-speed family of the single-colour boxes; sent whenever the box is open
// (even when its probe failed).
void SetFanNormal(int box, int fan, int level);
void SetFanNormalPercent(int box, int fan, int percent);
void SetFanSilent(int box, int fan);
void SetFanPerformance(int box, int fan);

// Lighting of the single-colour fans; sent whenever the box is open.
void SetFanColor(int box, int fan, int r, int g, int b, float bright);
void SetFanRGB(int box, int fan);
void SetFanBlink(int box, int fan, int r, int g, int b, float bright);

// Tells the box to keep its current settings (0x32 0x53).
void sendCommand_SaveSettings(const BoxModel &boxes, int box);

// Firmware version "a.b.c" of box `box`, "0" when it is not connected; waits
// for the reply (at most about a second for a silent box).
QString readFirmwareVersion(const BoxModel &boxes, int box);

// Speed poll of one fan: onSpeed(port, rpm) runs later on the GUI thread, only
// for a valid reply, and not at all once `context` (if given) is gone.
void requestFanSpeed(const BoxModel &boxes, int box, int fan, const std::function<void(int port, int rpm)> &onSpeed,
                     QObject *context = nullptr);

// RPM of a fixed speed level: kSilentRpm + kRpmPerSpeedLevel x level for
// 0..kMaxSpeedLevel, otherwise 0.
int fanSpeedLevelRpm(int level);
// The duty SetFanNormal sends for a level: kDutyPerSpeedStep % a step for
// 0..kMaxSpeedStep, otherwise 0.
int vaylaLevelDuty(int level);
// The duty sendCommand_FanDuty really sends: never below kMinFanDuty.
int flooredFanDuty(int percent);
