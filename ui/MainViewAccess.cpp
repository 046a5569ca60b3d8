// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader says about the main window's own controls, the order
// Tab visits the window in, and the larger press areas of its small images.
#include "ui/MainView.h"

#include "device/BoxTable.h"
#include "ui/HitArea.h"
#include "ui/RainbowFan.h"
#include "ui/VaylaRGBFanView.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

using namespace MainViewRules;

namespace {

void describe(QWidget *w, const QString &name, const QString &description = QString(), bool tip = false)
{
    w->setAccessibleName(name);
    w->setAccessibleDescription(description);
    if (tip)
        w->setToolTip(description.isEmpty() ? name : description);
}

} // namespace

void MainView::describeControls()
{
    describe(m_closeButton, tr("Close"), tr("Closes the window; the program goes on in the tray"), true);
    describe(m_minButton, tr("Minimize"), QString(), true);
    describe(m_settingButton, tr("Settings"), tr("Language, updates, password, phone access, kind of fans"), true);
    describe(m_arrowLeft, tr("Earlier boxes"), QString(), true);
    describe(m_arrowRight, tr("Later boxes"), QString(), true);
    for (int k = 0; k < kProfileCount; ++k)
        describe(m_profileButtons[k], tr("Profile %1").arg(k + 1),
                 tr("Menu key or right click: copy the settings shown into this profile"));
    describe(m_saveButton, m_saveButton->text(), tr("Keeps the settings shown in the current profile"));
    describe(m_infoButton, m_infoButton->text(), tr("Shows what the temperature sensors read"), true);
    for (int box = 0; box < kBoxCount; ++box)
        describeBox(box);
    m_keypadCaption->setText(tr("New password"));
    describe(m_keys[10], tr("Confirm"), tr("Keeps the four digits as the new password"), true);
    describe(m_keys[11], tr("Delete"), tr("Removes the last digit"), true);
}

void MainView::describeBox(int box)
{
    QPushButton *button = m_boxButtons[box];
    QString state = tr("Not connected");
    if (button->isCheckable())
        state = m_boxSilent[box] ? tr("Not answering") : m_boxAlarm[box] ? tr("A fan stopped") : tr("Connected");
    describe(button, tr("Box %1").arg(box + 1), state);
}

void MainView::extendHitAreas()
{
    for (QWidget *w : {m_arrowLeft, m_arrowRight, m_closeButton, m_minButton, m_settingButton, m_infoButton})
        HitArea::extend(w);
}

QList<QWidget *> MainView::tabStops() const
{
    auto usable = [](QWidget *w) {
        return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus);
    };
    QList<QWidget *> stops;
    // The keypad keeps the keyboard to itself while it is open, as does an
    // open colour popup.
    if (isKeypadShown()) {
        for (QPushButton *key : m_keys)
            stops << key;
        return stops;
    }
    if (m_boxType != 0) {
        for (RainbowFan *panel : m_fanPanels) {
            if (panel->isColorPopupShown())
                return panel->tabStops();
        }
    }

    QList<QWidget *> order;
    order << m_arrowLeft;
    for (QPushButton *box : m_boxButtons) {
        // An empty slot is not a place to go.
        if (box->isCheckable())
            order << box;
    }
    order << m_arrowRight;
    for (QPushButton *profile : m_profileButtons)
        order << profile;
    order << m_saveButton << m_settingButton;
    if (!m_languageMenu->isHidden()) {
        for (QPushButton *b : m_menuButtons)
            order << b;
        order << m_remoteAccessButton << m_graphsButton << m_curvesButton << m_boxTypeButtons[BoxType::Rainbow] << m_boxTypeButtons[BoxType::Vayla];
    }
    order << m_minButton << m_closeButton;
    if (!isNoBoxNoticeShown()) {
        if (m_boxType != 0) {
            for (RainbowFan *panel : m_fanPanels)
                order << panel->tabStops();
        } else {
            for (VaylaRGBFanView *view : m_vaylaViews)
                order << view->tabStops();
        }
    }
    order << m_infoButton;
    for (QWidget *w : order) {
        if (usable(w))
            stops << w;
    }
    return stops;
}

bool MainView::focusNextPrevChild(bool next)
{
    const QList<QWidget *> stops = tabStops();
    if (stops.isEmpty())
        return QWidget::focusNextPrevChild(next);
    QWidget *current = QApplication::focusWidget();
    // The control itself, else the stop it lies in (a switch on a title bar
    // is a stop of its own).
    int index = stops.indexOf(current);
    for (int i = 0; i < stops.size() && index < 0; ++i) {
        if (stops[i]->isAncestorOf(current))
            index = i;
    }
    const int count = stops.size();
    const int to = index < 0 ? (next ? 0 : count - 1) : (index + (next ? 1 : count - 1)) % count;
    QWidget *target = stops[to];
    RainbowFan *atBack = nullptr;
    if (m_boxType != 0) {
        for (RainbowFan *panel : m_fanPanels) {
            if (panel->tabStops() == QList<QWidget *>{target})
                atBack = panel;
        }
    }
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);

    // Going backwards onto a panel at the back turns it forward; its last
    // control, not its title, comes before the panel that follows it.
    if (!next && atBack) {
        const QList<QWidget *> own = atBack->tabStops();
        if (own.size() > 1)
            own.last()->setFocus(Qt::BacktabFocusReason);
    }
    return true;
}
