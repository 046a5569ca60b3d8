// SPDX-License-Identifier: GPL-3.0-or-later
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
    QString metrics;         // --metrics=ADDRESS:PORT
    bool writeThenRead = false; // --write-then-read: every report waits for its box's reply
    bool send = false;       // --send ID [WPARAM [LPARAM]]
    QStringList sendArgs;
    bool help = false;       // --help, -h
    bool version = false;    // --version, -v
    bool minimized = false;  // --minimized: start in the tray, no window
    bool verbose = false;    // --verbose: the diagnostic labels too
    bool headless = false;   // --headless: the control loop with no window and no tray
    QString error;           // non-empty: the line could not be understood

    // Parses without an application object, so that a bad line is refused
    // before anything (a display connection included) is started. Qt's own
    // options (-platform, -style …) are accepted and left to QApplication.
    static CommandLine parse(const QStringList &arguments);

    // What needs no display and no window: answered with a QCoreApplication.
    bool needsGui() const { return error.isEmpty() && !help && !version && !send; }

    // The text of --help. Needs a QCoreApplication (it names the program as started).
    static QString helpText();
};
