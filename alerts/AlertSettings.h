// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alerts/Alert.h"
#include "alerts/AlertRules.h"
#include "storage/IniHelper.h"

#include <QString>
#include <QVector>

#include <array>

namespace IniFile {
struct Contents;
}

// What the user chose to happen for one kind of alert.
struct AlertAction {
    bool notify = true;  // a desktop notification
    bool sound = false;  // the alert sound
    QString command;     // absolute path of a program run for it; empty: none
};

// Everything about alerts that the user sets, kept in Alerts.ini in the data
// folder beside the device file (a file of its own: a program without alerts
// never sees it). A missing file or key means the default below.
//
//   [Alerts]  WarmUpSeconds=30  RecoverSeconds=10  TemperatureLostSeconds=15
//             CommandSeconds=10  SoundFile=
//   [Stall] [BoxSilent] [TemperatureLost] [TemperatureHigh] [SaveFailed]
//             Notify=1  Sound=0  Command=
//   [Limit1] .. [Limit16]  Source=amdgpu-pci-0300/edge  Celsius=85  Seconds=30
struct AlertSettings {
    static constexpr int kMaxLimits = 16;

    AlertTiming timing;
    // How long a command may run before it is stopped.
    int commandSeconds = 10;
    // Absolute path of a sound file; empty: the program's own tone.
    QString soundFile;
    std::array<AlertAction, kAlertKindCount> actions;
    QVector<TemperatureLimit> limits;

    const AlertAction &action(AlertKind kind) const { return actions[std::size_t(kind)]; }
    AlertAction &action(AlertKind kind) { return actions[std::size_t(kind)]; }
};

namespace AlertSettingsFile {

// <data folder>/Alerts.ini
QString path();

// Every value is checked; one out of range, of the wrong form or a path that
// is not absolute is refused (logged) and its default kept.
AlertSettings parse(const IniFile::Contents &contents);
GroupMap groups(const AlertSettings &settings);

AlertSettings read(const QString &file = path());
// False (logged, and told to SaveFailures) when the file is not on disk whole.
bool write(const AlertSettings &settings, const QString &file = path());

}
