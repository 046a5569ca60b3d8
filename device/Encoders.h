#pragma once

#include "Report.h"

#include <QString>
#include <QStringList>

#include <functional>

class QObject;

// The device commands. Each reads what it needs from boxArray, builds its
// report (Reports) and queues it on the DeviceBus, which sends it on the box's
// own I/O thread. A command for a box that is not connected, or for a box or
// fan number out of range, sends nothing. None of them reports failure.

// 12-LED lighting family.
void sendCommand_Snake(int box, int fan, int lightSpeed);
void sendCommand_Cycle(int box, int fan, int lightSpeed);
void sendCommand_Radar(int box, int fan, int lightSpeed);
void sendCommand_Blink(int box, int fan, int lightSpeed);
void sendCommand_Breath(int box, int fan, int lightSpeed);
void sendCommand_Whirl(int box, int fan, int lightSpeed);
void sendCommand_Light(int box, int fan, int level);
void sendCommand_Music(int box, int fan, int level);
void sendCommand_MusicLeds(int box, int fan, int level);
void sendCommand_Default(int box, int fan);
void sendCommand_turnoff(int box, int fan);
void sendCommand_TempColor(int box, int fan, int r, int g, int b);
void sendCommand_ScriptFrame(int box, int fan, const QStringList &r, const QStringList &g,
                             const QStringList &b, const QStringList &bright);
// A ready-made 12-LED lighting report (the software effects build their own frames).
void sendFanLightingReport(int box, const Report &report);

// Fan-speed family of the 12-LED boxes.
void sendCommand_FanSpeed(int box, int fan, int level);
void sendCommand_FanTargetSpeed(int box, int fan, int rpm);
void sendCommand_FanDuty(int box, int fan, int percent);
void sendCommand_FanTempDuty(int temperature, int box, int fan);

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
void sendCommand_SaveSettings(int box);

// Firmware version "a.b.c" of box controllerBoxNumber, "0" when it is not
// connected; waits for the reply (at most about a second for a silent box).
QString readFirmwareVersion();

// Speed poll of one fan: onSpeed(port, rpm) runs later on the GUI thread, only
// for a valid reply, and not at all once `context` (if given) is gone.
void requestFanSpeed(int box, int fan, const std::function<void(int port, int rpm)> &onSpeed,
                     QObject *context = nullptr);

// RPM of a fixed speed level: kSilentRpm + kRpmPerSpeedLevel x level for
// 0..kMaxSpeedLevel, otherwise 0.
int fanSpeedLevelRpm(int level);
// The duty SetFanNormal sends for a level: kDutyPerSpeedStep % a step for
// 0..kMaxSpeedStep, otherwise 0.
int vaylaLevelDuty(int level);
// The duty sendCommand_FanDuty really sends: never below kMinFanDuty.
int flooredFanDuty(int percent);
