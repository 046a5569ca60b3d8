// SPDX-License-Identifier: GPL-3.0-or-later
#include "DriveStart.h"

#include "TerminationSignals.h"
#include "device/CrashSafety.h"

#include <QDebug>

bool DriveStart::start(const CommandLine &line, QObject *app, QString *error)
{
    if (!devices.apply(line, core.bus(), &hotplug, app, error))
        return false;
    QString channelError;
    if (!channel.listen(&channelError))
        qWarning() << "command channel:" << channelError;
    hotplug.start();
    quitOnTerminationSignals();
    // A crash still sends the temperature-following fans their cap.
    CrashSafety::install();
    return true;
}
