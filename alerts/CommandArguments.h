// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alerts/Alert.h"

#include <QStringList>

// The arguments an alert's command gets, always these ten in this order (an
// empty one where it does not apply), so a script reads them by position:
//   1 kind (stall, box-silent, temperature-lost, temperature-high, save-failed)
//   2 state (raised, cleared)
//   3 controller (1-16)   4 fan (1-5)   5 temperature source
//   6 reading in °C       7 limit in °C 8 file of a failed save
//   9 time (UTC, ISO 8601)              10 the alert's sentence
QStringList commandArguments(const Alert &alert);
