/* SPDX-License-Identifier: GPL-3.0-or-later */
/* Preloaded into the program by the tests of its endings. A thread of its
 * own waits for a request file:
 * - AURIVENT_TEST_EXIT_REQUEST: calls exit(3), as Qt does when the X server
 *   goes away - an end that skips the program's orderly shutdown;
 * - AURIVENT_TEST_HOG_REQUEST: takes memory without end, until the kernel's
 *   OOM killer ends the program (run it in a memory-limited cgroup). */
#include <pthread.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static void wait_for(const char *path)
{
    const struct timespec tick = {0, 20 * 1000 * 1000};
    while (access(path, F_OK) != 0)
        nanosleep(&tick, NULL);
}

static void *exit_when_asked(void *path)
{
    wait_for((const char *)path);
    exit(3);
    return NULL;
}

static void *hog_when_asked(void *path)
{
    wait_for((const char *)path);
    for (;;) {
        char *block = malloc(4 << 20);
        if (block)
            memset(block, 1, 4 << 20);
    }
    return NULL;
}

static void watch(const char *variable, void *(*action)(void *))
{
    const char *path = getenv(variable);
    pthread_t thread;
    if (path && *path && pthread_create(&thread, NULL, action, (void *)path) == 0)
        pthread_detach(thread);
}

__attribute__((constructor)) static void start(void)
{
    watch("AURIVENT_TEST_EXIT_REQUEST", exit_when_asked);
    watch("AURIVENT_TEST_HOG_REQUEST", hog_when_asked);
}
