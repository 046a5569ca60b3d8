// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainView.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"

#include "common/Logging.h"

#include <QAction>
#include <QActionGroup>
#include <QDebug>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

// The settings menu's entry for who may reach the phone server: one button
// that opens three exclusive choices, and the password switch's explanation.

namespace {

constexpr int kRemoteAccessCount = 3;

} // namespace

void MainView::buildRemoteAccessEntry()
{
    // One row more in the settings menu, below the password.
    m_remoteAccessButton = addMenuButton(QStringLiteral("RemoteAccess"), false);

    m_remoteAccessMenu = new QMenu(this);
    m_remoteAccessMenu->setObjectName(QStringLiteral("RemoteAccessMenu"));
    m_remoteAccessMenu->setStyleSheet(QStringLiteral(
        "QMenu{background:#1c1c1c;color:white;font-family:Arial;font-size:12px;border:1px solid #444;}"
        "QMenu::item{padding:6px 16px 6px 24px;}QMenu::item:selected{background:#0080FF;}"));
    auto *group = new QActionGroup(m_remoteAccessMenu);
    group->setExclusive(true);
    for (int k = 0; k < kRemoteAccessCount; ++k) {
        QAction *action = m_remoteAccessMenu->addAction(QString());
        action->setObjectName(QStringLiteral("RemoteAccess%1").arg(k));
        action->setCheckable(true);
        action->setChecked(k == m_remoteAccess);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, k] { chooseRemoteAccess(k); });
        m_remoteAccessActions[k] = action;
    }
    connect(m_remoteAccessButton, &QPushButton::released, this, [this] {
        // To the left of the settings menu, which sits at the window's right edge.
        const QPoint at(-m_remoteAccessMenu->sizeHint().width(), 0);
        m_remoteAccessMenu->popup(m_remoteAccessButton->mapToGlobal(at));
    });
    updateRemoteAccessTexts();
}

void MainView::updateRemoteAccessTexts()
{
    if (!m_remoteAccessButton)
        return;
    m_remoteAccessButton->setText(tr("Phone access"));
    m_remoteAccessActions[0]->setText(tr("Off"));
    m_remoteAccessActions[1]->setText(tr("This computer only"));
    m_remoteAccessActions[2]->setText(tr("Network"));
    const QString passwordNote = tr(
        "The phone app asks for this password before it sends commands. "
        "It is not a lock: the program hands it to every device that connects to port 5489. "
        "To keep others on the network away from the fans, set Phone access to "
        "\"This computer only\" or \"Off\", or block port 5489 in the firewall.");
    m_menuButtons[8]->setToolTip(passwordNote);
    m_menuButtons[9]->setToolTip(passwordNote);
}

void MainView::setRemoteAccess(int access)
{
    if (access < 0 || access >= kRemoteAccessCount) {
        qWarning() << "setRemoteAccess refused: no such choice" << access;
        return;
    }
    m_remoteAccess = access;
    m_remoteAccessActions[access]->setChecked(true);
}

bool MainView::footerShowsAddress() const
{
    // Only where a phone can use it; otherwise the application's line about
    // the phone server stays.
    return m_remoteAccess == 2;
}

void MainView::chooseRemoteAccess(int access)
{
    hideLanguageMenu();
    if (access == m_remoteAccess)
        return;
    m_remoteAccess = access;
    qCDebug(lcUi) << "RemoteAccess:" << access;
    emit sendData(ViewMessages::command(MessageName::remoteAccess, access));
}
