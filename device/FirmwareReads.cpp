// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirmwareReads.h"

#include "BoxModel.h"
#include "Encoders.h"
#include "FirmwareVersions.h"

QString readFirmware(const Encoders &encoders, FirmwareVersions &versions, int box)
{
    versions.set(box, encoders.readFirmwareVersion(box));
    return versions.shown(box);
}

QString knownFirmware(const Encoders &encoders, FirmwareVersions &versions, int box)
{
    if (versions.text(box).isEmpty() && encoders.boxes().isConnected(box))
        versions.set(box, encoders.readFirmwareVersion(box));
    return versions.text(box);
}
