// SPDX-License-Identifier: GPL-3.0-or-later
// Profiles beyond choosing one: edits not yet saved are asked about before
// another profile replaces them, and the settings shown can be copied into
// another profile (the context menu of its button).
#include "ui/MainView.h"

#include "common/Logging.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>

void MainView::buildProfileCopyActions()
{
    for (int k = 0; k < kProfileCount; ++k) {
        QPushButton *button = m_profileButtons[k];
        // Right click or the menu key on the button.
        button->setContextMenuPolicy(Qt::ActionsContextMenu);
        auto *copy = new QAction(button);
        copy->setObjectName(QStringLiteral("copyToProfile%1").arg(k + 1));
        copy->setText(tr("Copy the settings shown to PROFILE%1").arg(k + 1));
        connect(copy, &QAction::triggered, this, [this, k] { copyProfileTo(k); });
        button->addAction(copy);
    }
}

void MainView::copyProfileTo(int profileIndex)
{
    if (profileIndex < 0 || profileIndex >= kProfileCount) {
        qWarning() << "copyProfileTo: refused" << profileIndex;
        return;
    }
    qCDebug(lcUi) << "copy the current settings to profile" << profileIndex + 1;
    emit sendData(ViewMessages::copyProfile(profileIndex));
}

void MainView::noteEdit(const QStringList &message)
{
    // Watching a fan and the fan type go to the device file at once: no profile edit.
    const QString name = message.value(0);
    if (name == MessageName::pushMonitor || name == MessageName::selectFanType)
        return;
    m_unsavedBoxes.insert(m_currentBox);
}

MainView::UnsavedChoice MainView::askUnsaved(int fromProfile, int toProfile)
{
    QMessageBox box(QMessageBox::Question, tr("Unsaved changes"),
                    tr("PROFILE%1 has changes that are not saved. Save them before PROFILE%2 is loaded?")
                        .arg(fromProfile)
                        .arg(toProfile),
                    QMessageBox::NoButton, this);
    QPushButton *save = box.addButton(tr("Save"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(tr("Discard"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return UnsavedChoice::Save;
    if (box.clickedButton() == discard)
        return UnsavedChoice::Discard;
    return UnsavedChoice::Cancel;
}
