// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The counts, ranges and defaults the whole program shares: the boxes and
// what they carry, the profiles, the languages, the fixed fan speeds and the
// colours a fan starts from. Each value lives here once.

// Boxes and what they carry.
constexpr int kBoxCount = 16;
constexpr int kRainbowFanCount = 5;
constexpr int kVaylaFanCount = 3;
constexpr int kLedCount = 12;
constexpr int kColorEntries = 13;   // twelve ring LEDs + the fan's single colour
constexpr int kSingleColorEntry = 12;

// Profiles are numbered 1..kProfileCount.
constexpr int kProfileCount = 5;
inline bool isValidProfileNumber(int profile) { return profile >= 1 && profile <= kProfileCount; }

// Translations by index: 0 en, 1 tc, 2 cn, 3 de, 4 fr, 5 jp, 6 th.
constexpr int kLanguageCount = 7;

// Fixed fan speeds of a 12-LED fan: level 0..kMaxSpeedLevel is
// kSilentRpm + kRpmPerSpeedLevel x level, so level 10 is kPerformanceRpm.
constexpr int kSilentRpm = 400;
constexpr int kPerformanceRpm = 1400;
constexpr int kRpmPerSpeedLevel = 100;
constexpr int kMaxSpeedLevel = 10;
// Steps 0..kMaxSpeedStep of the coarse speed slider and of a single-colour
// fan's speed; a step is kDutyPerSpeedStep % of duty.
constexpr int kMaxSpeedStep = 5;
constexpr int kDutyPerSpeedStep = 20;
// Below this duty a fan may not start at all.
constexpr int kMinFanDuty = 30;
// The curve a temperature-following fan follows unless told otherwise, and
// the source it reads: the classic CPU reading (the highest plausible
// CPU-labelled reading of the CPU chips).
constexpr char kClassicCurveName[] = "Classic";
constexpr char kCpuSourceId[] = "cpu";

// The version shown until a real one is known (program, firmware).
constexpr const char kDefaultVersion[] = "1.0.0";

// An 8-bit colour of the defaults below.
struct DefaultColour {
    int r;
    int g;
    int b;
};

// The "Default" look of a 12-LED fan: a colour wheel round the ring, LED 0
// first, and red as the fan's single colour.
constexpr DefaultColour kDefaultWheel[kLedCount] = {
    {0, 127, 255}, {0, 255, 255}, {0, 255, 127}, {0, 255, 0},   {127, 255, 0}, {255, 255, 0},
    {255, 127, 0}, {255, 0, 0},   {255, 0, 127}, {255, 0, 255}, {127, 0, 255}, {0, 0, 255}};
constexpr DefaultColour kDefaultSingleColour = {255, 0, 0};

// Colour entry 0..12 of the default look (12 = the single colour).
constexpr DefaultColour defaultEntryColour(int entry)
{
    return entry >= 0 && entry < kLedCount ? kDefaultWheel[entry] : kDefaultSingleColour;
}
