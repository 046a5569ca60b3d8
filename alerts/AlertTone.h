// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// The program's own alert sound: two falling notes as a 16-bit mono WAV file
// (44.1 kHz, about half a second), drawn here rather than shipped.
namespace AlertTone {
constexpr int kSampleRate = 44100;
QByteArray wav();
}
