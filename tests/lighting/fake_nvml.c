/* SPDX-License-Identifier: GPL-3.0-or-later */
/* A stand-in for NVIDIA's management library with the calls the program
 * uses, scripted through the environment:
 *   FAKE_NVML       "uuid|model|celsius;..." one GPU per item; an empty uuid
 *                   fails the UUID call, celsius "-" fails the temperature
 *                   call. Read at init, and again at each temperature call,
 *                   so a test can change a GPU's reading or make it fail.
 *   FAKE_NVML_INIT  the init result (default 0)
 *   FAKE_NVML_COUNT a GPU count to report instead of the real one
 *   FAKE_NVML_HOLD  a path: init does not return while that file exists, like
 *                   a slow driver (at most a minute, so a broken test ends)
 * Built with FAKE_NVML_INCOMPLETE, nvmlDeviceGetTemperature is missing. */

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#define EXPORT __attribute__((visibility("default")))
#define MAX_GPUS 8

struct gpu {
    char uuid[64];
    char model[64];
    int answers;
    unsigned celsius;
};

static struct gpu gpus[MAX_GPUS];
static int gpu_count;

static int env_int(const char *name, int fallback)
{
    const char *v = getenv(name);
    return v && *v ? atoi(v) : fallback;
}

static void parse(void)
{
    memset(gpus, 0, sizeof gpus);
    gpu_count = 0;
    const char *script = getenv("FAKE_NVML");
    char buffer[1024];
    snprintf(buffer, sizeof buffer, "%s", script ? script : "");
    char *save = NULL;
    for (char *item = strtok_r(buffer, ";", &save); item && gpu_count < MAX_GPUS; item = strtok_r(NULL, ";", &save)) {
        struct gpu *g = &gpus[gpu_count++];
        char *bar1 = strchr(item, '|');
        char *bar2 = bar1 ? strchr(bar1 + 1, '|') : NULL;
        if (!bar1 || !bar2)
            continue;
        *bar1 = *bar2 = '\0';
        snprintf(g->uuid, sizeof g->uuid, "%s", item);
        snprintf(g->model, sizeof g->model, "%s", bar1 + 1);
        g->answers = strcmp(bar2 + 1, "-") != 0;
        g->celsius = (unsigned)atoi(bar2 + 1);
    }
}

static struct gpu *gpu_of(void *device)
{
    for (int i = 0; i < MAX_GPUS; ++i)
        if (device == &gpus[i])
            return &gpus[i];
    return NULL;
}

EXPORT int nvmlInit_v2(void)
{
    const char *hold = getenv("FAKE_NVML_HOLD");
    const struct timespec tick = {0, 10 * 1000 * 1000};
    for (int i = 0; hold && *hold && i < 6000 && access(hold, F_OK) == 0; ++i)
        nanosleep(&tick, NULL);
    parse();
    return env_int("FAKE_NVML_INIT", 0);
}

EXPORT int nvmlDeviceGetCount_v2(unsigned *count)
{
    *count = (unsigned)env_int("FAKE_NVML_COUNT", gpu_count);
    return 0;
}

EXPORT int nvmlDeviceGetHandleByIndex_v2(unsigned index, void **device)
{
    if (index >= (unsigned)gpu_count)
        return 2; /* invalid argument */
    *device = &gpus[index];
    return 0;
}

static int put_text(const char *text, char *out, unsigned size)
{
    if (!out || size == 0)
        return 2;
    snprintf(out, size, "%s", text);
    return 0;
}

EXPORT int nvmlDeviceGetUUID(void *device, char *out, unsigned size)
{
    const struct gpu *g = gpu_of(device);
    if (!g || !g->uuid[0])
        return 3; /* not supported */
    return put_text(g->uuid, out, size);
}

EXPORT int nvmlDeviceGetName(void *device, char *out, unsigned size)
{
    const struct gpu *g = gpu_of(device);
    return g ? put_text(g->model, out, size) : 2;
}

#ifndef FAKE_NVML_INCOMPLETE
EXPORT int nvmlDeviceGetTemperature(void *device, int sensor, unsigned *celsius)
{
    struct gpu *g = gpu_of(device);
    if (!g || sensor != 0)
        return 2;
    /* The script as it is now, for the GPU at the same place. */
    const int index = (int)(g - gpus);
    struct gpu saved[MAX_GPUS];
    memcpy(saved, gpus, sizeof gpus);
    const int saved_count = gpu_count;
    parse();
    const int answers = index < gpu_count && gpus[index].answers;
    const unsigned value = gpus[index].celsius;
    memcpy(gpus, saved, sizeof gpus);
    gpu_count = saved_count;
    if (!answers)
        return 15; /* GPU is lost */
    *celsius = value;
    return 0;
}
#endif
