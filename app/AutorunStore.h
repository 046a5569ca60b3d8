#pragma once

#include <QString>

#include <memory>

// Where the program registers itself to start when the user logs on.
// Linux: an XDG autostart entry $XDG_CONFIG_HOME/autostart/Aurivent.desktop
// whose Exec= is the executable's full path. Windows: the per-user Run key
// value "Aurivent".
class AutorunStore {
public:
    virtual ~AutorunStore() = default;
    // The program path the entry starts; empty when there is no entry.
    virtual QString read() const = 0;
    virtual bool write(const QString &executablePath) = 0;
    virtual bool remove() = 0;
    // The file name an entry for this program ends with ("Aurivent", "Aurivent.exe").
    virtual QString programFileName() const = 0;
};

std::unique_ptr<AutorunStore> createAutorunStore();

// Brings the entry into line with `wanted`. An entry that already names a copy
// of the program (its path ends in the program file name, case ignored) is
// left as it is.
void syncAutorun(bool wanted, AutorunStore &store, const QString &executablePath);
