// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard use of the main window: Tab reaches the box strip, the profiles,
// the settings and the fan editors; Space and Return press the focused
// button; Esc or a click beside the keypad cancels it.
#include "ui/MainView.h"

#include "ui/FocusRing.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>

using namespace MainViewRules;

void MainView::enableKeyboard()
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_arrowLeft, m_arrowRight, m_saveButton, m_closeButton,
                                                        m_minButton, m_settingButton, m_infoButton})
        w->setFocusPolicy(Qt::StrongFocus);
    for (QPushButton *b : m_boxButtons)
        b->setFocusPolicy(Qt::StrongFocus);
    for (QPushButton *b : m_profileButtons)
        b->setFocusPolicy(Qt::StrongFocus);
    for (QPushButton *b : m_menuButtons)
        b->setFocusPolicy(Qt::StrongFocus);
    for (QPushButton *b : m_boxTypeButtons)
        b->setFocusPolicy(Qt::StrongFocus);
    for (QPushButton *b : m_keys)
        b->setFocusPolicy(Qt::StrongFocus);
    for (QAbstractButton *button : findChildren<QAbstractButton *>())
        button->installEventFilter(this);
    m_keypadMask->installEventFilter(this);
    m_focusRing = new FocusRing(this);
    describeControls();
    extendHitAreas();
}

bool MainView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_keypadMask && event->type() == QEvent::MouseButtonPress) {
        // A press beside the keypad panel puts the keypad away.
        const QPoint at = static_cast<QMouseEvent *>(event)->pos();
        if (!m_keypadPanel->geometry().contains(at))
            cancelKeypad();
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (button && !key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            button->animateClick(50);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool MainView::isKeypadShown() const
{
    return !m_keypadMask->isHidden();
}

void MainView::cancelKeypad()
{
    // Whatever was typed is dropped; the keypad shows the stored password next time.
    for (int k = 0; k < kPasswordLength; ++k)
        m_digitLabels[k]->setText(m_password.mid(k, 1));
    m_keypadMask->hide();
}

bool MainView::typeOnKeypad(QKeyEvent *event)
{
    int key = -1;
    if (event->key() >= Qt::Key_0 && event->key() <= Qt::Key_9)
        key = event->key() - Qt::Key_0;
    else if (event->key() == Qt::Key_Backspace)
        key = 11;
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        key = 10;
    if (key < 0)
        return false;
    m_keys[key]->animateClick(50);
    return true;
}
