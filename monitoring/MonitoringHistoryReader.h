// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitoring/HistoryLogReader.h"

class Monitoring;

// The graphs' view of the program's monitoring: its history, the alerts it
// logged, and a call after each second its recorder samples.
class MonitoringHistoryReader : public HistoryLogReader {
    Q_OBJECT
public:
    explicit MonitoringHistoryReader(Monitoring *monitoring, QObject *parent = nullptr);
};
