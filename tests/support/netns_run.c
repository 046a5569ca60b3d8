/* SPDX-License-Identifier: GPL-3.0-or-later */
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
 * or "shared").
 *
 * It also gives the test a folder of X server sockets of its own: an Xvfb
 * in one namespace binds the same display number as one in another (its
 * abstract socket is per network), and both then own /tmp/.X11-unix/X0, so a
 * test's client could reach the other test's server. */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <net/if.h>
#include <sched.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
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
        if (unshare(CLONE_NEWNET | CLONE_NEWNS) != 0)
            return "unshare(CLONE_NEWNET | CLONE_NEWNS)";
    } else {
        if (unshare(CLONE_NEWUSER | CLONE_NEWNET | CLONE_NEWNS) != 0)
            return "unshare(CLONE_NEWUSER | CLONE_NEWNET | CLONE_NEWNS)";
        if (map_own_user(uid, gid) != 0)
            return "mapping the user into the new namespace";
    }
    if (loopback_up() != 0)
        return "bringing up the loopback interface";
    return NULL;
}

/* A fresh tmpfs on /tmp/.X11-unix, seen by this test only. Mount changes
 * must not travel back to the machine, hence the private propagation first. */
static const char *private_x_sockets(void)
{
    if (mount(NULL, "/", NULL, MS_REC | MS_PRIVATE, NULL) != 0)
        return "making the mounts private";
    /* Made here only where no X server made it yet; with the mode X gives it,
     * not what the umask leaves, since the machine sees this folder too. */
    if (mkdir("/tmp/.X11-unix", 01777) == 0)
        chmod("/tmp/.X11-unix", 01777);
    else if (errno != EEXIST)
        return "creating /tmp/.X11-unix";
    if (mount("aurivent-x11", "/tmp/.X11-unix", "tmpfs", MS_NOSUID | MS_NODEV | MS_NOEXEC, "mode=1777,size=64k") != 0)
        return "mounting a tmpfs on /tmp/.X11-unix";
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
        const char *shared_x = private_x_sockets();
        if (shared_x)
            fprintf(stderr, "aurivent-test-netns: X sockets stay shared (%s: %s)\n", shared_x, strerror(errno));
    }
    execvp(argv[1], argv + 1);
    fprintf(stderr, "aurivent-test-netns: cannot run %s: %s\n", argv[1], strerror(errno));
    return 127;
}
