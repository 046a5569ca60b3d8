// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveFailureNotice.h"

#include "common/Logging.h"
#include "storage/SaveFailures.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTimer>

SaveFailureNotice::SaveFailureNotice(QSystemTrayIcon *tray, std::function<QWidget *()> window, QObject *parent)
    : QObject(parent)
    , m_tray(tray)
    , m_window(std::move(window))
{
    connect(&SaveFailures::instance(), &SaveFailures::saveFailed, this, &SaveFailureNotice::saveFailed);
}

QString SaveFailureNotice::title()
{
    return tr("Save failed");
}

QString SaveFailureNotice::text(const QStringList &paths)
{
    QStringList names;
    for (const QString &path : paths)
        names << QFileInfo(path).fileName();
    return tr("The settings could not be written to %1.").arg(names.join(QStringLiteral(", ")));
}

QString SaveFailureNotice::refusedText(const QStringList &keys)
{
    if (keys.contains(QStringLiteral("RemoteAccess")))
        return tr("The phone access setting in Device.ini could not be read: only this computer can reach "
                  "the phone server until you choose again in the settings menu.");
    return tr("Some settings in Device.ini could not be read and were set to their safe choice: %1.")
        .arg(keys.join(QStringLiteral(", ")));
}

void SaveFailureNotice::settingsRefused(const QStringList &keys)
{
    if (keys.isEmpty())
        return;
    m_refused = refusedText(keys);
    QTimer::singleShot(0, this, &SaveFailureNotice::showPending);
}

SaveFailureNotice::~SaveFailureNotice()
{
    delete m_box;  // unless the window it belongs to took it along
}

void SaveFailureNotice::saveFailed(const QString &path)
{
    if (m_pending.contains(path))
        return;
    m_pending << path;
    // Whatever else fails in the same action joins this message.
    if (m_pending.size() == 1)
        QTimer::singleShot(0, this, &SaveFailureNotice::showPending);
}

void SaveFailureNotice::showPending()
{
    if (m_pending.isEmpty() && m_refused.isEmpty())
        return;
    const QString message = m_pending.isEmpty() ? m_refused : text(m_pending);
    const QString heading = m_pending.isEmpty() ? tr("Settings") : title();
    if (m_pending.isEmpty())
        m_refused.clear();
    m_pending.clear();
    qCDebug(lcApp).noquote() << "saveFailureNotice:" << message;
    if (m_tray && m_tray->isVisible() && QSystemTrayIcon::isSystemTrayAvailable()
        && QSystemTrayIcon::supportsMessages()) {
        m_tray->showMessage(heading, message, QSystemTrayIcon::Warning);
    } else {
        // One box, shown again for a later failure (with its text).
        if (!m_box) {
            m_box = new QMessageBox(QMessageBox::Warning, heading, message, QMessageBox::Ok, m_window ? m_window() : nullptr);
            m_box->setModal(false);
            // It informs; it must not take the keys from whatever the user is
            // typing into. Raised over the view, active only when clicked.
            m_box->setAttribute(Qt::WA_ShowWithoutActivating);
        }
        m_box->setWindowTitle(heading);
        m_box->setText(message);
        m_box->show();
        m_box->raise();
    }
    emit shown(message);
    if (!m_refused.isEmpty())
        QTimer::singleShot(0, this, &SaveFailureNotice::showPending);
}
