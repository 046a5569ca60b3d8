// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

class LateTray;
class QAction;
class QMenu;
class QMainWindow;

// The tray icon and its menu. Where the desktop's tray is not there at the
// start, the icon is shown as soon as one appears (LateTray).
class Tray : public QObject {
    Q_OBJECT
public:
    Tray(QMainWindow *window, const QString &iconPath, bool autorun);

    // The autorun item's text (its state is the item's check mark); a greyed
    // item says why.
    static QString autorunText(bool enabled = true);
    void setAutorun(bool on);
    // The menu in the language just loaded.
    void retranslate(bool autorun);

    // Whether the user can reach the program through a tray icon now: Qt's
    // own, or one shown later. Asked anew each time: a tray may come and go.
    bool isReachable() const;
    // The same for the process's tray, wherever it is (false before one exists).
    static bool anyReachable();

    QSystemTrayIcon *icon() const { return m_icon; }
    QAction *launchAction() const { return m_launch; }
    QAction *autorunAction() const { return m_autorun; }
    QAction *graphsAction() const { return m_graphs; }
    QAction *exitAction() const { return m_exit; }

    // A message from the icon; every message of the program goes through here.
    void showMessage(const QString &title, const QString &text,
                     QSystemTrayIcon::MessageIcon icon = QSystemTrayIcon::Information);

signals:
    // A click on the icon, wherever it is shown.
    void activated(QSystemTrayIcon::ActivationReason reason);
    // The icon became reachable, or stopped being.
    void reachableChanged(bool reachable);
    // A message went out.
    void messageShown(const QString &title, const QString &text);

private:
    QSystemTrayIcon *m_icon;
    QMenu *m_menu;
    QAction *m_launch;
    QAction *m_autorun;
    QAction *m_graphs;
    QAction *m_exit;
    LateTray *m_late = nullptr;
};
