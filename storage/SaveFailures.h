// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// Every save that could not complete passes here, so that the program can
// tell the user, not only the log. Lives on the GUI thread, like the saves.
class SaveFailures : public QObject {
    Q_OBJECT
public:
    static SaveFailures &instance();

signals:
    // path: the file that kept its old content (or could not be created).
    void saveFailed(const QString &path);

private:
    SaveFailures() = default;
};
