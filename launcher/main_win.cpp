// SPDX-License-Identifier: GPL-3.0-or-later
// AuriventStart: starts Aurivent.exe from the launcher's own folder with the
// shell verb "runas" (the elevation prompt), waits a moment for it and ends.
// It passes none of its own arguments on and never stays behind: a refused
// or failed start ends the launcher at once with status 1.

#include <QApplication>

#include <cwchar>

#include <windows.h>
#include <shellapi.h>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    wchar_t directory[MAX_PATH] = {0};
    if (GetModuleFileNameW(nullptr, directory, MAX_PATH) != 0) {
        wchar_t *lastBackslash = wcsrchr(directory, L'\\');
        if (lastBackslash)
            *lastBackslash = L'\0';
        else
            directory[0] = L'\0';
    } else {
        // The shell then resolves the program against the current directory.
        directory[0] = L'\0';
    }

    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = nullptr;
    info.lpVerb = L"runas";
    info.lpFile = L"Aurivent.exe";
    info.lpParameters = L"";
    info.lpDirectory = directory;
    info.nShow = SW_SHOWNORMAL;
    info.hInstApp = nullptr;

    if (!ShellExecuteExW(&info))
        return 1;
    if (info.hProcess) {
        WaitForSingleObject(info.hProcess, 3000);
        CloseHandle(info.hProcess);
    }
    return 0;
}
