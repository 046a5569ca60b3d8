// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Encoders;
class FirmwareVersions;

// The program's only firmware questions to a box; each answer is kept in
// `versions` for whoever shows it later without asking again.

// Asks box `box` (one exchange on the wire) and returns the answer as the
// window shows it.
QString readFirmware(const Encoders &encoders, FirmwareVersions &versions, int box);
// What box `box` answered, asking it only when it has not been asked since it
// was opened; empty for a box that is not open.
QString knownFirmware(const Encoders &encoders, FirmwareVersions &versions, int box);
