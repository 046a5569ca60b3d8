// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusGlue.h"

#include "Controller.h"
#include "core/Core.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanMonitor.h"
#include "dbus/BusNames.h"
#include "lighting/SoftwareEffects.h"
#include "monitoring/Monitoring.h"
#include "remote/SocketHelper.h"
#include "storage/SaveFailures.h"

#include <QVariantList>

namespace {
QString speedModeName(int mode)
{
    switch (mode) {
    case SpeedMode::Silent: return QStringLiteral("silent");
    case SpeedMode::Performance: return QStringLiteral("performance");
    default: return QStringLiteral("custom");
    }
}
} // namespace

BusGlue::BusGlue(Controller &control)
    : QObject(&control)
    , m_control(control)
    , m_bus(new CoreBus(*this, this))
{
    FanMonitor &fans = control.core().fans();
    connect(&fans, &FanMonitor::stallRaised, m_bus, [this](int box, int fan) { m_bus->notifyStall(box, fan, true); });
    connect(&fans, &FanMonitor::stallCleared, m_bus,
            [this](int box, int fan) { m_bus->notifyStall(box, fan, false); });
    connect(&fans, &FanMonitor::boxHealthChanged, m_bus, [this](int box, BoxHealth health) {
        if (!isValidBox(box))
            return;
        m_health[box] = QString::fromLatin1(boxHealthName(health));
        if (health == BoxHealth::Gone)
            m_firmware[box].clear();
        m_bus->notifyBoxHealth(box, m_health[box]);
    });
    SoftwareEffects *effects = control.effects();
    // Every sensor pass reports; the bus object tells only the changes.
    connect(effects, &SoftwareEffects::temperatureChanged, m_bus, [this] { m_bus->notifyTemperature(true); });
    connect(effects, &SoftwareEffects::temperatureMissing, m_bus, [this] { m_bus->notifyTemperature(false); });
    connect(&SaveFailures::instance(), &SaveFailures::saveFailed, m_bus, &CoreBus::notifySaveFailed);
}

QString BusGlue::firmwareOf(int box)
{
    if (m_firmware[box].isEmpty())
        m_firmware[box] = m_control.core().encoders().readFirmwareVersion(box);
    return m_firmware[box];
}

QVariantMap BusGlue::boxStatus(int box)
{
    const BoxModel &model = m_control.boxes();
    const ControllerBox &record = model[box];
    const QList<int> stalled = latchedStalls(model, box);
    QVariantList fans;
    for (int fan = 0; fan < fanCountOf(record); ++fan) {
        const BoxModel::FanReading reading = model.reading(box, fan);
        QVariantMap f{{QStringLiteral("fan"), fan},
                      {QStringLiteral("rpm"), reading.rpm},
                      {QStringLiteral("duty"), model.commandedDuty(box, fan)},
                      {QStringLiteral("stalled"), stalled.contains(fan)}};
        if (record.isVaylaBox()) {
            const VaylaFanRecord &v = record.vaylaFan[fan];
            f.insert(QStringLiteral("speedMode"), speedModeName(v.speedMode));
            f.insert(QStringLiteral("speedLevel"), v.speed);
            f.insert(QStringLiteral("lightMode"), v.lightMode);
        } else {
            const RainbowFanRecord &r = record.rainbowFan[fan];
            f.insert(QStringLiteral("speedMode"), speedModeName(r.speedMode));
            f.insert(QStringLiteral("speedLevel"), r.speedPer);
            f.insert(QStringLiteral("lightMode"), r.lightMode);
        }
        fans.append(f);
    }
    const QString health = m_health[box].isEmpty() ? QStringLiteral("answering") : m_health[box];
    return {{QStringLiteral("slot"), box},
            {QStringLiteral("kind"), record.isVaylaBox() ? QStringLiteral("single-colour") : QStringLiteral("rgb")},
            {QStringLiteral("health"), health},
            {QStringLiteral("firmware"), firmwareOf(box)},
            {QStringLiteral("profile"), record.profileValue},
            {QStringLiteral("fans"), fans}};
}

QVariantMap BusGlue::status()
{
    QVariantList boxes;
    for (int box = 0; box < kBoxCount; ++box) {
        if (m_control.boxes().isConnected(box))
            boxes.append(boxStatus(box));
    }
    const SoftwareEffects *effects = m_control.effects();
    QVariantMap temperature{{QStringLiteral("known"), effects->hasTemperature()},
                            {QStringLiteral("source"), QString::fromLatin1(Monitoring::kCpuSource)}};
    if (effects->hasTemperature())
        temperature.insert(QStringLiteral("celsius"), effects->temperature());
    const SocketHelper *phone = m_control.socketHelper();
    const QVariantMap phoneServer{{QStringLiteral("listening"), phone && phone->isListening()},
                                  {QStringLiteral("address"), m_control.ipText()},
                                  {QStringLiteral("port"), int(SocketHelper::kDefaultPort)}};
    return {{QStringLiteral("schema"), AuriventBus::kStatusSchema},
            {QStringLiteral("version"), QString::fromLatin1(Controller::kVersion)},
            {QStringLiteral("currentBox"), m_control.boxes().currentBox()},
            {QStringLiteral("currentProfile"), m_control.currentProfile()},
            {QStringLiteral("temperature"), temperature},
            {QStringLiteral("phone"), phoneServer},
            {QStringLiteral("boxes"), boxes}};
}

QString BusGlue::loadProfile(int profile)
{
    if (!m_control.boxes().isConnected(m_control.boxes().currentBox()))
        return QStringLiteral("no box is connected");
    // As the window's profile button: the current box takes the profile.
    m_control.messages().selectProfile(profile);
    m_bus->notifyProfileLoaded(profile);
    return QString();
}

QString BusGlue::saveProfile(int profile)
{
    if (!m_control.boxes().isConnected(m_control.boxes().currentBox()))
        return QStringLiteral("no box is connected");
    // As the window's save button, under the number asked for; a file that
    // could not be written is told by SaveFailed.
    m_control.state().currentProfile = profile;
    m_control.messages().saveProfile();
    return QString();
}
