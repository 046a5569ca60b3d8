// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitoring/MonitoringHistoryReader.h"

#include "history/HistoryRecorder.h"
#include "monitoring/Monitoring.h"

MonitoringHistoryReader::MonitoringHistoryReader(Monitoring *monitoring, QObject *parent)
    : HistoryLogReader(&monitoring->recorder().history(), &monitoring->alertLog(), parent)
{
    connect(&monitoring->recorder(), &HistoryRecorder::sampled, this, &HistoryLogReader::sampled);
}
