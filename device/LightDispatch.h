// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Encoders;

// The one light-mode dispatch of the 12-LED fans. Whatever sends a fan's
// stored lighting (the window, the phone, start-up, a profile change) comes
// here, so that a light mode is played the same way everywhere.

// The command of light modes 0..6 for one fan at its stored light speed;
// returns false (nothing sent) for any other mode.
bool sendLightModeCommand(const Encoders &encoders, int box, int fan, int mode);

// The fan's stored lighting as far as the box plays it itself: "off" while
// its LEDs are off, else its light mode ("Copy" plays the copied one) when
// that is 0..6. Returns false when nothing was sent: the mode is one the
// program animates (music, temperature), or the fan is out of range.
bool sendStoredLighting(const Encoders &encoders, int box, int fan);
