#pragma once

#include <QLoggingCategory>

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
