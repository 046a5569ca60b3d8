// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServiceStart.h"

#include <process.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int becomeService(int argc, char *argv[])
{
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        std::fprintf(stderr, "Aurivent: cannot find this program's folder\n");
        return 1;
    }
    std::string path(self, length);
    path = path.substr(0, path.find_last_of("\\/") + 1) + "auriventd.exe";
    std::vector<char *> arguments(argv, argv + argc);
    arguments[0] = &path[0];
    arguments.push_back(nullptr);
    // Windows has no exec: the service runs as a child and its exit code is ours.
    const intptr_t result = _spawnv(_P_WAIT, path.c_str(), arguments.data());
    if (result < 0) {
        std::fprintf(stderr, "Aurivent: cannot start the service %s\n", path.c_str());
        return 1;
    }
    return static_cast<int>(result);
}
