// SPDX-License-Identifier: GPL-3.0-or-later
// Garbage from the boxes through the engine the program runs: each box's I/O
// thread reads the replies, the reply ledger matches them to what was
// written (lighting pipelined, as in use), and the inbox hands them to the
// speed monitor, to queries and to blocking exchanges on this thread. The
// input is a list of steps: force a box's next reply, poll the speeds, ask
// one fan, send lighting, or wait until the boxes are idle.
#include "FuzzSupport.h"

#include "device/Encoders.h"
#include "device/FanMonitor.h"
#include "device/Reports.h"

namespace {

constexpr int kBoxes = 2; // box 0: five RGB fans, box 1: three single-colour fans
// A reply taken for nothing makes a read wait out its time-out, which late
// replies stretch up to ReplyTiming::kMaxTimeoutMs: a bounded number of
// forced replies keeps every input within a few seconds.
constexpr int kMaxForced = 16;
constexpr int kIdleWaitMs = 30000;

// The speed monitor the program runs; every value it hands on must make sense.
FanMonitor &monitor()
{
    static FanMonitor *checked = [] {
        auto *fans = new FanMonitor(Fuzz::Boxes::instance().encoders());
        const auto validBox = [](int box) { return box >= 0 && box < kBoxes; };
        QObject::connect(fans, &FanMonitor::fanSpeedRead, [validBox](int box, int fan, int rpm, bool, bool) {
            Fuzz::require(validBox(box) && isValidRainbowFan(fan) && rpm >= 0);
        });
        QObject::connect(fans, &FanMonitor::stallRaised,
                         [validBox](int box, int fan) { Fuzz::require(validBox(box) && isValidRainbowFan(fan)); });
        QObject::connect(fans, &FanMonitor::stallCleared,
                         [validBox](int box, int fan) { Fuzz::require(validBox(box) && isValidRainbowFan(fan)); });
        QObject::connect(fans, &FanMonitor::boxAlarm, [validBox](int box, bool) { Fuzz::require(validBox(box)); });
        QObject::connect(fans, &FanMonitor::boxHealthChanged,
                         [validBox](int box, BoxHealth) { Fuzz::require(validBox(box)); });
        return fans;
    }();
    return *checked;
}

// Queries asked and answered (a reply or "none"): every one is answered once.
int g_asked = 0;
int g_answered = 0;

// What each box answers to the firmware read when nothing is forced.
Reply g_firmware[kBoxes];

bool answersProperly(int box)
{
    Reply reply{};
    int length = 0;
    Fuzz::Boxes::instance().bus().exchange(box, Reports::readFirmwareVersion(), &reply, &length);
    return length == kReplySize && reply == g_firmware[box];
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::start(argc, argv);
    DeviceBus &bus = Fuzz::Boxes::instance().bus();
    bus.setHealthHandler([](int box, BoxHealth health) { monitor().onBoxHealth(box, health); });
    // The simulator's replies are there the moment a report is written, so a
    // read waits only when a reply was taken for nothing: keep that short.
    bus.setReadTimeout(2);
    for (int box = 0; box < kBoxes; ++box) {
        int length = 0;
        for (int tries = 0; length != kReplySize; ++tries) {
            Fuzz::require(tries < 100);
            bus.exchange(box, Reports::readFirmwareVersion(), &g_firmware[box], &length);
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Boxes &world = Fuzz::Boxes::instance();
    world.reset();
    DeviceBus &bus = world.bus();
    // A fresh link per input: what a box's worker learnt of its timing from
    // the last input (late replies lengthen its reads) starts over.
    for (int box = 0; box < kBoxes; ++box)
        Fuzz::require(bus.open(box));
    g_asked = g_answered = 0;
    int forced = 0;
    size_t at = 0;
    while (at < size) {
        const uint8_t step = data[at++];
        const int box = step >> 7;
        const int fan = (step >> 4) % (box == 0 ? kRainbowFanCount : kVaylaFanCount);
        switch (step % 5) {
        case 0: { // the box's next reply, 0 to 64 bytes
            const size_t length = at < size ? data[at++] % (kReplySize + 1) : 0;
            const size_t taken = std::min(length, size - at);
            if (++forced <= kMaxForced)
                world.sim().forceReply(box, QByteArray(reinterpret_cast<const char *>(data + at), int(taken)));
            at += taken;
            break;
        }
        case 1:
            monitor().poll();
            break;
        case 2:
            ++g_asked;
            bus.query(box, Reports::readFanSpeed(fan + 1), [](const Reply &, int) { ++g_answered; });
            break;
        case 3:
            if (box == 0)
                world.encoders().sendCommand_Light(box, fan, step % 11);
            else
                world.encoders().SetFanColor(box, fan, step, 255 - step, 7, 0.5f);
            break;
        default:
            Fuzz::require(bus.waitForIdle(kIdleWaitMs));
            break;
        }
    }
    Fuzz::require(bus.waitForIdle(kIdleWaitMs));
    Fuzz::require(g_asked == g_answered);
    // Whatever garbage is still waiting gets used up; then each box's replies
    // are matched to the right reports again. (A reply that a busy machine
    // delays past the short time-out costs a try more; a box whose replies
    // stay out of step never gets there.)
    for (int box = 0; box < kBoxes; ++box) {
        int tries = 0;
        while (!answersProperly(box))
            Fuzz::require(++tries <= kMaxForced + 32);
    }
    return 0;
}
