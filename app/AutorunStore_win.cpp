#include "AutorunStore.h"

#include <windows.h>
#include <shlwapi.h>

namespace {

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kValueName[] = L"Aurivent";

class RunKey final : public AutorunStore {
public:
    QString read() const override
    {
        wchar_t buffer[260] = {};
        DWORD size = sizeof(buffer);
        // A missing value leaves the buffer cleared: "not present".
        if (SHRegGetValueW(HKEY_CURRENT_USER, kRunKey, kValueName, SRRF_RT_REG_SZ, nullptr, buffer, &size)
            != ERROR_SUCCESS)
            return QString();
        return QString::fromWCharArray(buffer);
    }

    bool write(const QString &executablePath) override
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return false;
        const std::wstring path = executablePath.toStdWString();
        // Exactly the path and its terminating null character.
        const LONG result = RegSetValueExW(key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE *>(path.c_str()),
                                           static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
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
