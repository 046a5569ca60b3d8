// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Running as root for a user of the desktop (started through pkexec or
// sudo): the program then works in that user's folders and creates its
// files as that user, keeping root's file access only for opening the boxes.
// Root-owned files in a user's folders would lock the user out of their own
// settings, autostart entry and command channel afterwards.
namespace SessionUser {

struct Adoption {
    bool ok = true;    // false: the program must not go on (error says why)
    QString note;      // a line for the log when the program acts for a user
    QString error;
};

// Call first in main(), before any thread or file exists.
Adoption adoptInvokingUser();

// Runs `open` with root's file access when the program acts for a user
// (device nodes only root may open); otherwise simply runs it.
void withDeviceAccess(const std::function<void()> &open);

// The user named by pkexec (PKEXEC_UID) or sudo (SUDO_UID), in that order;
// -1 when neither names a user other than root.
long invokingUid(const QByteArray &pkexecUid, const QByteArray &sudoUid);

} // namespace SessionUser
