// SPDX-License-Identifier: GPL-3.0-or-later
#include "SessionUser.h"

#include <pwd.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace {

bool g_adopted = false;
uid_t g_uid = 0;
gid_t g_gid = 0;

bool ownedBy(const QByteArray &path, uid_t uid)
{
    struct stat st;
    return !path.isEmpty() && stat(path.constData(), &st) == 0 && st.st_uid == uid;
}

// The file-system identity is per thread; threads started later inherit it.
void setFileIdentity(uid_t uid, gid_t gid)
{
    setfsgid(gid);
    setfsuid(uid);
}

} // namespace

SessionUser::Adoption SessionUser::adoptInvokingUser()
{
    Adoption result;
    if (geteuid() != 0)
        return result;
    const long uid = invokingUid(qgetenv("PKEXEC_UID"), qgetenv("SUDO_UID"));
    if (uid < 0)
        return result; // root's own session: root's own folders
    const struct passwd *pw = getpwuid(static_cast<uid_t>(uid));
    if (!pw) {
        result.ok = false;
        result.error = QStringLiteral("started as root for user id %1, which has no account here; start Aurivent "
                                      "as that user instead")
                           .arg(uid);
        return result;
    }
    g_uid = pw->pw_uid;
    g_gid = pw->pw_gid;
    const QByteArray home(pw->pw_dir);
    const QByteArray name(pw->pw_name);

    // pkexec and sudo hand over root's home, and sometimes the user's own
    // folders: keep the user's where they are the user's.
    setenv("HOME", home.constData(), 1);
    setenv("USER", name.constData(), 1);
    setenv("LOGNAME", name.constData(), 1);
    if (!ownedBy(qgetenv("XDG_CONFIG_HOME"), g_uid))
        setenv("XDG_CONFIG_HOME", (home + "/.config").constData(), 1);
    if (!ownedBy(qgetenv("XDG_RUNTIME_DIR"), g_uid)) {
        const QByteArray runtime = "/run/user/" + QByteArray::number(static_cast<qulonglong>(g_uid));
        if (ownedBy(runtime, g_uid))
            setenv("XDG_RUNTIME_DIR", runtime.constData(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
    }
    for (const char *name : {"XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"}) {
        if (qEnvironmentVariableIsSet(name) && !ownedBy(qgetenv(name), g_uid))
            unsetenv(name);
    }

    setFileIdentity(g_uid, g_gid);
    if (static_cast<uid_t>(setfsuid(static_cast<uid_t>(-1))) != g_uid) {
        result.ok = false;
        result.error = QStringLiteral("cannot create files as user %1").arg(QString::fromLocal8Bit(name));
        return result;
    }
    g_adopted = true;
    result.note = QStringLiteral("running as root for user %1: settings, autostart entry and command channel are %1's, "
                                 "and files are created as %1")
                      .arg(QString::fromLocal8Bit(name));
    return result;
}

void SessionUser::withDeviceAccess(const std::function<void()> &open)
{
    if (!g_adopted) {
        open();
        return;
    }
    setFileIdentity(0, 0);
    open();
    setFileIdentity(g_uid, g_gid);
}
