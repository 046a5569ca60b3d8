#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QMainWindow;
class QSystemTrayIcon;

// The tray icon and its menu.
class Tray : public QObject {
    Q_OBJECT
public:
    Tray(QMainWindow *window, const QString &iconPath, bool autorun);

    // The two-byte mark in front of the autorun item, decoded with the
    // locale's codec; where that codec cannot read it (UTF-8 locales), the
    // black or white square it stands for.
    static QString autorunMark(bool on);
    static QString autorunText(bool on);
    void setAutorun(bool on);
    // The menu in the language just loaded.
    void retranslate(bool autorun);

    QSystemTrayIcon *icon() const { return m_icon; }
    QAction *launchAction() const { return m_launch; }
    QAction *autorunAction() const { return m_autorun; }
    QAction *exitAction() const { return m_exit; }

private:
    QSystemTrayIcon *m_icon;
    QMenu *m_menu;
    QAction *m_launch;
    QAction *m_autorun;
    QAction *m_exit;
};
