// SPDX-License-Identifier: GPL-3.0-or-later
#include "Tray.h"

#include "LateTray.h"

#include <QAction>
#include <QPointer>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {
// The process's tray, for the checks that have no handle on it.
QPointer<Tray> s_tray;
} // namespace

Tray::Tray(QMainWindow *window, const QString &iconPath, bool autorun)
    : QObject(window)
    , m_icon(new QSystemTrayIcon(QIcon(iconPath), window))
    , m_menu(new QMenu(window))
{
    m_icon->setToolTip(QStringLiteral("Aurivent"));
    m_launch = m_menu->addAction(QString());
    m_graphs = m_menu->addAction(QString());
    m_autorun = m_menu->addAction(QString());
    m_menu->addSeparator();
    m_exit = m_menu->addAction(QString());
    retranslate(autorun);
    m_icon->setContextMenu(m_menu);
    m_icon->setVisible(true);
    connect(m_icon, &QSystemTrayIcon::activated, this, &Tray::activated);
    s_tray = this;
    // Qt shows no icon when there was no tray at its first look.
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        m_late = createLateTray(m_icon, m_menu, this);
    if (m_late) {
        connect(m_late, &LateTray::activated, this, &Tray::activated);
        connect(m_late, &LateTray::shownChanged, this, &Tray::reachableChanged);
    }
}

bool Tray::isReachable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable() || (m_late && m_late->isShown());
}

bool Tray::anyReachable()
{
    return s_tray ? s_tray->isReachable() : QSystemTrayIcon::isSystemTrayAvailable();
}

void Tray::showMessage(const QString &title, const QString &text, QSystemTrayIcon::MessageIcon icon)
{
    m_icon->showMessage(title, text, icon);
    emit messageShown(title, text);
}

void Tray::retranslate(bool autorun)
{
    // Dark like the window, with a drawn check mark rather than a square glyph.
    m_menu->setStyleSheet(QStringLiteral(
        "QMenu{background:#1c2430;color:white;border:1px solid #3a4758;padding:4px 0;}"
        "QMenu::item{padding:6px 18px 6px 28px;}QMenu::item:selected{background:#0274BE;}"
        "QMenu::item:disabled{color:#a3adb8;}QMenu::separator{height:1px;background:#3a4758;margin:4px 8px;}"));
    m_autorun->setCheckable(true);
    m_launch->setText(tr("Open Aurivent"));
    m_graphs->setText(tr("Graphs"));
    setAutorun(autorun);
    m_exit->setText(tr("Exit"));
}

QString Tray::autorunText(bool enabled)
{
    QString text = tr("Start Aurivent at log-in");
    if (!enabled)
        text += QStringLiteral(" (") + tr("not with simulated boxes") + QLatin1Char(')');
    return text;
}

void Tray::setAutorun(bool on)
{
    m_autorun->setChecked(on);
    m_autorun->setText(autorunText(m_autorun->isEnabled()));
}
