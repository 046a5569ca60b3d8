// SPDX-License-Identifier: GPL-3.0-or-later
// What the window says about the boxes themselves: which kind of fans the
// current box drives (chosen in the settings menu), that no box was found,
// and that a profile was saved.
#include "ui/MainView.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"

#include "common/Logging.h"
#include "device/BoxTable.h"
#include "ui/TextFit.h"

#include <QButtonGroup>
#include <QDebug>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace MainViewRules;

void MainView::buildBoxTypeChoice()
{
    const int y = addMenuRow(22);
    m_boxTypeCaption = new QLabel(m_languageMenu);
    m_boxTypeCaption->setObjectName(QStringLiteral("label_boxType"));
    m_boxTypeCaption->setGeometry(5, y + 4, 120, 18);
    m_boxTypeCaption->setAlignment(Qt::AlignCenter);
    m_boxTypeCaption->setStyleSheet(QStringLiteral("color:#9fb4c9; font-size:11px; font-weight:bold;"));

    m_boxTypeGroup = new QButtonGroup(this);
    // The box's own codes: 1 five 12-LED fans, 0 three single-colour fans.
    for (int type : {BoxType::Rainbow, BoxType::Vayla}) {
        QPushButton *button = addMenuButton(QStringLiteral("BoxType%1").arg(type), true);
        m_boxTypeGroup->addButton(button, type);
        connect(button, &QPushButton::released, this, &MainView::selectBoxType);
        m_boxTypeButtons[type] = button;
    }
    addMenuRow(1);
    updateBoxTypeTexts();
}

void MainView::updateBoxTypeTexts()
{
    m_boxTypeCaption->setText(tr("Fans of this box:"));
    m_boxTypeButtons[BoxType::Rainbow]->setText(tr("12-LED fans"));
    m_boxTypeButtons[BoxType::Vayla]->setText(tr("single-colour fans"));
    TextFit::shrinkStyleFont(m_boxTypeCaption, 11, 7, 0);
    for (QPushButton *button : m_boxTypeButtons)
        TextFit::shrinkStyleFont(button, 12, 7, 0);
}

void MainView::selectBoxType()
{
    const int type = m_boxTypeGroup->checkedId();
    hideLanguageMenu();
    if (type != BoxType::Rainbow && type != BoxType::Vayla)
        return;
    emit sendData(ViewMessages::command(MessageName::selectBoxType, type));
}

void MainView::buildNoBoxNotice()
{
    m_noBoxNotice = new QLabel(this);
    m_noBoxNotice->setObjectName(QStringLiteral("label_noBox"));
    // Over the fan panels, which stay in sight but dimmed: nothing there is live.
    m_noBoxNotice->setGeometry(0, 70, kWindowWidth, 508);
    m_noBoxNotice->setAlignment(Qt::AlignCenter);
    m_noBoxNotice->setWordWrap(true);
    m_noBoxNotice->setTextFormat(Qt::RichText);
    m_noBoxNotice->setStyleSheet(QStringLiteral("QLabel{background-color: rgba(8, 12, 18, 222); color:#c8d4e0; "
                                                "font-size:14px; padding: 0px 170px;}"));
    m_noBoxNotice->hide();
}

bool MainView::anyBoxPresent() const
{
    // Until the program says which boxes are there, none counts as found.
    if (!m_boxPresenceTold)
        return false;
    // The footer is built before the box strip.
    for (QPushButton *button : m_boxButtons) {
        if (button && button->isCheckable())
            return true;
    }
    return false;
}

void MainView::updateNoBoxNotice()
{
    const bool any = anyBoxPresent();
    updateVersionLabel();
    const bool none = m_boxPresenceTold && !any;
    if (none) {
        m_noBoxNotice->setText(
            QStringLiteral("<p style=\"font-size:22px; font-weight:bold; color:white;\">%1</p><p>%2</p><p>%3</p>")
                .arg(tr("No controller box found").toHtmlEscaped(),
                     tr("Connect a box by USB. It is found as soon as it is plugged in.").toHtmlEscaped(),
                     tr("On Linux, using a box needs the udev rule 70-aurivent.rules (see the README, "
                        "\"Real boxes\"); plug the box in again after installing it.")
                         .toHtmlEscaped()));
        m_noBoxNotice->raise();
        // The footer stays readable over the notice's lower edge.
        for (QWidget *w : std::initializer_list<QWidget *>{m_logo, m_infoButton, m_ipLabel, m_temperatureLabel,
                                                            m_versionLabel, m_footer})
            w->raise();
    }
    m_noBoxNotice->setVisible(none);
    m_boxTypeButtons[0]->setEnabled(any);
    m_boxTypeButtons[1]->setEnabled(any);
    m_saveButton->setEnabled(any);
}

bool MainView::isNoBoxNoticeShown() const
{
    return !m_noBoxNotice->isHidden();
}

void MainView::showProfileSaved()
{
    m_unsavedBoxes.remove(m_currentBox);
    if (!m_savedTimer) {
        m_savedTimer = new QTimer(this);
        m_savedTimer->setSingleShot(true);
        connect(m_savedTimer, &QTimer::timeout, this, [this] { m_saveButton->setText(tr("SAVE")); });
    }
    m_saveButton->setText(QStringLiteral("\u2713 ") + tr("Saved"));
    m_savedTimer->start(MainViewRules::kSavedNoticeMs);
}

int MainView::panelRenderCount(int fan) const
{
    return isValidRainbowFan(fan) ? m_panelRenders[fan] : 0;
}
