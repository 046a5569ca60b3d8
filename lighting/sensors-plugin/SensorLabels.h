#ifndef AURIVENT_SENSOR_LABELS_H
#define AURIVENT_SENSOR_LABELS_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Writes the label the program knows for a Linux temperature reading into
 * out (always zero-terminated):
 *   coretemp  "Package id 0" -> "CPU Package", "Package id N" -> "CPU N",
 *             "Physical id .." likewise, "Core N" -> "Core #N"
 *   k10temp, zenpower  "Tctl", "Tdie" -> "CPU", "Tccd1".. -> "CPU 0"..
 *   cpu_thermal and other chips named after the CPU  -> "CPU"
 *   acpitz    "tempN" -> "Temperature N"
 * Any other label is kept as it is. */
void aurivent_map_temperature_label(const char *chip_prefix, const char *label, char *out, size_t size);

#ifdef __cplusplus
}
#endif

#endif
