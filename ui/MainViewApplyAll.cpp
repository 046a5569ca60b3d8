// SPDX-License-Identifier: GPL-3.0-or-later
// "To all": one fan's look and speed for every fan of the box, or of every
// box of the same kind. Each fan gets its own panel's messages; another box
// is chosen first as its button would choose it, so the boxes get what
// setting every fan by hand would have sent them.
#include "ui/MainView.h"

#include "common/Logging.h"
#include "device/BoxTable.h"
#include "ui/RainbowFan.h"
#include "ui/VaylaRGBFanView.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

void MainView::applyToAllFans(RainbowFan *source)
{
    if (!source)
        return;
    applyToFans(source->look(), source);
}

void MainView::applyToFans(const RainbowFan::Look &look, const RainbowFan *skip)
{
    // In fan order, as a user going round the carousel would.
    for (RainbowFan *panel : m_fanPanels) {
        if (panel == skip)
            continue;
        if (!panel->takeOver(look))
            qCDebug(lcUi) << "fan" << panel->fanNumber() + 1 << "keeps its light mode: it has no earlier fan to copy";
    }
}

void MainView::applyToVaylaFans(const VaylaRGBFanView::Look &look, const VaylaRGBFanView *skip)
{
    for (VaylaRGBFanView *view : m_vaylaViews)
        if (view != skip)
            view->takeOver(look);
}

QList<int> MainView::otherPresentBoxes() const
{
    QList<int> boxes;
    for (int b = 0; b < kBoxCount; ++b)
        if (b != m_currentBox && m_shownWindow.boxes[b].present)
            boxes << b;
    return boxes;
}

void MainView::applyToEveryBox(const std::function<void()> &toShownBox)
{
    const int home = m_currentBox;
    const int kind = m_boxType;
    for (int box : otherPresentBoxes()) {
        emit sendData(ViewMessages::command(MessageName::changeControllerBox, box));
        // The box answers with its kind; fans of the other kind cannot take this look.
        if (m_currentBox != box || m_boxType != kind) {
            qCDebug(lcUi) << "to all: box" << box + 1 << "left alone, its fans are of the other kind";
            continue;
        }
        toShownBox();
    }
    emit sendData(ViewMessages::command(MessageName::changeControllerBox, home));
}

void MainView::offerApplyToAll(QWidget *button, const std::function<void()> &thisBox,
                               const std::function<void()> &everyBox)
{
    // With one box there is nothing to choose.
    if (otherPresentBoxes().isEmpty()) {
        thisBox();
        return;
    }
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("applyAllMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setAccessibleName(tr("To all"));
    menu->setStyleSheet(QStringLiteral(
        "QMenu{background:#1c2430;color:white;border:1px solid #3a4758;padding:4px 0;font-size:13px;}"
        "QMenu::item{padding:6px 18px;}QMenu::item:selected{background:#0274BE;}"));
    QAction *box = menu->addAction(tr("All fans of this box"));
    box->setObjectName(QStringLiteral("thisBox"));
    QAction *every = menu->addAction(tr("All fans of every box"));
    every->setObjectName(QStringLiteral("everyBox"));
    connect(box, &QAction::triggered, this, thisBox);
    connect(every, &QAction::triggered, this, everyBox);
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
}

void MainView::askApplyToAll(RainbowFan *source)
{
    QWidget *button = source->findChild<QPushButton *>(QStringLiteral("btn_applyAll"));
    offerApplyToAll(button ? button : source, [this, source] { applyToAllFans(source); },
                    [this, source] {
                        // Read now: choosing another box redraws the panels.
                        const RainbowFan::Look look = source->look();
                        applyToFans(look, source);
                        applyToEveryBox([this, look] { applyToFans(look, nullptr); });
                    });
}

void MainView::askApplyToAllVayla(VaylaRGBFanView *source)
{
    QWidget *button = source->findChild<QPushButton *>(QStringLiteral("btn_applyAll"));
    offerApplyToAll(button ? button : source, [this, source] { applyToVaylaFans(source->look(), source); },
                    [this, source] {
                        const VaylaRGBFanView::Look look = source->look();
                        applyToVaylaFans(look, source);
                        applyToEveryBox([this, look] { applyToVaylaFans(look, nullptr); });
                    });
}
