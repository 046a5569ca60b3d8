// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class DeviceMonitor;
class Monitoring;
class SleepWatch;
class SoftwareEffects;

// What the program does when the computer wakes up: the temperature is read
// afresh, every box is sent its settings again (its fans given their
// spin-up time), and the alerts warm up again. Going to sleep sends nothing.
void followSleep(SleepWatch &watch, DeviceMonitor &devices, SoftwareEffects &effects, Monitoring &monitoring);
