// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// How a start through pkexec is put together (Linux only). pkexec runs its
// program in a minimal environment and in root's home folder, so the
// working directory and the few variables a desktop program needs to reach
// the user's display and the user's data folder are handed over through env.

// Variables passed on, when the caller has them.
QStringList elevationForwardedVariables();

// The argument vector: pkexec, env, --chdir=DIR, NAME=VALUE..., program, args.
// XDG_CONFIG_HOME is always passed (resolved from HOME when unset), so the
// elevated program finds the same data folder as the user.
QStringList elevatedCommandLine(const QString &pkexec, const QString &envProgram, const QString &program,
                                const QStringList &args, const QString &dir,
                                const QProcessEnvironment &environment);
