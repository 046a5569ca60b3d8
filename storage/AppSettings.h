// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The program-wide settings carried by the device file's "Main" group.
struct AppSettings {
    bool isStartAutoUpdate = true;
    bool isAutoRun = true;
    int languageIndex = 0;      // 0-6 selects a translation; other values load none
    bool OpenPassword = false;
    QString Password = QStringLiteral("9462");
    // Base URL of the update service ("Main/UpdateServer"); empty = none configured.
    QString updateServer;
    // Who may reach the phone server ("Main/RemoteAccess"): 0 off, 1 this
    // computer only, 2 the network.
    int remoteAccess = 2;
    // Not stored: the keys whose value could not be read and that were set
    // to their safe choice instead, for telling the user.
    QStringList refusedSettings;
};
