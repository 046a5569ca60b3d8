// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/AppSettings.h"

#include <QString>

// What the core holds beside the box model.
struct AppState {
    AppSettings settings;    // what the device file carries
    int currentProfile = 1;  // profile number 1..5 of the current box
    QString firmwareVersion; // of the current box
    // The last CPU temperature pass: a reading, or none.
    bool temperatureKnown = false;
    int temperature = 0;
    // Whether the music effects hear the computer's audio.
    bool musicCapture = true;
};
