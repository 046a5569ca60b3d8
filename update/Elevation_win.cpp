// SPDX-License-Identifier: GPL-3.0-or-later
#include "Elevation.h"

#include <QDebug>
#include <QDir>

#include <string>

#include <windows.h>
#include <shellapi.h>

namespace {

// One command-line string; arguments with blanks or quotes are quoted.
std::wstring joinArguments(const QStringList &args)
{
    QStringList parts;
    for (QString arg : args) {
        if (arg.isEmpty() || arg.contains(QLatin1Char(' ')) || arg.contains(QLatin1Char('"'))) {
            arg.replace(QLatin1String("\""), QLatin1String("\\\""));
            arg = QLatin1Char('"') + arg + QLatin1Char('"');
        }
        parts << arg;
    }
    return parts.join(QLatin1Char(' ')).toStdWString();
}

} // namespace

QString Elevation::programFile(const QString &baseName)
{
    return baseName + QStringLiteral(".exe");
}

ElevationResult Elevation::start(const QString &file, const QStringList &args, const QString &dir)
{
    const std::wstring wideFile = QDir::toNativeSeparators(file).toStdWString();
    const std::wstring wideParameters = joinArguments(args);
    const std::wstring wideDirectory = QDir::toNativeSeparators(dir).toStdWString();

    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = nullptr;
    info.lpVerb = L"runas";
    info.lpFile = wideFile.c_str();
    info.lpParameters = wideParameters.c_str();
    info.lpDirectory = wideDirectory.c_str();
    info.nShow = SW_SHOWNORMAL;
    info.hInstApp = nullptr;

    ElevationResult result;
    if (!ShellExecuteExW(&info)) {
        const DWORD code = GetLastError();
        result.error = (code == ERROR_CANCELLED)
            ? QStringLiteral("administrator rights were not granted")
            : QStringLiteral("cannot start %1 (error %2)").arg(file).arg(code);
        qWarning().noquote() << "elevation:" << result.error;
        return result;
    }
    if (info.hProcess) {
        WaitForSingleObject(info.hProcess, Elevation::kWaitMs);
        CloseHandle(info.hProcess);
    }
    result.started = true;
    return result;
}
