// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreBus.h"

#include "BusNames.h"
#include "common/Limits.h"
#include "common/Logging.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QTimer>

namespace {
// A list of maps goes on the bus as aa{sv}.
QList<QVariantMap> mapList(const QVariant &value)
{
    QList<QVariantMap> out;
    for (const QVariant &item : value.toList())
        out << item.toMap();
    return out;
}

// The property's value as it goes on the bus.
QVariant onTheBus(const QVariant &value)
{
    if (value.type() == QVariant::List)
        return QVariant::fromValue(mapList(value));
    return value;
}

constexpr const char *kErrorInvalid = "io.github.aurivent.Aurivent1.Error.InvalidArgument";
constexpr const char *kErrorRefused = "io.github.aurivent.Aurivent1.Error.Refused";
} // namespace

CoreBus::CoreBus(CoreBusHost &host, QObject *parent)
    : QObject(parent)
    , m_host(host)
{
    qDBusRegisterMetaType<QList<QVariantMap>>();
}

CoreBus::~CoreBus()
{
    if (m_ownsName)
        m_bus.unregisterService(QLatin1String(AuriventBus::kService));
    if (m_registered)
        m_bus.unregisterObject(QLatin1String(AuriventBus::kPath));
}

bool CoreBus::start(const QDBusConnection &bus)
{
    m_bus = bus;
    if (!m_bus.isConnected()) {
        qCInfo(lcApp) << "no session bus: the D-Bus interface is off" << m_bus.lastError().message();
        return false;
    }
    if (!m_bus.registerObject(QLatin1String(AuriventBus::kPath), this,
                              QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportScriptableSignals
                                  | QDBusConnection::ExportAllProperties)) {
        qCWarning(lcApp) << "D-Bus object" << AuriventBus::kPath << "is taken on this connection: the interface is off";
        return false;
    }
    m_registered = true;
    // No queueing and no replacing: a second instance must not take over the
    // name of the one that is running.
    const auto reply = m_bus.interface()->registerService(QLatin1String(AuriventBus::kService),
                                                          QDBusConnectionInterface::DontQueueService,
                                                          QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        qCInfo(lcApp) << "D-Bus name" << AuriventBus::kService
                      << "is held by another instance: this one is not on the bus";
        m_bus.unregisterObject(QLatin1String(AuriventBus::kPath));
        m_registered = false;
        return false;
    }
    m_ownsName = true;
    // The starting point of PropertiesChanged.
    propertiesMayHaveChanged();
    return true;
}

void CoreBus::notifyBoxHealth(int box, const QString &health)
{
    if (box < 0 || box >= kBoxCount)
        return;
    if (m_lastHealth[box] == health)
        return;
    m_lastHealth[box] = health;
    emit BoxHealthChanged(box, health);
}

void CoreBus::notifyStall(int box, int fan, bool stalled)
{
    if (box < 0 || box >= kBoxCount || fan < 0 || fan >= kRainbowFanCount)
        return;
    const quint64 bit = quint64(1) << fan;
    if (((m_stalled[box] & bit) != 0) == stalled)
        return;
    m_stalled[box] ^= bit;
    if (stalled)
        emit FanStalled(box, fan);
    else
        emit FanTurnsAgain(box, fan);
}

void CoreBus::notifyTemperature(bool known)
{
    // The first reading after start-up is no news; a reading after a loss is.
    const int now = known ? 1 : 0;
    const int before = m_temperature;
    m_temperature = now;
    if (before == now)
        return;
    if (!known)
        emit TemperatureLost();
    else if (before == 0)
        emit TemperatureBack();
}

void CoreBus::notifyProfileLoaded(int profile)
{
    emit ProfileLoaded(profile);
    propertiesMayHaveChanged();
}

void CoreBus::propertiesMayHaveChanged()
{
    // Off the bus (no session bus, a second instance) nobody reads them.
    if (m_refreshQueued || !m_registered)
        return;
    m_refreshQueued = true;
    QTimer::singleShot(0, this, &CoreBus::refreshProperties);
}

void CoreBus::refreshProperties()
{
    m_refreshQueued = false;
    const QVariantMap now = m_host.properties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (m_properties.value(it.key()) != it.value())
            changed.insert(it.key(), onTheBus(it.value()));
    }
    const bool first = m_properties.isEmpty();
    m_properties = now;
    // The first reading is the starting point, no news.
    if (first || changed.isEmpty() || !m_registered)
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(AuriventBus::kPath),
                                                     QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << QLatin1String(AuriventBus::kInterface) << changed << QStringList();
    m_bus.send(signal);
}

