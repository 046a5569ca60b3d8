// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPushButton>

// One LED of a fan editor's ring. It draws itself from its colour: twelve
// LEDs on each of five panels change colour together on every phone command,
// and a style sheet per LED made each such change cost a style-sheet parse
// and a re-polish per button.
class LedButton : public QPushButton {
    Q_OBJECT
public:
    explicit LedButton(QWidget *parent = nullptr);

    // The LED's colour, drawn grey (Copy, Temperature) or dark (switched off).
    void setLook(const QColor &color, bool grey, bool off);
    // What the LED shows, as the style-sheet text of LedStyle::ledStyleSheet.
    QString lookText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color = Qt::red;
    bool m_grey = false;
    bool m_off = false;
};
