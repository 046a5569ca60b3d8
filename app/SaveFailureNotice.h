// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class QMessageBox;
class QSystemTrayIcon;
class QWidget;

// Tells the user, once per failed save, that a change did not reach the
// disk: a balloon from the tray where the desktop shows them, otherwise a
// small message box over the main view. The failures of one action (a
// profile and then the device file) become one message.
class SaveFailureNotice : public QObject {
    Q_OBJECT
public:
    // tray may be null; window gives the main view once it exists (or null).
    SaveFailureNotice(QSystemTrayIcon *tray, std::function<QWidget *()> window, QObject *parent = nullptr);
    ~SaveFailureNotice() override;

    static QString title();
    // The message for the files (full paths) that could not be written.
    static QString text(const QStringList &paths);
    // Settings of the device file that could not be read and were set to
    // their safe choice: told once, the same way as a failed save.
    void settingsRefused(const QStringList &keys);
    static QString refusedText(const QStringList &keys);

signals:
    // After the message went out, with its text.
    void shown(const QString &text);

private:
    void saveFailed(const QString &path);
    void showPending();

    QSystemTrayIcon *m_tray;
    std::function<QWidget *()> m_window;
    QPointer<QMessageBox> m_box;
    QStringList m_pending;
    QString m_refused;
};
