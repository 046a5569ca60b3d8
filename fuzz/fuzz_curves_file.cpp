// SPDX-License-Identifier: GPL-3.0-or-later
// The curves file as a user or another program may have left it: every curve
// read is usable, and evaluating it over any temperatures, caps and times
// gives a duty within 0..cap.
#include "FuzzSupport.h"

#include "curves/CurveEval.h"
#include "storage/CurvesFile.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto contents = IniFile::parse(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    const CurveSettings settings = CurvesFile::fromContents(*contents);
    Fuzz::require(settings.problem().isEmpty());
    // The same bytes drive a run of readings through every curve read.
    for (const Curve &curve : settings.curves) {
        CurveState state;
        for (size_t i = 0; i < size && i < 64; ++i) {
            const double celsius = double(data[i]) * 0.5 - 1.0;
            const int cap = 50 + (data[i] % 6) * 10;
            const CurveStep step = evaluateCurve(curve, state, celsius, cap, int(data[i]) * 40 - 1000);
            Fuzz::require(step.duty >= 0 && step.duty <= cap);
            state = step.state;
        }
    }
    return 0;
}
