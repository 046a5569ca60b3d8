// SPDX-License-Identifier: GPL-3.0-or-later
// AuriventStart: starts the main program from the launcher's own folder with
// administrator rights, waits a moment for it and ends. It passes none of its
// own arguments on, and never stays behind: a failed start is said on
// standard error and ends the launcher at once.

#include "update/Elevation.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString dir = QCoreApplication::applicationDirPath();
    const ElevationResult result = Elevation::start(Elevation::programFile(QStringLiteral("Aurivent")), {}, dir);
    if (!result.started) {
        std::fprintf(stderr, "AuriventStart: Aurivent was not started: %s\n", qPrintable(result.error));
        return 1;
    }
    return 0;
}
