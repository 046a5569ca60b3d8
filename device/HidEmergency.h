// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// A second descriptor of a box's device node, kept open for the crash
// handler: on Linux a hidraw node takes a whole output report in one write(2),
// which is safe inside a signal handler. -1 where the platform has no such path.
int openEmergencyDescriptor(const QByteArray &path);
void closeEmergencyDescriptor(int descriptor);
