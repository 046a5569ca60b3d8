/* SPDX-License-Identifier: GPL-3.0-or-later */
/* A sensor plug-in with scripted readings, loaded by the real binding.
 * At init it reads:
 *   FAKE_SENSORS        "Name|T:label=value|V:label=value;Other|T:..."
 *                       kinds T V F C P K U (temperature .. usage), O other
 *   FAKE_SENSORS_INIT   the init result (default 0)
 *   FAKE_SENSORS_COUNT  a sensor count to report instead of the real one
 *   FAKE_SENSORS_UNTERMINATED  1: fill every text buffer without a zero
 *   FAKE_SENSORS_LIVE   1: FAKE_SENSORS is read again at each pass (each
 *                       sensor count), so a test can have the next pass
 *                       return a value, nothing, or -128 without a new init
 *   FAKE_SENSORS_HANG_WHILE  a path: each pass (each sensor count) does not
 *                       return while that file exists, like a hung driver
 *                       (at most a minute, so a broken test still ends)
 *   FAKE_SENSORS_KINDS  what each sensor measures, "1,2,3" (the codes of
 *                       aurivent_sensors_kind; missing items are 0)
 * Built without FAKE_SENSORS_COMPLETE, the usage entry point is missing;
 * with FAKE_SENSORS_NO_KIND, the optional kind entry point. */

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#define EXPORT __attribute__((visibility("default")))
#define MAX_SENSORS 8
#define MAX_READINGS 64
#define NO_READING (-9999.0)

static const char kinds[] = "TVFCPKUO";

struct reading {
    char label[64];
    double value;
};

struct sensor {
    char name[64];
    int count[8];
    struct reading readings[8][MAX_READINGS];
};

static struct sensor sensors[MAX_SENSORS];
static int sensor_count;
static int reported_count;
static int unterminated;
static int live;
static char parsed[4096];

static int env_int(const char *name, int fallback)
{
    const char *v = getenv(name);
    return v && *v ? atoi(v) : fallback;
}

static void parse(const char *script)
{
    memset(sensors, 0, sizeof sensors);
    sensor_count = 0;
    snprintf(parsed, sizeof parsed, "%s", script ? script : "");
    char buffer[4096];
    snprintf(buffer, sizeof buffer, "%s", script ? script : "");
    char *save_sensor = NULL;
    for (char *s = strtok_r(buffer, ";", &save_sensor); s && sensor_count < MAX_SENSORS;
         s = strtok_r(NULL, ";", &save_sensor)) {
        struct sensor *sensor = &sensors[sensor_count++];
        char *save_item = NULL;
        char *item = strtok_r(s, "|", &save_item);
        snprintf(sensor->name, sizeof sensor->name, "%s", item ? item : "");
        while ((item = strtok_r(NULL, "|", &save_item)) != NULL) {
            const char *k = strchr(kinds, item[0]);
            char *eq = strrchr(item, '=');
            if (!k || item[1] != ':' || !eq)
                continue;
            const int kind = (int)(k - kinds);
            if (sensor->count[kind] >= MAX_READINGS)
                continue;
            *eq = '\0';
            struct reading *r = &sensor->readings[kind][sensor->count[kind]++];
            snprintf(r->label, sizeof r->label, "%s", item + 2);
            r->value = atof(eq + 1);
        }
    }
}

static void put_text(char *out, int size, const char *text)
{
    if (!out || size <= 0)
        return;
    if (unterminated)
        memset(out, 'x', (size_t)size);
    else
        snprintf(out, (size_t)size, "%s", text);
}

EXPORT int aurivent_sensors_init(int flags)
{
    (void)flags;
    parse(getenv("FAKE_SENSORS"));
    reported_count = env_int("FAKE_SENSORS_COUNT", sensor_count);
    unterminated = env_int("FAKE_SENSORS_UNTERMINATED", 0);
    live = env_int("FAKE_SENSORS_LIVE", 0);
    return env_int("FAKE_SENSORS_INIT", 0);
}

EXPORT int aurivent_sensors_reserved(void) { return 0; }
static void hang_while_asked(void)
{
    const char *path = getenv("FAKE_SENSORS_HANG_WHILE");
    const struct timespec tick = {0, 10 * 1000 * 1000};
    for (int i = 0; path && *path && i < 6000 && access(path, F_OK) == 0; ++i)
        nanosleep(&tick, NULL);
}

EXPORT int aurivent_sensors_count(void)
{
    hang_while_asked();
    const char *script = getenv("FAKE_SENSORS");
    if (live && strcmp(script ? script : "", parsed) != 0) {
        parse(script);
        reported_count = env_int("FAKE_SENSORS_COUNT", sensor_count);
    }
    return reported_count;
}
#ifndef FAKE_SENSORS_NO_KIND
EXPORT int aurivent_sensors_kind(int sensor)
{
    const char *kinds_text = getenv("FAKE_SENSORS_KINDS");
    if (!kinds_text || sensor < 0)
        return 0;
    for (int i = 0; i < sensor && kinds_text; ++i) {
        kinds_text = strchr(kinds_text, ',');
        if (kinds_text)
            ++kinds_text;
    }
    return kinds_text ? atoi(kinds_text) : 0;
}
#endif

EXPORT int aurivent_sensors_select(int sensor) { return sensor >= 0 && sensor < sensor_count; }

EXPORT int aurivent_sensors_name(int sensor, char *text, int size)
{
    put_text(text, size, sensor >= 0 && sensor < sensor_count ? sensors[sensor].name : "");
    return 0;
}

static double read_kind(int kind, int sensor, int index, char *label, int size)
{
    if (sensor < 0 || sensor >= sensor_count || index < 0 || index >= sensors[sensor].count[kind]) {
        put_text(label, size, "");
        return NO_READING;
    }
    put_text(label, size, sensors[sensor].readings[kind][index].label);
    return sensors[sensor].readings[kind][index].value;
}

EXPORT double aurivent_sensors_temperature(int s, int r, char *l, int n) { return read_kind(0, s, r, l, n); }
EXPORT double aurivent_sensors_voltage(int s, int r, char *l, int n) { return read_kind(1, s, r, l, n); }
EXPORT double aurivent_sensors_fan(int s, int r, char *l, int n) { return read_kind(2, s, r, l, n); }
EXPORT double aurivent_sensors_current(int s, int r, char *l, int n) { return read_kind(3, s, r, l, n); }
EXPORT double aurivent_sensors_power(int s, int r, char *l, int n) { return read_kind(4, s, r, l, n); }
EXPORT double aurivent_sensors_clock(int s, int r, char *l, int n) { return read_kind(5, s, r, l, n); }
#ifdef FAKE_SENSORS_COMPLETE
EXPORT double aurivent_sensors_usage(int s, int r, char *l, int n) { return read_kind(6, s, r, l, n); }
#endif

EXPORT double aurivent_sensors_other(int s, int r, char *l, int n, char *unit, int unit_size)
{
    put_text(unit, unit_size, "J");
    return read_kind(7, s, r, l, n);
}
