// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainView.h"

#include <QLabel>
#include <QPushButton>

// The settings menu's entry for the graphs of every fan.

void MainView::buildGraphsEntry()
{
    m_graphsButton = addMenuButton(QStringLiteral("Graphs"), false);
    connect(m_graphsButton, &QPushButton::released, this, [this] {
        hideLanguageMenu();
        emit graphsRequested(-1, -1);
    });
    updateGraphsText();
}

void MainView::updateGraphsText()
{
    if (m_graphsButton)
        m_graphsButton->setText(tr("Graphs"));
}
