// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryReader.h"
#include "history/HistoryTypes.h"

#include <QString>
#include <QVector>

struct CsvColumn {
    QString label;
    HistoryPoints points;
};

// A table of series as comma-separated text (RFC 4180, CRLF lines): a
// header, then one row per step of any column, oldest first. The first
// column is the step's start as ISO 8601 UTC; a series kept per second gives
// one column, one kept per minute three (its minimum, mean and maximum). An
// absent value is an empty field. The last column lists the events of the
// step. Numbers carry a point, whatever the locale; a text field that a
// spreadsheet would take for a formula is prefixed with a quote mark.
QString historyCsv(const QVector<CsvColumn> &columns, const QVector<HistoryEvent> &events);

// One field as it goes into the table.
QString csvField(const QString &text);
