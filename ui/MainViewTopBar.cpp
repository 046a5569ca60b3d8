// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainView.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"
#include "ui/StyleSwap.h"

#include "common/Logging.h"
#include "device/BoxTable.h"

#include <QButtonGroup>
#include <QDebug>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

using namespace MainViewRules;

// --- construction ------------------------------------------------------------

void MainView::buildTopControls()
{
    m_productName = new QLabel(this);
    m_productName->setObjectName(QStringLiteral("label_productName"));
    m_productName->setGeometry(337, 7, 325, 14);
    m_productName->setAlignment(Qt::AlignCenter);
    setImageLabel(m_productName, QStringLiteral("Images/product_name.png"), false);

    m_logo = new QLabel(this);
    m_logo->setObjectName(QStringLiteral("label_logo"));
    m_logo->setGeometry(26, 558, 168, 28);
    setImageLabel(m_logo, QStringLiteral("Images/LOGO.png"), true);

    m_saveButton = new QPushButton(tr("SAVE"), this);
    m_saveButton->setObjectName(QStringLiteral("btn_save"));
    m_saveButton->setGeometry(879, 79, 102, 25);
    swapStyle(m_saveButton, m_saveStyle);
    connect(m_saveButton, &QPushButton::released, this, &MainView::saveProfile);

    auto imageButton = [&](const QRect &rect, const char *picture) {
        QPushButton *button = new QPushButton(this);
        button->setObjectName(QStringLiteral("Min_Window"));
        button->setGeometry(rect);
        swapStyle(button, QStringLiteral("QPushButton{border-image:url(\"%1\");}")
                                  .arg(image(QLatin1String(picture))));
        return button;
    };
    m_closeButton = imageButton(QRect(969, 2, 22, 22), "Images/btn_close.png");
    m_closeButton->setObjectName(QStringLiteral("Close_Window"));
    connect(m_closeButton, &QPushButton::released, this, &QWidget::hide);
    m_minButton = imageButton(QRect(937, 2, 22, 22), "Images/btn_min.png");
    connect(m_minButton, &QPushButton::released, this, &QWidget::showMinimized);
    m_settingButton = imageButton(QRect(903, 3, 22, 22), "Images/btn_setting.png");
    connect(m_settingButton, &QPushButton::released, this, &MainView::mutiLanguageWidget);

    m_profileGroup = new QButtonGroup(this);
    for (int k = 0; k < kProfileCount; ++k) {
        QPushButton *button = new QPushButton(tr("PROFILE") + QString::number(k + 1), this);
        button->setObjectName(QString::number(k));
        button->setGeometry(671 + 64 * k, 30, 57, 34);
        button->setCheckable(true);
        swapStyle(button, m_profileStyle);
        m_profileGroup->addButton(button, k);
        connect(button, &QPushButton::released, this, &MainView::selectProfile);
        m_profileButtons[k] = button;
    }
    m_profileButtons[0]->setChecked(true);
    buildProfileCopyActions();

    m_profileLabel = new QLabel(tr("PROFILE") + QLatin1String("_1"), this);
    m_profileLabel->setObjectName(QStringLiteral("label_profile"));
    m_profileLabel->setGeometry(30, 80, 100, 15);
    m_profileLabel->setStyleSheet(QStringLiteral("color:#03C6F7; font-size:12px;"));
    m_profileLabel->setAlignment(Qt::AlignCenter);
}

