// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <memory>

class Aurivent;
class Core;
class QTemporaryDir;
class QWidget;
class SimulatedBoxes;

// The whole program on simulated boxes, with settings in a folder of its
// own, put into the states the screenshots show. Shared by the screenshot
// tool and the tests that look at the same pictures.
class Scenes {
public:
    // Settings folder first (call before the QApplication exists, so that
    // nothing reads the user's own settings).
    static void isolateSettings(const QString &configHome);

    // Starts the program on `spec` (the --simulate form). `deviceFile` is
    // extra text for Device.ini (for instance "[Device1]\nBoxType=0\n"); an
    // empty language leaves the language key out, as on a fresh start.
    // `marked`: the window says it runs on simulated boxes (a picture of
    // what a user without any box sees leaves that out).
    // `alertsFile`: the text of Alerts.ini; empty: none.
    Scenes(const QString &spec, int language, const QByteArray &deviceFile = QByteArray(), bool marked = true,
           const QByteArray &alertsFile = QByteArray());
    ~Scenes();

    Aurivent &program() { return *m_program; }
    QWidget *mainWindow() const;
    SimulatedBoxes *simulator() const { return m_sim; }

    // One speed poll, as the one-second timer runs it.
    void poll();
    // The window's picture, at the screen's device pixel ratio.
    QImage grab(QWidget *widget) const;
    // The window drawn where it opens on a screen of that size (logical
    // pixels), over a plain desktop.
    QImage onDesktop(const QRect &available, const QSize &screen) const;

private:
    SimulatedBoxes *m_sim = nullptr;
    std::unique_ptr<Core> m_core;
    std::unique_ptr<Aurivent> m_program;
};
