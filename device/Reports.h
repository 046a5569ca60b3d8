// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Report.h"

#include <QString>

struct RainbowFanRecord;

// Pure report building: fields in, 65 bytes out. Nothing here touches a box.
namespace Reports {

// Lighting mode bytes (out[4] of 0x32 0x52) that are not "4 x effect + speed".
constexpr int kSteadyPerLed = 24;
constexpr int kSteadySingle = 25;

// A colour byte: component x brightness (x factor), in single precision,
// truncated toward zero. Brightness and factor are held to 0..1 and the
// component to 0..255, so the byte never wraps.
uint8_t colorByte(int component, float bright, float factor = 1.0f);

// Writes LED `led`'s triple in wire order: green, red, blue.
void setTriple(Report &report, int led, uint8_t r, uint8_t g, uint8_t b);

Report probe();
Report readFirmwareVersion();
Report readFanSpeed(int port);
Report fanDuty(int port, int percent);
Report fanTargetSpeed(int port, int rpm);
Report vaylaDuty(int port, int percent);
Report vaylaPerformance(int port);
Report saveSettings();
Report rainbowLighting(int port, int modeByte);
Report vaylaLighting(int port, int mode, uint8_t r, uint8_t g, uint8_t b);

// Which colours a 12-LED lighting report carries.
enum class Colours {
    None,          // the box's own colours
    SingleTriple,  // triple 0 = entry 12 (the fan's single colour)
    ByColorMode,   // twelve triples; entry 12 everywhere in "Single"
    PerLed,        // twelve triples from entries 0..11, whatever the colour mode
};

// A lighting report for one 12-LED fan from its record; `factor` is level / 100.
Report fanLighting(const RainbowFanRecord &fan, int port, int modeByte, Colours colours,
                   float factor = 1.0f);

// The "Default" preview: fixed wheel, slowest speed of the effect.
Report defaultPreview(int port, int lightMode, int colorMode);

// Mode byte for one of the six effects the box animates itself.
inline int effectModeByte(int lightMode, int lightSpeed) { return 4 * lightMode + lightSpeed; }

// The firmware text "a.b.c" of a 0x33 0x50 reply.
QString firmwareVersionText(const Reply &reply);

// Checks a speed-poll reply: echo of 0x33 0x51 and a port 1..5.
bool decodeFanSpeed(const Reply &reply, int bytesRead, int *port, int *rpm);

} // namespace Reports
