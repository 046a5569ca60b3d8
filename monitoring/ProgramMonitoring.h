// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class BoxModel;
class FanMonitor;
class FirmwareVersions;
class Monitoring;
class QObject;

// The program's own Monitoring: its settings read from Alerts.ini and
// Metrics.ini, the history kept in the state folder, the commanded duties,
// watch flags and kinds of the boxes in `boxes`, their firmware as far as
// `firmware` knows it. `metricsListen` is --metrics (empty: the settings
// decide). Started before it is returned.
Monitoring *createProgramMonitoring(const BoxModel &boxes, const FirmwareVersions &firmware,
                                    const QString &metricsListen, const QString &version, QObject *parent);

// Every reading and every box health the fan monitor reports goes to
// `monitoring`: the reading with whether its stall is latched after it.
void connectMonitoring(FanMonitor &fans, Monitoring &monitoring);
