// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>

// Diagnostic labels, one category per subsystem. Debug output is off unless
// asked for (--verbose, or QT_LOGGING_RULES="aurivent.*.debug=true"); info,
// warnings and errors always reach the terminal or the journal.
Q_DECLARE_LOGGING_CATEGORY(lcAlerts)
Q_DECLARE_LOGGING_CATEGORY(lcApp)
Q_DECLARE_LOGGING_CATEGORY(lcDevice)
Q_DECLARE_LOGGING_CATEGORY(lcHistory)
Q_DECLARE_LOGGING_CATEGORY(lcLighting)
Q_DECLARE_LOGGING_CATEGORY(lcMetrics)
Q_DECLARE_LOGGING_CATEGORY(lcRemote)
Q_DECLARE_LOGGING_CATEGORY(lcScript)
Q_DECLARE_LOGGING_CATEGORY(lcStorage)
Q_DECLARE_LOGGING_CATEGORY(lcUi)
Q_DECLARE_LOGGING_CATEGORY(lcUpdate)

// How the program's lines leave it: every line names its category (a line
// written without one, qWarning() and the like, is filed under the category
// of the source folder it comes from), and when standard error is the
// journal's stream (a systemd service), each line starts with the syslog
// priority journald reads: "<4>" for a warning, "<3>" for an error.
namespace Logging {

// Installs the handler; main() calls it before anything logs. Returns the
// handler it replaced.
QtMessageHandler install();

// The syslog priority of a message type: debug 7, info 6, warning 4,
// critical 3, fatal 2.
int priority(QtMsgType type);

// The category a line without one is filed under, from the source file that
// wrote it ("./device/Encoders.cpp" -> aurivent.device); null when the file
// is none of ours.
const QLoggingCategory *categoryOfFile(const char *file);

// Whether standard error is the stream named by $JOURNAL_STREAM ("DEV:INODE");
// never on Windows.
bool stderrIsJournal(const QByteArray &journalStream);

// The bytes written for one message: each of its lines, with the priority
// prefix when `journal` is set.
QByteArray format(QtMsgType type, const QString &text, bool journal);

} // namespace Logging
