// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainView.h"

#include "ui/curves/CurveEditor.h"
#include "ui/curves/CurveSelector.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"

#include <QPushButton>

// The fans' curves: a selector per fan (from its PWM switch) and the editor
// (from the selector and the settings menu).

void MainView::buildCurvesEntry()
{
    m_curvesButton = addMenuButton(QStringLiteral("Curves"), false);
    connect(m_curvesButton, &QPushButton::released, this, [this] {
        hideLanguageMenu();
        openCurveEditor(QString());
    });
    updateCurvesText();
}

void MainView::updateCurvesText()
{
    if (m_curvesButton)
        m_curvesButton->setText(tr("Fan curves"));
}

void MainView::openCurveSelector(int fan)
{
    if (!m_viewState)
        return;
    auto *selector = new CurveSelector(*m_viewState, fan, this);
    selector->setAttribute(Qt::WA_DeleteOnClose);
    // Both kinds of box take it among the window's own messages.
    connect(selector, &CurveSelector::chosen, this, [this](int chosenFan, const QString &name) {
        emit sendData(ViewMessages::fanText(MessageName::fanCurve, chosenFan, name));
    });
    connect(selector, &CurveSelector::editRequested, this, [this, selector](const QString &name) {
        selector->reject();
        openCurveEditor(name);
    });
    selector->open();
}

void MainView::openCurveEditor(const QString &name)
{
    if (!m_viewState)
        return;
    if (!m_curveEditor) {
        m_curveEditor = new CurveEditor(*m_viewState, this);
        connect(m_curveEditor, &CurveEditor::curvesSaved, this,
                [this] { emit sendData({QString(MessageName::curvesSaved)}); });
    }
    m_curveEditor->showCurve(name);
    m_curveEditor->show();
    m_curveEditor->raise();
    m_curveEditor->activateWindow();
}
