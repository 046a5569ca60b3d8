// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "curves/Curve.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>

// The editor's rules, apart from its widgets.
class CurveEdit {
    Q_DECLARE_TR_FUNCTIONS(CurveEdit)
public:
    // Why `curve` cannot replace the user's curve `original` (empty: a new
    // one) in `settings`, in the user's language; empty when it can.
    static QString problem(const Curve &curve, const CurveSettings &settings, const QString &original);
    // `settings` with `curve` in place of `original`, or added after the others.
    static CurveSettings withCurve(const CurveSettings &settings, const Curve &curve, const QString &original);
    // A name for a copy of `base` no other curve has.
    static QString copyName(const CurveSettings &settings, const QString &base);

    // Where the fan would be now: the curve's sources read in the last pass
    // (their maximum or average), and the duty the curve gives there. False
    // when none of its sources was read.
    struct Marker {
        double celsius = 0;
        int duty = 0;
    };
    static bool marker(const Curve &curve, const QHash<QString, double> &readings, Marker *out);
};
