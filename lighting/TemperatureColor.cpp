// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemperatureColor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The moving component k degrees into a segment (0..6).
int segmentStep(int k)
{
    return static_cast<int>(std::trunc(255.0 * k / 6.0));
}

} // namespace

Rgb temperatureScaleColor(int t)
{
    if (t < 40)
        return {0, 0, 255};
    if (t <= 46)
        return {0, segmentStep(t - 40), 255};
    if (t <= 52)
        return {0, 255, segmentStep(52 - t)};
    if (t <= 58)
        return {segmentStep(t - 52), 255, 0};
    if (t <= 64)
        return {255, segmentStep(64 - t), 0};
    if (t <= 70)
        return {255, 0, segmentStep(t - 64)};
    return {255, 0, 255};
}

int temperatureWalkStep(int t, int p)
{
    const double delta = 0.9 * (static_cast<double>(t) - static_cast<double>(p));
    return 5 * static_cast<int>(std::abs(std::trunc(delta)));
}

TemperatureWalk walkTemperatureColor(int t, int p, Rgb shown)
{
    TemperatureWalk out;
    out.shown = shown;
    if (t == p)
        return out;
    out.send = true;
    const int s = temperatureWalkStep(t, p);
    const Rgb target = temperatureScaleColor(t);
    int &R = out.shown.r;
    int &G = out.shown.g;
    int &B = out.shown.b;

    if (t < p) {
        if (R == 255 && G == 0 && B > 0) {
            B = std::max(B - s, 0);
            if (B < target.b && t >= 64)
                B = target.b;
        } else if (R == 255 && G < 255 && B == 0) {
            G = std::min(G + s, 255);
            if (G > target.g && t >= 58)
                G = target.g;
        } else if (G == 255 && B == 0 && R > 0) {
            R = std::max(R - s, 0);
            if (R < target.r && t >= 52)
                R = target.r;
        } else if (R == 0 && G == 255 && B < 255) {
            B = std::min(B + s, 255);
            if (B > target.b && t >= 46)
                B = target.b;
        } else if (R == 0 && G > 0 && G <= 255 && B == 255) {
            G = std::max(G - s, 0);
            if (G < target.g)
                G = target.g;
        }
        return out;
    }

    if (R == 0 && G < 255 && B == 255) {
        G = std::min(G + s, 255);
        if (G > target.g && t <= 46)
            G = target.g;
    } else if (R == 0 && G == 255 && B > 0) {
        B = std::max(B - s, 0);
        if (B < target.b && t <= 52)
            B = target.b;
    } else if (R < 255 && G == 255 && B == 0) {
        R = std::min(R + s, 255);
        if (R > target.r && t <= 58)
            R = target.r;
    } else if (R == 255 && G > 0 && B == 0) {
        G = std::max(G - s, 0);
        if (G < target.g && t <= 64)
            G = target.g;
    } else if (R == 255 && G == 0 && B < 255) {
        B = std::min(B + s, 255);
        if (B > target.b && t <= 70)
            B = target.b;
    }
    return out;
}
