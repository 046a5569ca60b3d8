// SPDX-License-Identifier: GPL-3.0-or-later
#include "AutorunStore.h"

#include <windows.h>
#include <shlwapi.h>

namespace {

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Task Manager's start-up switch: the first byte of the value is 3 when the
// user turned the entry off.
const wchar_t kApprovedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
const wchar_t kValueName[] = L"Aurivent";

class RunKey final : public AutorunStore {
public:
    AutorunEntry entry() const override
    {
        AutorunEntry result;
        wchar_t buffer[520] = {};
        DWORD size = sizeof(buffer);
        // A missing value leaves the buffer cleared: "not present".
        if (SHRegGetValueW(HKEY_CURRENT_USER, kRunKey, kValueName, SRRF_RT_REG_SZ, nullptr, buffer, &size)
            != ERROR_SUCCESS)
            return result;
        result.exists = true;
        const QString text = QString::fromWCharArray(buffer).trimmed();
        if (text.startsWith(QLatin1Char('"'))) {
            const int end = text.indexOf(QLatin1Char('"'), 1);
            result.program = end > 0 ? text.mid(1, end - 1) : text.mid(1);
            if (end > 0)
                result.arguments = text.mid(end + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        } else {
            result.program = text; // the form of earlier versions: the path alone
        }
        BYTE approved[12] = {};
        DWORD approvedSize = sizeof(approved);
        if (SHRegGetValueW(HKEY_CURRENT_USER, kApprovedKey, kValueName, SRRF_RT_REG_BINARY, nullptr, approved,
                           &approvedSize)
                == ERROR_SUCCESS
            && approvedSize > 0)
            result.disabled = approved[0] == 3;
        return result;
    }

    bool write(const QString &executablePath) override
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return false;
        QString command = QLatin1Char('"') + executablePath + QLatin1Char('"');
        for (const QString &argument : autorunArguments())
            command += QLatin1Char(' ') + argument;
        const std::wstring text = command.toStdWString();
        // Exactly the text and its terminating null character.
        const LONG result = RegSetValueExW(key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        // A fresh entry starts switched on.
        HKEY approvedKey = nullptr;
        if (result == ERROR_SUCCESS
            && RegOpenKeyExW(HKEY_CURRENT_USER, kApprovedKey, 0, KEY_ALL_ACCESS, &approvedKey) == ERROR_SUCCESS) {
            RegDeleteValueW(approvedKey, kValueName);
            RegCloseKey(approvedKey);
        }
        return result == ERROR_SUCCESS;
    }

    // Off is the Run value deleted, as Windows programs do; on writes it
    // afresh (the whole value is the command, nothing of the user's to keep).
    bool setEnabled(bool on, const QString &executablePath) override
    {
        return on ? write(executablePath) : remove();
    }

    bool remove() override
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return false;
        const LONG result = RegDeleteValueW(key, kValueName);
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }

    QString programFileName() const override { return QStringLiteral("Aurivent.exe"); }
};

} // namespace

std::unique_ptr<AutorunStore> createAutorunStore()
{
    return std::make_unique<RunKey>();
}
