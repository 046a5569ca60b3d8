// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QString;
class QTextEdit;

// Window of the sensor listing. Closing it only hides it: it lives for the
// whole run and keeps its text for the next time it is shown.
class InfoView : public QWidget {
    Q_OBJECT

public:
    static constexpr unsigned int kWmClose = 0x10;
    static constexpr unsigned int kWmDeviceChange = 0x219;

    explicit InfoView(QWidget *parent = nullptr);

    QTextEdit *textEdit() const { return m_textEdit; }
    // Appends a line of the sensor listing, in plain words.
    void appendLine(const QString &line);
    static QString plainLine(const QString &line);

    // Platform-neutral part of the window-message handling: true when the
    // message is consumed here (device change; close, which hides).
    bool handleWindowMessage(unsigned int msgType);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Per platform: InfoView_win.cpp reads the window message, InfoView_linux.cpp has none.
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;

private:
    QTextEdit *m_textEdit = nullptr;
};
