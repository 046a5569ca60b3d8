// SPDX-License-Identifier: GPL-3.0-or-later
#include "TraylessWindow.h"

#include "common/Logging.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

TraylessWindow::TraylessWindow(QWidget *window, TrayCheck trayAvailable, End end)
    : QObject(window)
    , m_window(window)
    , m_trayAvailable(trayAvailable ? std::move(trayAvailable) : TrayCheck(&QSystemTrayIcon::isSystemTrayAvailable))
    , m_end(end ? std::move(end) : End(&QCoreApplication::quit))
{
    window->installEventFilter(this);
}

void TraylessWindow::minimize()
{
    if (!m_logged) {
        qCInfo(lcApp) << "no system tray on this desktop: the window is minimized instead of hidden "
                         "(closing it while minimized ends Aurivent)";
        m_logged = true;
    }
    m_window->showMinimized();
}

bool TraylessWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || m_trayAvailable())
        return false;
    if (event->type() == QEvent::Close) {
        event->ignore();
        // Closed again from the task bar: with no tray menu, that is the way out.
        if (m_window->isMinimized())
            m_end();
        else
            minimize();
        return true;
    }
    // The window's own close button and the "hide" command hide it directly;
    // a spontaneous hide is the desktop minimizing it.
    if (event->type() == QEvent::Hide && !event->spontaneous())
        QTimer::singleShot(0, m_window, [this] { minimize(); });
    return false;
}
