// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServiceStart.h"

#include "WindowsArguments.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

int becomeService(int, char *[])
{
    // The wide command line: argv is in the ANSI code page and loses any
    // character outside it.
    int count = 0;
    LPWSTR *given = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!given || count < 1) {
        std::fprintf(stderr, "Aurivent: cannot read this program's command line\n");
        return 1;
    }
    std::vector<std::wstring> arguments(given, given + count);
    LocalFree(given);

    std::vector<wchar_t> self(32768);
    const DWORD length = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    if (length == 0 || length >= self.size()) {
        std::fprintf(stderr, "Aurivent: cannot find this program's folder\n");
        return 1;
    }
    std::wstring path(self.data(), length);
    path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"auriventd.exe";
    arguments[0] = path;

    std::wstring line = joinWindowsArguments(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    // Windows has no exec: the service runs as a child and its exit code is ours.
    if (!CreateProcessW(path.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "Aurivent: cannot start the service auriventd.exe beside this program (error %lu)\n",
                     GetLastError());
        return 1;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
