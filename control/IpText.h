// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

// The line that tells the phone which address to use: host name, " ",
// `label` (the translated "IP Address"), ":" and the last IPv4 address that
// is not 127.0.0.1; empty when there is none.
QString ipTextFrom(const QList<QHostAddress> &addresses, const QString &hostName, const QString &label);
