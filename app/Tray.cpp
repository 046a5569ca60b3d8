#include "Tray.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTextCodec>

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
