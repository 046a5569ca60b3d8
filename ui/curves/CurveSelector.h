// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class ViewState;

// The curve one temperature-following fan follows: the presets, then the
// user's curves, the fan's own marked, with what it follows. Choosing one
// (Enter, a double click, or "Use") tells `chosen` and closes; Esc closes.
class CurveSelector : public QDialog {
    Q_OBJECT
public:
    CurveSelector(const ViewState &state, int fan, QWidget *parent = nullptr);

    int fan() const { return m_fan; }
    QListWidget *list() const { return m_list; }

signals:
    void chosen(int fan, const QString &curveName);
    // The editor, opened at this curve.
    void editRequested(const QString &curveName);

protected:
    void changeEvent(QEvent *event) override;

private:
    void fill();
    void retranslate();
    QString currentName() const;
    void choose();

    const ViewState &m_state;
    int m_fan;
    bool m_chosen = false;
    QLabel *m_now = nullptr;
    QListWidget *m_list = nullptr;
    QPushButton *m_use = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_close = nullptr;
};
