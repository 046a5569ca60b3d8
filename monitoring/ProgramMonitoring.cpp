// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitoring/ProgramMonitoring.h"

#include "alerts/AlertSettings.h"
#include "device/BoxModel.h"
#include "device/FanMonitor.h"
#include "device/FirmwareVersions.h"
#include "history/HistoryFile.h"
#include "metrics/MetricsSettings.h"
#include "monitoring/Monitoring.h"


Monitoring *createProgramMonitoring(const BoxModel &boxes, const FirmwareVersions &firmware,
                                    const QString &metricsListen, const QString &version, QObject *parent)
{
    Monitoring::Options o;
    o.historyPath = HistoryFile::defaultPath();
    o.alerts = AlertSettingsFile::read();
    o.metrics = MetricsSettingsFile::read();
    o.metricsListen = metricsListen;
    o.version = version;
    const BoxModel *model = &boxes;
    o.commandedDuty = [model](int box, int fan) { return model->commandedDuty(box, fan); };
    o.watched = [model](int box, int fan) {
        if (!isValidBox(box))
            return false;
        const ControllerBox &b = (*model)[box];
        if (b.isVaylaBox())
            return fan < kVaylaFanCount && b.vaylaFan[fan].isMonitor;
        return b.rainbowFan[fan].isMonitor && b.rainbowFan[fan].fanType == 0;
    };
    o.describeBox = [model](BoxMetrics &metrics) {
        if (isValidBox(metrics.box))
            metrics.type = (*model)[metrics.box].isVaylaBox() ? QStringLiteral("single-colour") : QStringLiteral("rgb");
    };
    const FirmwareVersions *versions = &firmware;
    o.firmware = [versions](int box) { return versions->text(box); };
    auto *monitoring = new Monitoring(o, parent);
    monitoring->start();
    return monitoring;
}

void connectMonitoring(FanMonitor &fans, Monitoring &monitoring)
{
    Monitoring *m = &monitoring;
    QObject::connect(&fans, &FanMonitor::fanSpeedRead, m, [m](int box, int fan, int rpm, bool, bool stallLatched) {
        m->fanSpeedRead(box, fan, rpm, rpm <= 0);
        if (stallLatched)
            m->stallRaised(box, fan);
        else
            m->stallCleared(box, fan);
    });
    QObject::connect(&fans, &FanMonitor::boxHealthChanged, m, &Monitoring::boxHealthChanged);
}
