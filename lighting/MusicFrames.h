// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/Report.h"

class Encoders;
struct RainbowFanRecord;

// Frames of the two ring effects of music mode, built from a fan record.
// Both are steady per-LED reports (mode byte 24) for port `port`.
namespace MusicFrames {

// A level meter along the ring. Thresholds 0, 8, 16, 25, 33, 41, 50, 58, 66,
// 75, 83, 91: with n of them at or below the level, LEDs 0..n-1 show their
// colour x level / 100, LED n a tenth of that, the rest stay dark. 100 lights
// the whole ring; a level outside 0..100 leaves it dark.
Report musicBar(const RainbowFanRecord &fan, int port, int level);

// A full-colour pair, LEDs b and b + 6, over a 10 % glow of every LED; band b
// (0..11) is the level's place among the thresholds above (91..100 is band
// 11). A level outside 0..100 leaves only the glow.
Report musicPair(const RainbowFanRecord &fan, int port, int level);

} // namespace MusicFrames

// Senders: build the frame from the box records and send it. A box or fan number out
// of range is refused (logged); a box that is not connected gets nothing.
void sendCommand_MusicBar(const Encoders &encoders, int box, int fan, int level);
void sendCommand_MusicPair(const Encoders &encoders, int box, int fan, int level);
