// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef AURIVENT_SENSOR_LABELS_H
#define AURIVENT_SENSOR_LABELS_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Whether lm-sensors chip `chip_prefix` measures the CPU itself (k10temp,
 * coretemp, zenpower, cpu_thermal, ...). Only such chips drive the fans. */
int aurivent_is_cpu_chip(const char *chip_prefix);

/* What lm-sensors chip `chip_prefix` measures, as aurivent_sensors_kind
 * answers it. */
enum aurivent_chip_kind {
    AURIVENT_CHIP_OTHER = 0,
    AURIVENT_CHIP_CPU = 1,   /* the CPU chips above */
    AURIVENT_CHIP_GPU = 2,   /* amdgpu, radeon, nouveau, i915, xe */
    AURIVENT_CHIP_DISK = 3,  /* nvme, drivetemp */
    AURIVENT_CHIP_BOARD = 4  /* Super I/O and board chips, ACPI zones, the chipset */
};
int aurivent_chip_kind(const char *chip_prefix);

/* Whether the program counts `label` as a CPU temperature: "Core MAX",
 * "Core #0".."Core #7", "CPU", "CPU Package", "CPU 0".."CPU 7",
 * "Temperature 1".."Temperature 8" (exact, case-sensitive). */
int aurivent_is_cpu_label(const char *label);

/* Writes the label the program sees for a Linux temperature reading into
 * out (always zero-terminated). On a CPU chip:
 *   coretemp  "Package id 0" -> "CPU Package", "Package id N" -> "CPU N",
 *             "Physical id .." likewise, "Core N" -> "Core #N"
 *   k10temp, zenpower  "Tctl", "Tdie", "tempN" -> "CPU", "Tccd1".. -> "CPU 0"..
 *   the others  -> "CPU"
 * On any other chip (ACPI zones, board sensors, disks) the label is kept, but
 * one that the program would count as CPU gets the chip name in front
 * ("nct6798 CPU"): those are listed, never taken for the CPU. */
void aurivent_map_temperature_label(const char *chip_prefix, const char *label, char *out, size_t size);

#ifdef __cplusplus
}
#endif

#endif
