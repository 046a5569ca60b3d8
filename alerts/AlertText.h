// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alerts/Alert.h"

#include <QCoreApplication>
#include <QString>

// The words of an alert in the language the program runs in: a short summary
// (a notification's title) and one sentence (its body, the log line, the
// command's last argument).
class AlertText {
    Q_DECLARE_TR_FUNCTIONS(AlertText)
public:
    static QString summary(const Alert &alert);
    static QString body(const Alert &alert);
    // The label of the action that opens the window.
    static QString openAction();
};
