#include "Tray.h"

#include "LateTray.h"

#include <QAction>
#include <QPointer>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTextCodec>

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

void Tray::retranslate(bool autorun)
{
    m_launch->setText(tr("Open Aurivent"));
    m_autorun->setText(autorunText(autorun));
    m_exit->setText(tr("Exit"));
}

QString Tray::autorunMark(bool on)
{
    const char bytes[] = {char(0xA1), char(on ? 0xBD : 0xBC)};
    QString mark = QTextCodec::codecForLocale()->toUnicode(bytes, 2);
    if (mark.isEmpty() || mark.contains(QChar::ReplacementCharacter) || mark.size() > 1)
        mark = on ? QString(QChar(0x25A0)) : QString(QChar(0x25A1));
    return mark;
}

QString Tray::autorunText(bool on)
{
    return autorunMark(on) + QLatin1Char(' ') + tr("Start Aurivent at log-in");
}

void Tray::setAutorun(bool on)
{
    m_autorun->setText(autorunText(on));
}