QVariant CoreBus::propertyValue(const char *name)
{
    // What is queued is read now, so that a Get never answers with an old value.
    if (m_properties.isEmpty() || m_refreshQueued)
        refreshProperties();
    return m_properties.value(QLatin1String(name));
}

QList<QVariantMap> CoreBus::boxes() { return mapList(propertyValue("Boxes")); }
QList<QVariantMap> CoreBus::fans() { return mapList(propertyValue("Fans")); }
bool CoreBus::temperatureKnown() { return propertyValue("TemperatureKnown").toBool(); }
int CoreBus::temperature() { return propertyValue("Temperature").toInt(); }
QString CoreBus::temperatureSource() { return propertyValue("TemperatureSource").toString(); }
int CoreBus::currentProfile() { return propertyValue("CurrentProfile").toInt(); }
int CoreBus::currentBox() { return propertyValue("CurrentBox").toInt(); }
QVariantMap CoreBus::phoneServer() { return propertyValue("PhoneServer").toMap(); }

void CoreBus::notifySaveFailed(const QString &path) { emit SaveFailed(path); }

QVariantMap CoreBus::GetStatus() { return m_host.status(); }

void CoreBus::LoadProfile(int profile)
{
    if (profile < 1 || profile > kProfileCount)
        return refuse(kErrorInvalid, QStringLiteral("no profile %1: profiles are 1..%2").arg(profile).arg(kProfileCount));
    const QString why = m_host.loadProfile(profile);
    if (!why.isEmpty())
        return refuse(kErrorRefused, why);
    propertiesMayHaveChanged();
}

void CoreBus::SaveProfile(int profile)
{
    if (profile < 1 || profile > kProfileCount)
        return refuse(kErrorInvalid, QStringLiteral("no profile %1: profiles are 1..%2").arg(profile).arg(kProfileCount));
    const QString why = m_host.saveProfile(profile);
    if (!why.isEmpty())
        return refuse(kErrorRefused, why);
    propertiesMayHaveChanged();
}

void CoreBus::SetLighting(int box, int fan, int mode, const QList<int> &colour, int speed, int brightness)
{
    if (!colour.isEmpty() && colour.size() != 3)
        return refuse(kErrorInvalid, QStringLiteral("a colour is three numbers (red, green, blue), not %1").arg(colour.size()));
    for (const int c : colour) {
        if (c < 0 || c > 255)
            return refuse(kErrorInvalid, QStringLiteral("a colour component is 0..255, not %1").arg(c));
    }
    if (brightness < -1 || brightness > 100)
        return refuse(kErrorInvalid, QStringLiteral("brightness is 0..100 (or -1 to keep it), not %1").arg(brightness));
    answer(m_host.setLighting(box, fan, mode, colour, speed, brightness));
}

void CoreBus::SetSpeed(int box, int fan, const QString &setting)
{
    answer(m_host.setSpeed(box, fan, setting));
}

QVariantMap CoreBus::GetHistory(const QString &series, int box, int fan, int seconds)
{
    QVariantMap out;
    const BusAnswer a = m_host.history(series, box, fan, seconds, &out);
    answer(a);
    return a.kind == BusAnswer::Done ? out : QVariantMap();
}

QVariantMap CoreBus::ListSources() { return m_host.sources(); }

QStringList CoreBus::ListCurves() { return m_host.curves(); }

void CoreBus::SetCurve(int box, int fan, const QString &curve) { answer(m_host.setCurve(box, fan, curve)); }

void CoreBus::answer(const BusAnswer &a)
{
    if (a.kind == BusAnswer::Done)
        propertiesMayHaveChanged();
    if (a.kind == BusAnswer::Invalid)
        refuse(kErrorInvalid, a.why);
    else if (a.kind == BusAnswer::Refused)
        refuse(kErrorRefused, a.why);
}

void CoreBus::refuse(const char *error, const QString &why)
{
    qCWarning(lcApp) << "D-Bus call refused:" << why;
    if (calledFromDBus())
        sendErrorReply(QLatin1String(error), why);
}
