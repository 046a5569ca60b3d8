// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The colour of temperature mode: a scale from blue (40 degrees and below)
// through cyan, green, yellow and red to magenta (70 and above), and the walk
// that moves the shown colour toward the scale colour a step at a time.
struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb &o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb &o) const { return !(*this == o); }
};

// The scale colour of temperature t (whole degrees). Inside each six-degree
// segment the moving component takes 0, 42, 85, 127, 170, 212, 255.
Rgb temperatureScaleColor(int t);

// The step of one walk call between readings p (previous) and t (current):
// 5 x |trunc(0.9 x (t - p))|.
int temperatureWalkStep(int t, int p);

struct TemperatureWalk {
    bool send = false; // false when t == p: nothing moves and nothing is sent
    Rgb shown;         // the shown colour after the call
};

// One call of the colour walk (every 200 ms). At most one component moves,
// by the step, and never past the target of its segment. The walk covers
// blue - cyan - green - yellow - red - magenta in both directions: warming
// from red raises blue toward the target (64..70), cooling from magenta
// lowers blue toward red.
TemperatureWalk walkTemperatureColor(int t, int p, Rgb shown);
