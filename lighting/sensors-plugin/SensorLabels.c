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

void aurivent_map_temperature_label(const char *chip_prefix, const char *label, char *out, size_t size)
{
    if (!out || size == 0)
        return;
    if (!chip_prefix)
        chip_prefix = "";
    if (!label)
        label = "";
    int n;
    if (strcmp(chip_prefix, "coretemp") == 0) {
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
    } else if (strcmp(chip_prefix, "k10temp") == 0 || strcmp(chip_prefix, "zenpower") == 0) {
        if (strcmp(label, "Tctl") == 0 || strcmp(label, "Tdie") == 0) {
            snprintf(out, size, "CPU");
            return;
        }
        if ((n = numbered(label, "Tccd")) >= 1) {
            snprintf(out, size, "CPU %d", n - 1);
            return;
        }
    } else if (strstr(chip_prefix, "cpu") != NULL) {
        snprintf(out, size, "CPU");
        return;
    } else if (strcmp(chip_prefix, "acpitz") == 0) {
        if ((n = numbered(label, "temp")) >= 0) {
            snprintf(out, size, "Temperature %d", n);
            return;
        }
    }
    snprintf(out, size, "%s", label);
}