void MainView::buildBoxStrip()
{
    m_arrowLeft = new QPushButton(this);
    m_arrowLeft->setObjectName(QStringLiteral("ArrowLeft"));
    m_arrowLeft->setGeometry(31, 38, 15, 19);
    swapStyle(m_arrowLeft, m_arrowLeftStyle);
    connect(m_arrowLeft, &QPushButton::released, this, &MainView::moveControllerBox);

    m_arrowRight = new QPushButton(this);
    m_arrowRight->setObjectName(QStringLiteral("ArrowRight"));
    m_arrowRight->setGeometry(351, 38, 15, 19);
    swapStyle(m_arrowRight, m_arrowRightStyle);
    connect(m_arrowRight, &QPushButton::released, this, &MainView::moveControllerBox);

    m_boxScroll = new QScrollArea(this);
    m_boxScroll->setObjectName(QStringLiteral("scroll_boxes"));
    m_boxScroll->setGeometry(90, 30, 218, 33);
    swapStyle(m_boxScroll, QStringLiteral("* { background-color: rgb(80, 80, 80); }"));
    m_boxScroll->setFrameShape(QFrame::NoFrame);
    m_boxScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_boxScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_boxScroll->setWidgetResizable(false);

    m_boxContent = new QWidget;
    m_boxContent->setObjectName(QStringLiteral("widget_boxes"));
    m_boxContent->setGeometry(0, 0, 713, 33);
    m_boxGroup = new QButtonGroup(this);
    for (int k = 0; k < kBoxCount; ++k) {
        QPushButton *button = new QPushButton(QString::number(k + 1), m_boxContent);
        button->setObjectName(QString::number(k));
        button->setGeometry(kBoxStep * k, 3, 38, 28);
        button->setCheckable(true);
        swapStyle(button, m_boxStyle);
        m_boxGroup->addButton(button, k);
        connect(button, &QPushButton::released, this, &MainView::changeControllerBox);
        m_boxButtons[k] = button;
    }
    m_boxScroll->setWidget(m_boxContent);
}

void MainView::buildLanguageMenu()
{
    m_languageMenu = new QLabel(this);
    m_languageMenu->setObjectName(QStringLiteral("widget_language"));
    m_languageMenu->setGeometry(796, 30, 131, 5);
    setImageLabel(m_languageMenu, QStringLiteral("Images/menu_Language.png"), true);

    m_languageGroup = new QButtonGroup(this);
    for (int k = 0; k < kMenuButtonCount; ++k) {
        QPushButton *button = addMenuButton(QStringLiteral("MutiLang%1").arg(k), k != 9);
        if (k < kLanguageCount) {
            m_languageGroup->addButton(button, k);
            connect(button, &QPushButton::released, this, &MainView::changeLanguage);
        } else {
            connect(button, &QPushButton::released, this, &MainView::otherSwitch);
        }
        m_menuButtons[k] = button;
    }
    setLanguageButtonTexts();
    m_menuButtons[0]->setChecked(true);
    m_menuButtons[7]->setChecked(m_autoUpdateOn);
    m_menuButtons[8]->setChecked(m_passwordOn);
    updateMenuSwitchTexts();
    buildRemoteAccessEntry();
    buildGraphsEntry();
    buildCurvesEntry();
    m_languageMenu->hide();
}

int MainView::addMenuRow(int height)
{
    // Rows stack downwards; the menu grows to hold them.
    const int y = m_languageMenu->height();
    m_languageMenu->resize(m_languageMenu->width(), y + height);
    return y;
}

QPushButton *MainView::addMenuButton(const QString &objectName, bool checkable)
{
    const int y = addMenuRow(35) ;
    QPushButton *button = new QPushButton(m_languageMenu);
    button->setObjectName(objectName);
    button->setGeometry(5, y, 120, 30);
    button->setStyleSheet(m_menuStyle);
    button->setCheckable(checkable);
    return button;
}

