#pragma once

#include <QString>
#include <QStringList>

// Options of the program's command line.
struct CommandLine {
    QString simulate;        // --simulate=SPEC: simulated boxes instead of USB
    bool simulateSet = false;
    QString simulateControl; // --simulate-control=PATH
    QString simulateLatency; // --simulate-latency=MS: every exchange with a simulated box takes MS
    QString hidTrace;        // --hid-trace=FILE
    bool send = false;       // --send ID [WPARAM [LPARAM]]
    QStringList sendArgs;
    QString error;           // non-empty: the line could not be understood

    static CommandLine parse(const QStringList &arguments);
};
