// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "curves/Curve.h"

#include <QCoreApplication>
#include <QString>

// How the window names a curve's source: "CPU" for the classic reading,
// "chip/label" for the others, a mix as "highest of a, b" or "average of a, b".
class CurveText {
    Q_DECLARE_TR_FUNCTIONS(CurveText)
public:
    static QString source(const QString &id);
    static QString source(const CurveSource &source);
    // The curve's name as listed: presets are marked.
    static QString listed(const Curve &curve);
};