void MainView::buildKeypad()
{
    m_keypadMask = new QLabel(this);
    m_keypadMask->setObjectName(QStringLiteral("label_keyboardMask"));
    m_keypadMask->setGeometry(0, 0, width(), height());
    setImageLabel(m_keypadMask, QStringLiteral("Images/keyboard/passwordMask.png"), true);

    m_keypadPanel = new QLabel(m_keypadMask);
    m_keypadPanel->setObjectName(QStringLiteral("label_keyboardPanel"));
    m_keypadPanel->setGeometry(width() / 2 - 150, height() / 2 - 194, 299, 388);
    setImageLabel(m_keypadPanel, QStringLiteral("Images/blankImage.png"), true);

    m_keypadCaption = new QLabel(m_keypadPanel);
    m_keypadCaption->setObjectName(QStringLiteral("label_keyboardCaption"));
    m_keypadCaption->setGeometry(0, 6, m_keypadPanel->width(), 22);
    m_keypadCaption->setAlignment(Qt::AlignCenter);
    m_keypadCaption->setStyleSheet(QStringLiteral("color:#d8e4f0; font-size:14px; font-weight:bold;"));

    QFont big = font();
    big.setPointSize(26);
    big.setWeight(75);
    const QString keyStyle = QStringLiteral("QPushButton {color: gray; font-weight: bold;border-image: url(\"%1\");}"
                                            "QPushButton:pressed{border-image: url(\"%1\");}");
    for (int i = 0; i < kKeyCount; ++i) {
        QPushButton *key = new QPushButton(m_keypadPanel);
        key->setObjectName(QStringLiteral("Keyboard%1").arg(i));
        key->setFont(big);
        QString picture = QStringLiteral("Images/keyboard/keyboard.png");
        if (i >= 1 && i <= 9) {
            key->setText(QString::number(i));
            key->setGeometry(42 + 77 * ((i - 1) % 3), 100 + 67 * ((i - 1) / 3), 57, 57);
        } else if (i == 0) {
            key->setText(QStringLiteral("0"));
            key->setGeometry(119, 301, 57, 57);
        } else if (i == 10) {
            picture = QStringLiteral("Images/keyboard/password_ok.png");
            key->setGeometry(42, 301, 57, 57);
        } else {
            picture = QStringLiteral("Images/keyboard/password_return.png");
            key->setGeometry(196, 301, 57, 57);
        }
        swapStyle(key, keyStyle.arg(image(picture)));
        connect(key, &QPushButton::released, this, &MainView::keyboardTouch);
        m_keys[i] = key;
    }
    for (int k = 0; k < kPasswordLength; ++k) {
        QLabel *digit = new QLabel(m_keypadPanel);
        digit->setObjectName(QStringLiteral("label_password%1").arg(k));
        digit->setGeometry(45 + 57 * k, 32, 39, 42);
        digit->setAlignment(Qt::AlignCenter);
        digit->setFont(big);
        digit->setText(m_password.mid(k, 1));
        m_digitLabels[k] = digit;

        QLabel *line = new QLabel(m_keypadPanel);
        line->setObjectName(QStringLiteral("label_passwordLine%1").arg(k));
        line->setGeometry(45 + 57 * k, 74, 39, 1);
        setImageLabel(line, QStringLiteral("Images/keyboard/LINE.png"), true);
        m_digitLines[k] = line;
    }
    m_keypadMask->hide();
}

// --- helpers -------------------------------------------------------------------

QPushButton *MainView::boxButton(int box) const
{
    return isValidBox(box) ? m_boxButtons[box] : nullptr;
}

void MainView::updateMenuSwitchTexts()
{
    m_menuButtons[7]->setText(m_autoUpdateOn ? QStringLiteral("Auto Update On") : QStringLiteral("Auto Update Off"));
    m_menuButtons[8]->setText(m_passwordOn ? QStringLiteral("Password On") : QStringLiteral("Password Off"));
    m_menuButtons[9]->setText(tr("Password") + QLatin1Char(':') + m_password);
    updateRemoteAccessTexts();
    updateGraphsText();
    updateCurvesText();
}

void MainView::hideLanguageMenu()
{
    if (!m_languageMenu->isHidden())
        m_languageMenu->hide();
}

void MainView::showKeypad()
{
    m_keypadShowsStored = passwordEntry() == m_password;
    m_keys[1]->setFocus(Qt::OtherFocusReason);
    m_keypadMask->raise();
    m_keypadMask->show();
}

QString MainView::passwordEntry() const
{
    QString entry;
    for (QLabel *digit : m_digitLabels)
        entry += digit->text();
    return entry;
}

// --- slots ---------------------------------------------------------------------

void MainView::changeControllerBox()
{
    QPushButton *button = qobject_cast<QPushButton *>(sender());
    if (!button)
        return;
    bool ok = false;
    const int box = button->objectName().toInt(&ok);
    if (!ok || !isValidBox(box)) {
        qWarning() << "changeControllerBox: no such box" << button->objectName();
        return;
    }
    // An absent box cannot be chosen.
    if (!button->isCheckable())
        return;
    m_currentBox = box;
    qCDebug(lcUi) << "changeControllerBox:" << box;
    emit sendData(ViewMessages::command(MessageName::changeControllerBox, box));
    runCoverFade();
}

