// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metrics/MetricsSnapshot.h"

#include <QByteArray>

// Prometheus' text exposition format (version 0.0.4), the names and labels
// of docs/metrics.md. A value that is absent has no sample, so a query
// finds nothing rather than a 0 that never was.
namespace PrometheusText {

constexpr const char *kContentType = "text/plain; version=0.0.4; charset=utf-8";

QByteArray format(const MetricsSnapshot &snapshot);

// A label value with backslash, double quote and line feed escaped.
QByteArray escapeLabel(const QString &value);
// A sample value: integers without a fraction, NaN and the infinities by name.
QByteArray number(double value);

}
