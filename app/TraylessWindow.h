// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Without a system tray (GNOME without an AppIndicator extension, say) a
// hidden window would leave a process no one can reach: there, closing or
// hiding the window minimizes it instead, and closing the minimized window
// (from the task bar) ends the program, as the tray's Exit would. Whether a
// tray is there is asked each time: a tray may appear after the start.
class TraylessWindow : public QObject {
    Q_OBJECT
public:
    using TrayCheck = std::function<bool()>;
    using End = std::function<void()>;

    // Watches `window`; `trayAvailable` defaults to Qt's own check, `end` to
    // ending the event loop.
    explicit TraylessWindow(QWidget *window, TrayCheck trayAvailable = TrayCheck(), End end = End());

    // Shows the window minimized, saying why in the log the first time.
    void minimize();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    TrayCheck m_trayAvailable;
    End m_end;
    bool m_logged = false;
};
