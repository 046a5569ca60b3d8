/* SPDX-License-Identifier: GPL-3.0-or-later */
/* The sensor plug-in of Aurivent on Linux: lm-sensors chips as "sensors",
 * their inputs of each kind as "readings" 0..63, with the temperature labels
 * the program counts as CPU (see SensorLabels.h). Entry points and their
 * contract are listed in lighting/SensorPlugin.h. */

#include "SensorLabels.h"

#include <sensors/error.h>
#include <sensors/sensors.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define EXPORT __attribute__((visibility("default")))

#define MAX_CHIPS 256
#define MAX_READINGS 64
#define LABEL_SIZE 128
#define NO_READING (-9999.0)

enum { KIND_TEMPERATURE, KIND_VOLTAGE, KIND_FAN, KIND_CURRENT, KIND_POWER, KIND_CLOCK, KIND_USAGE, KIND_OTHER,
       KIND_COUNT };

struct reading {
    int subfeature;
    char label[LABEL_SIZE];
    const char *unit;
};

struct chip {
    const sensors_chip_name *name;
    int count[KIND_COUNT];
    struct reading readings[KIND_COUNT][MAX_READINGS];
};

static struct chip *chips[MAX_CHIPS];
static int chip_count;
static int initialised;
/* Why there is no CPU temperature, for the program to log in its own words
 * (aurivent_sensors_reason); empty when there is one. */
static char reason_text[300];

static void copy_text(char *out, int size, const char *text)
{
    if (!out || size <= 0)
        return;
    snprintf(out, (size_t)size, "%s", text ? text : "");
}

static void set_reason(const char *reason)
{
    copy_text(reason_text, (int)sizeof reason_text, reason);
}

static void add_reading(struct chip *c, int kind, const sensors_feature *feature, int subfeature,
                        const char *unit)
{
    if (c->count[kind] >= MAX_READINGS)
        return;
    struct reading *r = &c->readings[kind][c->count[kind]++];
    r->subfeature = subfeature;
    r->unit = unit;
    char *label = sensors_get_label(c->name, feature);
    const char *text = label ? label : feature->name;
    if (kind == KIND_TEMPERATURE)
        aurivent_map_temperature_label(c->name->prefix, text, r->label, sizeof r->label);
    else
        copy_text(r->label, (int)sizeof r->label, text);
    free(label);
}

static const sensors_subfeature *input_of(const sensors_chip_name *name, const sensors_feature *f,
                                          sensors_subfeature_type type)
{
    return sensors_get_subfeature(name, f, type);
}

static void scan_chip(struct chip *c)
{
    int nr = 0;
    const sensors_feature *f;
    while ((f = sensors_get_features(c->name, &nr)) != NULL) {
        const sensors_subfeature *s = NULL;
        int kind = -1;
        const char *unit = "";
        switch (f->type) {
        case SENSORS_FEATURE_TEMP: kind = KIND_TEMPERATURE; s = input_of(c->name, f, SENSORS_SUBFEATURE_TEMP_INPUT); break;
        case SENSORS_FEATURE_IN: kind = KIND_VOLTAGE; s = input_of(c->name, f, SENSORS_SUBFEATURE_IN_INPUT); break;
        case SENSORS_FEATURE_FAN: kind = KIND_FAN; s = input_of(c->name, f, SENSORS_SUBFEATURE_FAN_INPUT); break;
        case SENSORS_FEATURE_CURR: kind = KIND_CURRENT; s = input_of(c->name, f, SENSORS_SUBFEATURE_CURR_INPUT); break;
        case SENSORS_FEATURE_POWER:
            kind = KIND_POWER;
            s = input_of(c->name, f, SENSORS_SUBFEATURE_POWER_INPUT);
            if (!s)
                s = input_of(c->name, f, SENSORS_SUBFEATURE_POWER_AVERAGE);
            break;
        case SENSORS_FEATURE_ENERGY: kind = KIND_OTHER; unit = "J"; s = input_of(c->name, f, SENSORS_SUBFEATURE_ENERGY_INPUT); break;
        case SENSORS_FEATURE_HUMIDITY: kind = KIND_OTHER; unit = "%RH"; s = input_of(c->name, f, SENSORS_SUBFEATURE_HUMIDITY_INPUT); break;
        default: break;
        }
        if (kind >= 0 && s)
            add_reading(c, kind, f, s->number, unit);
    }
}

