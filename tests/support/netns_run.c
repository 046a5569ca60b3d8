/* Runs a test in a network of its own: a fresh network namespace with only
 * the loopback interface, up. A test that starts the program then gets the
 * phone port (and any other) to itself, beside other tests and beside an
 * Aurivent the user runs on the same machine.
 *
 *   aurivent-test-netns COMMAND [ARGS...]
 *
 * As root it makes only the network namespace; otherwise a user namespace
 * too, with the caller's own user and group mapped to themselves, so that
 * files and folders keep their owner. Where the kernel allows neither (some
 * containers), it says so on standard error and runs COMMAND unchanged;
 * AURIVENT_TEST_NETNS in COMMAND's environment says which it got ("private"
 * or "shared"). */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <net/if.h>
#include <sched.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

static int write_file(const char *path, const char *text)
{
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    const size_t length = strlen(text);
    const ssize_t written = write(fd, text, length);
    const int saved = errno;
    close(fd);
    errno = saved;
    return written == (ssize_t)length ? 0 : -1;
}

static int map_own_user(uid_t uid, gid_t gid)
{
    char line[64];
    /* Required before an unprivileged process may write its gid_map. */
    if (write_file("/proc/self/setgroups", "deny") != 0 && errno != ENOENT)
        return -1;
    snprintf(line, sizeof line, "%u %u 1\n", (unsigned)uid, (unsigned)uid);
    if (write_file("/proc/self/uid_map", line) != 0)
        return -1;
    snprintf(line, sizeof line, "%u %u 1\n", (unsigned)gid, (unsigned)gid);
    return write_file("/proc/self/gid_map", line);
}

static int loopback_up(void)
{
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    struct ifreq request;
    memset(&request, 0, sizeof request);
    strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    int result = ioctl(fd, SIOCGIFFLAGS, &request);
    if (result == 0) {
        request.ifr_flags |= IFF_UP | IFF_RUNNING;
        result = ioctl(fd, SIOCSIFFLAGS, &request);
    }
    const int saved = errno;
    close(fd);
    errno = saved;
    return result;
}

static const char *private_network(void)
{
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    if (uid == 0) {
        if (unshare(CLONE_NEWNET) != 0)
            return "unshare(CLONE_NEWNET)";
    } else {
        if (unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0)
            return "unshare(CLONE_NEWUSER | CLONE_NEWNET)";
        if (map_own_user(uid, gid) != 0)
            return "mapping the user into the new namespace";
    }
    if (loopback_up() != 0)
        return "bringing up the loopback interface";
    return NULL;
}

int main(int argc, char *argv[])
{
    if (argc < 2) {
        fprintf(stderr, "usage: aurivent-test-netns COMMAND [ARGS...]\n");
        return 2;
    }
    const char *failed = private_network();
    if (failed) {
        fprintf(stderr, "aurivent-test-netns: no private network (%s: %s); the test shares the machine's\n",
                failed, strerror(errno));
        setenv("AURIVENT_TEST_NETNS", "shared", 1);
    } else {
        setenv("AURIVENT_TEST_NETNS", "private", 1);
    }
    execvp(argv[1], argv + 1);
    fprintf(stderr, "aurivent-test-netns: cannot run %s: %s\n", argv[1], strerror(errno));
    return 127;
}
