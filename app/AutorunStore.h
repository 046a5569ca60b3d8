// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

// What the autostart entry says.
struct AutorunEntry {
    bool exists = false;
    bool disabled = false; // switched off on the desktop, the entry kept
    QString program;       // the program path it starts
    QStringList arguments;
};

// Where the program registers itself to start when the user logs on.
// Linux: an XDG autostart entry $XDG_CONFIG_HOME/autostart/Aurivent.desktop;
// "disabled" is Hidden=true or X-GNOME-Autostart-enabled=false. Windows: the
// per-user Run key value "Aurivent"; "disabled" is the switch of Task
// Manager's start-up list.
class AutorunStore {
public:
    virtual ~AutorunStore() = default;
    virtual AutorunEntry entry() const = 0;
    // Writes a fresh entry, switched on, that starts `executablePath` with the
    // arguments of autorunArguments(), replacing what was there.
    virtual bool write(const QString &executablePath) = 0;
    // Switches an existing entry on or off, keeping what the user put into it.
    // On: it starts `executablePath` with autorunArguments() and is switched
    // on. Off: Linux switches it off as the desktop does (the entry stays);
    // Windows deletes the Run value.
    virtual bool setEnabled(bool on, const QString &executablePath) = 0;
    virtual bool remove() = 0;
    // The file name an entry for this program ends with ("Aurivent", "Aurivent.exe").
    virtual QString programFileName() const = 0;

    // The program path the entry starts; empty when there is no entry.
    QString read() const { return entry().program; }
};

std::unique_ptr<AutorunStore> createAutorunStore();

// A start at log-in goes to the tray, not to the full window.
QStringList autorunArguments();

// The user's choice from the tray menu: an entry that starts this program,
// switched on, or the entry switched off. Only an entry that names a copy of
// the program (its path ends in the program file name, case ignored) is
// switched off. When `memoryFile` is given, a written entry is remembered
// there (see reconcileAutorun).
void syncAutorun(bool wanted, AutorunStore &store, const QString &executablePath,
                 const QString &memoryFile = QString());

// At start-up, with `wanted` the stored setting. The entry is read and never
// changed: the desktop's switch counts both ways (an entry switched on or off
// there turns the setting on or off), and an entry removed after the program
// had written one (as `memoryFile` remembers) turns it off. Only the very
// first start, with no entry and none remembered, writes one when `wanted`.
// Returns true when `wanted` changed and is to be stored.
bool reconcileAutorun(bool &wanted, AutorunStore &store, const QString &executablePath, const QString &memoryFile);
