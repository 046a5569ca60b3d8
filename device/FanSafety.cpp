// SPDX-License-Identifier: GPL-3.0-or-later
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

struct CapReport {
    int box;
    Report report;
};

// The cap report of every temperature-following fan of every connected box:
// the same bytes applyCapDuty() sends.
std::vector<CapReport> capReports(const BoxModel &boxes)
{
    std::vector<CapReport> reports;
    for (int b = 0; b < kBoxCount; ++b) {
        const ControllerBox &box = boxes[b];
        if (!box.gIsConnected)
            continue;
        for (int f = 0; f < fanCountOf(box); ++f) {
            if (!followsTemperature(boxes, b, f))
                continue;
            reports.push_back({b, box.isVaylaBox() ? Reports::vaylaDuty(f + 1, temperatureCapDuty(box.vaylaFan[f].speed))
                                                   : Reports::fanDuty(f + 1, temperatureCapDuty(box.rainbowFan[f].speedPer))});
        }
    }
    return reports;
}

} // namespace

bool leaveFansSafe(Encoders &encoders, int flushMs)
{
    const BoxModel &boxes = encoders.boxes();
    DeviceBus &bus = encoders.bus();
    // The caps go before anything still waiting, whatever a slow box has
    // queued; waiting lighting frames and speed polls are of no use any more.
    bus.dropWaitingLightingAndQueries();
    for (const CapReport &cap : capReports(boxes))
        bus.sendAhead(cap.box, cap.report);
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
    const bool flushed = bus.flush(flushMs);
    if (!flushed)
        qCWarning(lcDevice) << "on exit: not every box took its last reports in time";
    return flushed;
}

std::vector<CrashSafety::Prepared> crashReports(const BoxModel &boxes, const DeviceBus &bus)
{
    std::vector<CrashSafety::Prepared> reports;
    for (const CapReport &cap : capReports(boxes)) {
        const int descriptor = bus.emergencyDescriptor(cap.box);
        if (descriptor >= 0)
            reports.push_back({descriptor, cap.report});
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
