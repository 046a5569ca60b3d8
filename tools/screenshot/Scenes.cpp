// SPDX-License-Identifier: GPL-3.0-or-later
#include "Scenes.h"

#include "app/Aurivent.h"
#include "startup/CommandLine.h"
#include "startup/DeviceSetup.h"
#include "core/Core.h"
#include "device/DeviceBus.h"
#include "device/sim/SimulatedBoxes.h"
#include "storage/IniHelper.h"
#include "ui/MainView.h"
#include "ui/WindowPlacement.h"

#include <QAbstractAnimation>
#include "alerts/AlertSettings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTest>

void Scenes::isolateSettings(const QString &configHome)
{
    qputenv("XDG_CONFIG_HOME", configHome.toUtf8());
}

Scenes::Scenes(const QString &spec, int language, const QByteArray &deviceFile, bool marked,
               const QByteArray &alertsFile)
{
    QDir(IniHelper::dataFolder()).removeRecursively();
    QDir().mkpath(IniHelper::dataFolder());
    QFile device(IniHelper::deviceFilePath());
    if (device.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QByteArray main = "[Main]\nAutoUpdate=0\nisAutoRun=0\nPassword=9462\nOpenPassword=0\n";
        if (language >= 0)
            main += "Language=" + QByteArray::number(language) + "\n";
        device.write(main + deviceFile);
        device.close();
    }
    if (!alertsFile.isEmpty()) {
        QFile alerts(AlertSettingsFile::path());
        if (alerts.open(QIODevice::WriteOnly | QIODevice::Text))
            alerts.write(alertsFile);
    }
    m_core = std::make_unique<Core>();
    DeviceSetup devices;
    QString error;
    const CommandLine line = CommandLine::parse({QStringLiteral("aurivent"), QStringLiteral("--simulate=") + spec});
    if (!devices.apply(line, m_core->bus(), nullptr, nullptr, &error))
        qFatal("simulated boxes: %s", qPrintable(error));
    m_sim = devices.simulator;
    StartOptions options;
    options.simulated = marked;
    m_program = std::make_unique<Aurivent>(*m_core, options);
}

Scenes::~Scenes()
{
    // The window first: it uses the core until it is gone.
    m_program.reset();
}

QWidget *Scenes::mainWindow() const
{
    return m_program->view();
}

void Scenes::poll()
{
    m_program->updateSpeed();
    // Every box answers on its own thread; the replies come back as events.
    m_core->bus().waitForIdle();
    QCoreApplication::processEvents();
}

QImage Scenes::grab(QWidget *widget) const
{
    widget->show();
    QTest::qWaitForWindowExposed(widget);
    // Pictures show the window at rest: fades and carousel turns finished.
    QTest::qWaitFor([widget] {
        for (QAbstractAnimation *a : widget->findChildren<QAbstractAnimation *>())
            if (a->state() == QAbstractAnimation::Running)
                return false;
        return true;
    }, 3000);
    QCoreApplication::processEvents();
    return widget->grab().toImage();
}

QImage Scenes::onDesktop(const QRect &available, const QSize &screen) const
{
    QWidget *window = mainWindow();
    const QImage picture = grab(window);
    const qreal ratio = picture.devicePixelRatio();
    QImage desk(screen * ratio, QImage::Format_RGB32);
    desk.setDevicePixelRatio(ratio);
    desk.fill(QColor(0x2b, 0x50, 0x6e));
    QPainter painter(&desk);
    painter.fillRect(QRect(QPoint(0, available.bottom() + 1), QPoint(screen.width(), screen.height())),
                     QColor(0x20, 0x20, 0x20));
    painter.drawImage(WindowPlacement::place(available, window->size()), picture);
    return desk;
}
