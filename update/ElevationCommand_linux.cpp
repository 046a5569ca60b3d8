// SPDX-License-Identifier: GPL-3.0-or-later
#include "ElevationCommand.h"

#include <QFileInfo>

QStringList elevationForwardedVariables()
{
    return {QStringLiteral("DISPLAY"), QStringLiteral("XAUTHORITY"), QStringLiteral("WAYLAND_DISPLAY"),
            QStringLiteral("XDG_RUNTIME_DIR"), QStringLiteral("LANG"), QStringLiteral("QT_QPA_PLATFORM")};
}

QStringList elevatedCommandLine(const QString &pkexec, const QString &envProgram, const QString &program,
                                const QStringList &args, const QString &dir,
                                const QProcessEnvironment &environment)
{
    QStringList argv{pkexec, envProgram, QStringLiteral("--chdir=") + dir};
    const QString home = environment.value(QStringLiteral("HOME"));
    for (const QString &name : elevationForwardedVariables()) {
        QString value = environment.value(name);
        if (value.isEmpty() && name == QLatin1String("XAUTHORITY") && !home.isEmpty()
            && QFileInfo::exists(home + QStringLiteral("/.Xauthority")))
            value = home + QStringLiteral("/.Xauthority");
        if (!value.isEmpty())
            argv << name + QLatin1Char('=') + value;
    }
    QString config = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (config.isEmpty() && !home.isEmpty())
        config = home + QStringLiteral("/.config");
    if (!config.isEmpty())
        argv << QStringLiteral("XDG_CONFIG_HOME=") + config;
    argv << program << args;
    return argv;
}
