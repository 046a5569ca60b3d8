#include "FanSafety.h"

#include "BoxModel.h"
#include "common/Logging.h"
#include "DeviceBus.h"
#include "Encoders.h"
#include "FanCurve.h"
#include "FanSpeed.h"
#include "Reports.h"

namespace {

int followingFans(const BoxModel &boxes, int b)
{
    int n = 0;
    for (int f = 0; f < fanCountOf(boxes[b]); ++f)
        n += followsTemperature(boxes, b, f) ? 1 : 0;
    return n;
}

} // namespace

bool leaveFansSafe(Encoders &encoders, int flushMs)
{
    const BoxModel &boxes = encoders.boxes();
    applyCapDuty(encoders);
    for (int b = 0; b < kBoxCount; ++b) {
        if (!boxes[b].gIsConnected)
            continue;
        const int n = followingFans(boxes, b);
        if (n > 0)
            qCInfo(lcDevice) << "box" << b << "on exit:" << n
                             << "fans that follow the CPU temperature left at their highest speed";
        else
            qCInfo(lcDevice) << "box" << b << "on exit: fixed fan speeds kept";
    }
    const bool flushed = encoders.bus().flush(flushMs);
    if (!flushed)
        qCWarning(lcDevice) << "on exit: not every box took its last reports in time";
    return flushed;
}

std::vector<CrashSafety::Prepared> crashReports(const BoxModel &boxes, const DeviceBus &bus)
{
    std::vector<CrashSafety::Prepared> reports;
    for (int b = 0; b < kBoxCount; ++b) {
        const ControllerBox &box = boxes[b];
        const int descriptor = bus.emergencyDescriptor(b);
        if (!box.gIsConnected || descriptor < 0)
            continue;
        for (int f = 0; f < fanCountOf(box); ++f) {
            if (!followsTemperature(boxes, b, f))
                continue;
            // The same bytes applyCapDuty() sends.
            const Report report = box.isVaylaBox()
                ? Reports::vaylaDuty(f + 1, temperatureCapDuty(box.vaylaFan[f].speed))
                : Reports::fanDuty(f + 1, temperatureCapDuty(box.rainbowFan[f].speedPer));
            reports.push_back({descriptor, report});
        }
    }
    return reports;
}

void applyFollowingDuty(Encoders &encoders, int b, bool haveReading, int temperature)
{
    if (!isValidBox(b) || !encoders.boxes()[b].gIsConnected)
        return;
    if (haveReading)
        applyTemperatureDuty(encoders, temperature, b);
    else
        applyCapDuty(encoders, b);
}
