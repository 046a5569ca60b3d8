// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SimFixture.h"

#include "storage/IniHelper.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

// A fresh data folder whose device file holds quiet program settings (no
// update check, no autostart, English) and `deviceFile` after them, and
// simulated boxes from `spec` (not yet discovered: the program does that).
inline SimulatedBoxes *startWithSettings(DeviceBus &bus, const QString &spec,
                                         const QByteArray &deviceFile = QByteArray())
{
    QDir(IniHelper::dataFolder()).removeRecursively();
    QDir().mkpath(IniHelper::dataFolder());
    QFile file(IniHelper::deviceFilePath());
    if (file.open(QIODevice::WriteOnly)) {
        file.write("[Main]\nAutoUpdate=0\nisAutoRun=0\nLanguage=0\nPassword=9462\nOpenPassword=0\n" + deviceFile);
        file.close();
    }
    return installSimulatedBoxes(bus, spec);
}
