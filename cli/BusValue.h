// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QVariant>

// A value as it came off the bus (nested maps and lists still marshalled)
// made plain: maps, lists, numbers and texts only.
QVariant plainBusValue(const QVariant &value);

// The snapshot for scripts: the program's keys, as JSON.
QJsonObject statusJson(const QVariantMap &status);
// The snapshot for people: one line per box and fan.
QString statusText(const QVariantMap &status);
