// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>

class QLabel;

// Frameless warning window raised when a watched fan stops; it names the box
// and the fans and is dismissed only by its OK button.
class AlertView : public QWidget {
    Q_OBJECT

public:
    // Presses and moves from this row down belong to the button row, not to dragging.
    static constexpr int kDragLimitY = 180;

    explicit AlertView(QWidget *parent = nullptr);

    void setControllerNumber(int box);
    // The stopped fans of that box, 0-based; an empty list names none.
    void setStalledFans(const QList<int> &fans);
    // The whole box stopped answering: none of its fans is watched any more.
    void setNotAnswering(bool notAnswering);
    QString controllerText() const;
    QString fanText() const;
    // The stopped fans are exactly 4 and 5: the box may be a three-fan one
    // taken for a 12-LED box, and the alert says where its type is set.
    bool looksLikeSingleColourBox() const;
    // Texts again in the language now installed.
    void retranslate();
    // Shows the alert in front, tied to `owner` (the main window) so that the
    // window manager keeps it above that window even when the owner is
    // clicked; a hidden or minimised owner leaves it a window of the screen.
    // Raised and activated also when it is already showing.
    void showOver(QWidget *owner);

signals:
    void alertViewSendData(QString text);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void on_pushButton_clicked();

private:
    void fitTexts();

    QPoint m_pressPos;
    bool m_dragging = false;
    int m_box = -1;
    QList<int> m_fans;
    bool m_notAnswering = false;
    QLabel *m_title = nullptr;
    QLabel *m_boxLabel = nullptr;
    QLabel *m_fanLabel = nullptr;
    QLabel *m_okText = nullptr;
};

// Where the stall alert goes on a screen: bottom right above the task bar when
// the program is hidden or minimised, centred otherwise.
QPoint stallAlertPosition(const QSize &screen, const QSize &alert, bool programHidden);
