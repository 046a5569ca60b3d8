// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Limits.h"

#include <QString>
#include <QStringList>
#include <QVector>

// A fan curve: temperature points to duty, a few options, and the
// temperature source (or mix of sources) it follows. Curves are data; one
// small function evaluates them (CurveEval.h).

namespace CurveLimit {
constexpr int kMinPoints = 2;
constexpr int kMaxPoints = 8;
// The temperatures a reading can have at all (outside is no reading).
constexpr int kMinCelsius = 0;
constexpr int kMaxCelsius = 125;
constexpr int kMaxDuty = 100;
constexpr int kMaxHysteresis = 20;   // degrees
constexpr int kMaxStepRate = 100;    // percent per second
constexpr int kMaxNameLength = 32;
constexpr int kMaxSources = 8;
constexpr int kMaxSourceIdLength = 200;
constexpr int kMaxCurves = 32;       // the user's own, beside the presets
// Seconds between two temperature readings.
constexpr int kMinReadingPeriod = 1;
constexpr int kMaxReadingPeriod = 5;
constexpr int kDefaultReadingPeriod = 5;
}

struct CurvePoint {
    int celsius = 0;
    int duty = 0;
};

enum class CurveShape {
    Linear, // straight lines between the points
    Steps,  // each point's duty holds up to the next point
};

enum class SourceMix { Max, Average };

struct CurveSource {
    QStringList ids{QString::fromLatin1(kCpuSourceId)};
    SourceMix mix = SourceMix::Max;
};

struct Curve {
    QString name;
    // 2..8 points, temperatures strictly rising, duties never falling.
    QVector<CurvePoint> points;
    CurveShape shape = CurveShape::Linear;
    // Degrees a falling temperature must drop before the duty follows it down.
    int hysteresis = 0;
    // Percent per second the duty may rise / fall; 0 = at once.
    int stepUp = 0;
    int stepDown = 0;
    // No duty below this, whatever the points say.
    int minDuty = 0;
    CurveSource source;
};

bool operator==(const CurvePoint &a, const CurvePoint &b);
bool operator==(const CurveSource &a, const CurveSource &b);
bool operator==(const Curve &a, const Curve &b);
inline bool operator!=(const Curve &a, const Curve &b) { return !(a == b); }

// Each returns an empty text when the value is usable, else why not.
QString curveNameProblem(const QString &name);
QString sourceIdProblem(const QString &id);
QString curveProblem(const Curve &curve);

// Names compare without regard to case: "quiet" is "Quiet".
bool sameCurveName(const QString &a, const QString &b);

// The built-in curves, in the order offered: "Classic" (the curve the fans
// have always followed: under 42 degrees 30 %, 10 % more per 3 degrees, 100 %
// from 60), "Quiet", "Balanced", "Cooling". Their names are reserved.
const QVector<Curve> &curvePresets();
const Curve &classicCurve();
bool isPresetName(const QString &name);

// Every curve setting the program keeps beside the device file.
struct CurveSettings {
    QVector<Curve> curves; // the user's own; presets are not stored
    int readingPeriod = CurveLimit::kDefaultReadingPeriod;

    // A preset or one of `curves`, by name; null when there is none.
    const Curve *find(const QString &name) const;
    // The curve a fan assigned `name` follows: find(), else Classic.
    const Curve &curveFor(const QString &name) const;
    // Empty when every curve is usable, the names are unique and not a
    // preset's, and the period is in range; else the first problem.
    QString problem() const;
};