EXPORT int aurivent_sensors_init(int flags)
{
    (void)flags;
    if (initialised) {
        sensors_cleanup();
        initialised = 0;
    }
    for (int i = 0; i < chip_count; ++i) {
        free(chips[i]);
        chips[i] = NULL;
    }
    chip_count = 0;
    set_reason("");
    const int err = sensors_init(NULL);
    if (err != 0) {
        char reason[300];
        snprintf(reason, sizeof reason, "libsensors could not start (%s)", sensors_strerror(err));
        set_reason(reason);
        return 1;
    }
    initialised = 1;
    int nr = 0;
    const sensors_chip_name *name;
    while (chip_count < MAX_CHIPS && (name = sensors_get_detected_chips(NULL, &nr)) != NULL) {
        struct chip *c = calloc(1, sizeof *c);
        if (!c) {
            set_reason("out of memory");
            return 3;
        }
        c->name = name;
        scan_chip(c);
        chips[chip_count++] = c;
    }
    if (chip_count == 0) {
        set_reason("libsensors finds no sensor chips (no hwmon devices on this machine)");
        return 2;
    }
    int cpu_chips = 0;
    for (int i = 0; i < chip_count; ++i)
        cpu_chips += aurivent_is_cpu_chip(chips[i]->name->prefix);
    /* The other chips are still listed; only a CPU chip is read for the fans. */
    if (cpu_chips == 0)
        set_reason("no CPU sensor driver among the sensor chips (k10temp, coretemp, zenpower, ...)");
    return 0;
}

EXPORT int aurivent_sensors_reason(char *text, int size)
{
    copy_text(text, size, reason_text);
    return reason_text[0] != '\0';
}

EXPORT int aurivent_sensors_reserved(void)
{
    return 0;
}

EXPORT int aurivent_sensors_count(void)
{
    return chip_count;
}

static const struct chip *chip_at(int sensor)
{
    return (sensor >= 0 && sensor < chip_count) ? chips[sensor] : NULL;
}

EXPORT int aurivent_sensors_select(int sensor)
{
    return chip_at(sensor) != NULL;
}

EXPORT int aurivent_sensors_kind(int sensor)
{
    const struct chip *c = chip_at(sensor);
    return c ? aurivent_chip_kind(c->name->prefix) : AURIVENT_CHIP_OTHER;
}

EXPORT int aurivent_sensors_name(int sensor, char *text, int size)
{
    const struct chip *c = chip_at(sensor);
    if (!text || size <= 0)
        return 0;
    text[0] = '\0';
    if (!c)
        return 0;
    if (sensors_snprintf_chip_name(text, (size_t)size, c->name) < 0)
        copy_text(text, size, c->name->prefix);
    text[size - 1] = '\0';
    return 1;
}

static double read_kind(int kind, int sensor, int index, char *label, int size, char *unit, int unit_size)
{
    copy_text(label, size, "");
    copy_text(unit, unit_size, "");
    const struct chip *c = chip_at(sensor);
    if (!c || index < 0 || index >= c->count[kind])
        return NO_READING;
    const struct reading *r = &c->readings[kind][index];
    copy_text(label, size, r->label);
    copy_text(unit, unit_size, r->unit);
    double value = 0.0;
    if (sensors_get_value(c->name, r->subfeature, &value) != 0)
        return NO_READING;
    return value;
}

#define READING_ENTRY(fn, kind)                                                    \
    EXPORT double fn(int sensor, int index, char *label, int size)                 \
    {                                                                              \
        return read_kind(kind, sensor, index, label, size, NULL, 0);               \
    }

READING_ENTRY(aurivent_sensors_temperature, KIND_TEMPERATURE)
READING_ENTRY(aurivent_sensors_voltage, KIND_VOLTAGE)
READING_ENTRY(aurivent_sensors_fan, KIND_FAN)
READING_ENTRY(aurivent_sensors_current, KIND_CURRENT)
READING_ENTRY(aurivent_sensors_power, KIND_POWER)
READING_ENTRY(aurivent_sensors_clock, KIND_CLOCK)
READING_ENTRY(aurivent_sensors_usage, KIND_USAGE)

EXPORT double aurivent_sensors_other(int sensor, int index, char *label, int size, char *unit, int unit_size)
{
    return read_kind(KIND_OTHER, sensor, index, label, size, unit, unit_size);
}
