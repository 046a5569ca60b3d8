/* Preloaded into the program by the tests of its crash path: when the file
 * named by AURIVENT_TEST_EXIT_REQUEST appears, a thread of its own calls
 * exit(3), as Qt does when the X server goes away - an end that skips the
 * program's orderly shutdown. */
#include <pthread.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static void *watch(void *path)
{
    const struct timespec tick = {0, 20 * 1000 * 1000};
    while (access((const char *)path, F_OK) != 0)
        nanosleep(&tick, NULL);
    exit(3);
    return NULL;
}

__attribute__((constructor)) static void start(void)
{
    const char *path = getenv("AURIVENT_TEST_EXIT_REQUEST");
    pthread_t thread;
    if (path && *path && pthread_create(&thread, NULL, watch, (void *)path) == 0)
        pthread_detach(thread);
}
