/* SPDX-License-Identifier: GPL-3.0-or-later */
#include "SensorLabels.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* The number after `prefix` when label is exactly prefix + digits, else -1. */
static int numbered(const char *label, const char *prefix)
{
    const size_t n = strlen(prefix);
    if (strncmp(label, prefix, n) != 0 || label[n] == '\0')
        return -1;
    int value = 0;
    for (const char *p = label + n; *p; ++p) {
        if (*p < '0' || *p > '9' || value > 100000)
            return -1;
        value = value * 10 + (*p - '0');
    }
    return value;
}

/* A single digit from low to high after prefix, and nothing else. */
static int one_digit(const char *label, const char *prefix, char low, char high)
{
    const size_t n = strlen(prefix);
    return strncmp(label, prefix, n) == 0 && label[n] >= low && label[n] <= high && label[n + 1] == '\0';
}

enum cpu_labels { LABELS_CORETEMP, LABELS_AMD, LABELS_WHOLE_CPU };

/* The chips that measure the CPU itself, and how their inputs are named. */
static const struct {
    const char *prefix;
    enum cpu_labels labels;
} cpu_chips[] = {
    {"coretemp", LABELS_CORETEMP},     /* Intel */
    {"k10temp", LABELS_AMD},           /* AMD */
    {"zenpower", LABELS_AMD},          /* AMD Zen, out of tree */
    {"k8temp", LABELS_WHOLE_CPU},      /* older AMD */
    {"via_cputemp", LABELS_WHOLE_CPU}, /* VIA */
    {"cpu_thermal", LABELS_WHOLE_CPU}, /* ARM boards (Raspberry Pi and the like) */
};

static int cpu_chip_index(const char *prefix)
{
    if (!prefix)
        return -1;
    for (size_t i = 0; i < sizeof cpu_chips / sizeof cpu_chips[0]; ++i)
        if (strcmp(prefix, cpu_chips[i].prefix) == 0)
            return (int)i;
    return -1;
}

/* ARM SoCs name one thermal zone per CPU cluster: cpu0_thermal, cpu1_thermal. */
static int is_cpu_cluster_zone(const char *prefix)
{
    const char *end = prefix + strlen(prefix);
    const char *suffix = "_thermal";
    const size_t n = strlen(suffix);
    if (strncmp(prefix, "cpu", 3) != 0 || (size_t)(end - prefix) <= 3 + n || strcmp(end - n, suffix) != 0)
        return 0;
    for (const char *p = prefix + 3; p < end - n; ++p)
        if (*p < '0' || *p > '9')
            return 0;
    return 1;
}

int aurivent_is_cpu_chip(const char *chip_prefix)
{
    return chip_prefix && (cpu_chip_index(chip_prefix) >= 0 || is_cpu_cluster_zone(chip_prefix));
}

/* Chips by what they measure: an exact driver name, or a family prefix. */
static const struct {
    const char *name;
    int prefix;
    enum aurivent_chip_kind kind;
} chip_kinds[] = {
    {"amdgpu", 0, AURIVENT_CHIP_GPU},
    {"radeon", 0, AURIVENT_CHIP_GPU},
    {"nouveau", 0, AURIVENT_CHIP_GPU},
    {"i915", 0, AURIVENT_CHIP_GPU},
    {"xe", 0, AURIVENT_CHIP_GPU},
    {"nvme", 0, AURIVENT_CHIP_DISK},
    {"drivetemp", 0, AURIVENT_CHIP_DISK},
    {"acpitz", 0, AURIVENT_CHIP_BOARD},
    {"pch_", 1, AURIVENT_CHIP_BOARD},       /* the chipset */
    {"nct", 1, AURIVENT_CHIP_BOARD},        /* Nuvoton Super I/O */
    {"it8", 1, AURIVENT_CHIP_BOARD},        /* ITE Super I/O */
    {"w83", 1, AURIVENT_CHIP_BOARD},        /* Winbond */
    {"f71", 1, AURIVENT_CHIP_BOARD},        /* Fintek */
    {"asus", 1, AURIVENT_CHIP_BOARD},       /* asus_wmi_sensors, asusec, ... */
    {"gigabyte_wmi", 0, AURIVENT_CHIP_BOARD},
    {"dell_smm", 0, AURIVENT_CHIP_BOARD},
    {"thinkpad", 0, AURIVENT_CHIP_BOARD},
    {"applesmc", 0, AURIVENT_CHIP_BOARD},
};

int aurivent_chip_kind(const char *chip_prefix)
{
    if (!chip_prefix)
        return AURIVENT_CHIP_OTHER;
    if (aurivent_is_cpu_chip(chip_prefix))
        return AURIVENT_CHIP_CPU;
    for (size_t i = 0; i < sizeof chip_kinds / sizeof chip_kinds[0]; ++i) {
        const char *name = chip_kinds[i].name;
        const int match = chip_kinds[i].prefix ? strncmp(chip_prefix, name, strlen(name)) == 0
                                               : strcmp(chip_prefix, name) == 0;
        if (match)
            return chip_kinds[i].kind;
    }
    return AURIVENT_CHIP_OTHER;
}

int aurivent_is_cpu_label(const char *label)
{
    if (!label)
        return 0;
    return strcmp(label, "Core MAX") == 0 || strcmp(label, "CPU") == 0 || strcmp(label, "CPU Package") == 0
        || one_digit(label, "Core #", '0', '7') || one_digit(label, "CPU ", '0', '7')
        || one_digit(label, "Temperature ", '1', '8');
}

static void map_cpu_label(enum cpu_labels labels, const char *label, char *out, size_t size)
{
    int n;
    if (labels == LABELS_CORETEMP) {
        if ((n = numbered(label, "Package id ")) >= 0 || (n = numbered(label, "Physical id ")) >= 0) {
            if (n == 0)
                snprintf(out, size, "CPU Package");
            else
                snprintf(out, size, "CPU %d", n);
            return;
        }
        if ((n = numbered(label, "Core ")) >= 0) {
            snprintf(out, size, "Core #%d", n);
            return;
        }
    } else if (labels == LABELS_AMD) {
        /* Older AMD processors have one unnamed input. */
        if (strcmp(label, "Tctl") == 0 || strcmp(label, "Tdie") == 0 || numbered(label, "temp") >= 0) {
            snprintf(out, size, "CPU");
            return;
        }
        if ((n = numbered(label, "Tccd")) >= 1) {
            snprintf(out, size, "CPU %d", n - 1);
            return;
        }
    } else {
        snprintf(out, size, "CPU");
        return;
    }
    snprintf(out, size, "%s", label);
}

void aurivent_map_temperature_label(const char *chip_prefix, const char *label, char *out, size_t size)
{
    if (!out || size == 0)
        return;
    if (!chip_prefix)
        chip_prefix = "";
    if (!label)
        label = "";
    const int chip = cpu_chip_index(chip_prefix);
    if (chip >= 0) {
        map_cpu_label(cpu_chips[chip].labels, label, out, size);
        return;
    }
    if (is_cpu_cluster_zone(chip_prefix)) {
        map_cpu_label(LABELS_WHOLE_CPU, label, out, size);
        return;
    }
    if (aurivent_is_cpu_label(label))
        snprintf(out, size, "%s %s", chip_prefix[0] ? chip_prefix : "board", label);
    else
        snprintf(out, size, "%s", label);
    /* Cut short by a small buffer, it could still read as a CPU label. */
    if (aurivent_is_cpu_label(out))
        out[0] = '\0';
}