void MainView::selectProfile()
{
    const int id = m_profileGroup->checkedId();
    if (id < 0 || id >= kProfileCount) {
        qWarning() << "selectProfile: no profile checked";
        return;
    }
    // Loading a profile replaces the settings shown: edits not saved are asked about first.
    if (hasUnsavedEdits()) {
        const UnsavedChoice choice =
            m_unsavedPrompt ? m_unsavedPrompt(m_currentProfile, id + 1) : askUnsaved(m_currentProfile, id + 1);
        if (choice == UnsavedChoice::Cancel) {
            if (isValidProfileNumber(m_currentProfile))
                m_profileButtons[m_currentProfile - 1]->setChecked(true);
            return;
        }
        if (choice == UnsavedChoice::Save)
            emit sendData(ViewMessages::saveProfile());
    }
    m_unsavedBoxes.remove(m_currentBox);
    emit sendData(ViewMessages::command(MessageName::selectProfile, id));
    runCoverFade();
}

void MainView::saveProfile()
{
    emit sendData(ViewMessages::saveProfile());
}

void MainView::changeLanguage()
{
    hideLanguageMenu();
    const int id = m_languageGroup->checkedId();
    if (id < 0 || id >= kLanguageCount) {
        qWarning() << "changeLanguage: no language checked";
        return;
    }
    emit sendData(ViewMessages::command(MessageName::changeLanguage, id));
}

void MainView::otherSwitch()
{
    QPushButton *button = qobject_cast<QPushButton *>(sender());
    if (!button)
        return;
    const QString name = button->objectName();
    if (name == QLatin1String("MutiLang7")) {
        m_autoUpdateOn = button->isChecked();
        updateMenuSwitchTexts();
        emit sendData(ViewMessages::flagCommand(MessageName::autoUpdate, m_autoUpdateOn));
    } else if (name == QLatin1String("MutiLang8")) {
        m_passwordOn = button->isChecked();
        updateMenuSwitchTexts();
        emit sendData(ViewMessages::flagCommand(MessageName::password, m_passwordOn));
    } else if (name == QLatin1String("MutiLang9")) {
        showKeypad();
    } else {
        return;
    }
    hideLanguageMenu();
}

void MainView::mutiLanguageWidget()
{
    m_languageMenu->raise();
    m_languageMenu->setVisible(m_languageMenu->isHidden());
}

void MainView::moveControllerBox()
{
    QObject *button = sender();
    if (!button)
        return;
    QScrollBar *bar = m_boxScroll->horizontalScrollBar();
    const int value = bar->value();
    if (button->objectName() == QLatin1String("ArrowLeft"))
        bar->setValue(scrollLeft(value));
    else if (button->objectName() == QLatin1String("ArrowRight"))
        bar->setValue(scrollRight(value));
}

void MainView::keyboardTouch()
{
    QObject *key = sender();
    if (!key)
        return;
    const QString name = key->objectName();
    if (!name.startsWith(QLatin1String("Keyboard")))
        return;
    bool ok = false;
    const int index = name.mid(8).toInt(&ok);
    if (!ok || index < 0 || index >= kKeyCount)
        return;

    QString entry = passwordEntry();
    // The keypad opens showing the stored password: the first digit typed
    // starts a new one rather than doing nothing.
    if (index <= 9 && m_keypadShowsStored) {
        for (QLabel *digit : m_digitLabels)
            digit->clear();
        entry.clear();
    }
    m_keypadShowsStored = false;
    if (index <= 9 && entry.size() < kPasswordLength)
        m_digitLabels[entry.size()]->setText(QString::number(index));
    if (index == 10 && entry.size() == kPasswordLength)
        changePassword();
    // The key with the back arrow takes back one digit.
    if (index == 11 && !entry.isEmpty())
        m_digitLabels[entry.size() - 1]->clear();
}

void MainView::changePassword()
{
    const QString entry = passwordEntry();
    if (entry.size() != kPasswordLength) {
        qWarning() << "changePassword: entry not four digits:" << entry;
        return;
    }
    m_password = entry;
    updateMenuSwitchTexts();
    m_keypadMask->hide();
    emit sendData(ViewMessages::saveDevice(m_password));
}

void MainView::setLanguageButtonTexts()
{
    static const char *const languages[kLanguageCount] = {
        QT_TR_NOOP("en"), QT_TR_NOOP("tc"), QT_TR_NOOP("cn"), QT_TR_NOOP("de"),
        QT_TR_NOOP("fr"), QT_TR_NOOP("jp"), QT_TR_NOOP("th")};
    for (int k = 0; k < kLanguageCount; ++k)
        m_menuButtons[k]->setText(tr(languages[k]));
}
