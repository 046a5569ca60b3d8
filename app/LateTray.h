// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSystemTrayIcon>

class QMenu;

// A tray that comes after the program. Qt decides once, when the first tray
// icon is made, how to show it; a StatusNotifier host that starts a few
// seconds later (common at log-in) then never gets the icon. This watches for
// the host and, when one appears, shows the icon there itself: the same
// picture, tool tip and menu, and clicks reported like Qt's own.
class LateTray : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Whether a host shows the icon now.
    virtual bool isShown() const = 0;

signals:
    // A host shows the icon (again); or it went away.
    void shownChanged(bool shown);
    void activated(QSystemTrayIcon::ActivationReason reason);
};

// Null where a tray cannot come late (Windows), or where there is no
// session bus to watch. `icon` and `menu` must outlive the result.
LateTray *createLateTray(QSystemTrayIcon *icon, QMenu *menu, QObject *parent);
