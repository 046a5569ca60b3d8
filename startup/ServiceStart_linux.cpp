// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServiceStart.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

int becomeService(int argc, char *argv[])
{
    // Beside this program's own file, wherever it was started from.
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        std::fprintf(stderr, "Aurivent: cannot find this program's folder: %s\n", std::strerror(errno));
        return 1;
    }
    self[length] = '\0';
    std::string path(self);
    path = path.substr(0, path.rfind('/') + 1) + "auriventd";
    std::vector<char *> arguments(argv, argv + argc);
    arguments[0] = &path[0];
    arguments.push_back(nullptr);
    execv(path.c_str(), arguments.data());
    std::fprintf(stderr, "Aurivent: cannot start the service %s: %s\n", path.c_str(), std::strerror(errno));
    return 1;
}
