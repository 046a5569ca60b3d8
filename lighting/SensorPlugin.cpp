// SPDX-License-Identifier: GPL-3.0-or-later
#include "SensorPlugin.h"

#include "common/Logging.h"

#include <QDebug>

const char *SensorPlugin::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Temperature: return "HWi32_GetTemperature";
    case Kind::Voltage: return "HWi32_GetVoltage";
    case Kind::Fan: return "HWi32_GetFan";
    case Kind::Current: return "HWi32_GetCurrent";
    case Kind::Power: return "HWi32_GetPower";
    case Kind::Clock: return "HWi32_GetClock";
    case Kind::Usage: return "HWi32_GetUsage";
    }
    return "";
}

std::unique_ptr<SensorPlugin> bindSensorPlugin(const QString &path, QString *failure)
{
    QString error;
    std::unique_ptr<SensorPlugin> plugin = SensorPlugin::load(path, &error);
    if (!plugin) {
        if (failure) {
            *failure = QStringLiteral("CANNOT LOAD DLL (") + error + QLatin1Char(')');
        } else {
            qCInfo(lcLighting) << "CANNOT LOAD DLL";
            qCInfo(lcLighting) << "sensorPlugin:" << error;
        }
        return nullptr;
    }
    const int result = plugin->initialise(0);
    const QString reason = plugin->failureReason();
    if (result != 0) {
        // The code alone means nothing to a reader: the library says why.
        QString text = QStringLiteral("INIT FAILED: ") + QString::number(result);
        if (!reason.isEmpty())
            text += QStringLiteral(" (") + reason + QLatin1Char(')');
        if (failure)
            *failure = text;
        else
            qCInfo(lcLighting).noquote() << text;
        return nullptr;
    }
    if (!failure) {
        qCInfo(lcLighting) << "INIT OK";
        if (!reason.isEmpty())
            qCInfo(lcLighting).noquote() << "sensorPlugin:" << reason;
    }
    return plugin;
}

#include "SensorPluginCalls.h"

namespace {

QString terminated(char *text)
{
    // Never trust the library to end its text.
    text[SensorPlugin::kTextSize - 1] = '\0';
    return QString::fromLocal8Bit(text);
}

class CallTablePlugin final : public SensorPlugin {
public:
    explicit CallTablePlugin(const SensorPluginCalls &calls) : m_calls(calls) {}

    int initialise(int flags) override { return m_calls.init(flags); }

    int sensorCount() override
    {
        const int n = m_calls.count();
        if (n < 0)
            return 0;
        if (n > kMaxSensors) {
            qWarning() << "sensorCount: clamped" << n << "to" << kMaxSensors;
            return kMaxSensors;
        }
        return n;
    }

    void selectSensor(int sensor) override
    {
        if (validSensor(sensor))
            m_calls.select(sensor);
    }

    QString sensorName(int sensor) override
    {
        if (!validSensor(sensor))
            return QString();
        char text[kTextSize] = {};
        m_calls.name(sensor, text, kTextSize);
        return terminated(text);
    }

    double reading(Kind kind, int sensor, int index, QString *label) override
    {
        const int k = static_cast<int>(kind);
        if (label)
            label->clear();
        if (k < 0 || k >= kKindCount || !validSensor(sensor) || !validReading(index))
            return kNoReading;
        char text[kTextSize] = {};
        const double v = m_calls.readings[k](sensor, index, text, kTextSize);
        if (label)
            *label = terminated(text);
        return v;
    }

    double otherReading(int sensor, int index, QString *label, QString *unit) override
    {
        if (label)
            label->clear();
        if (unit)
            unit->clear();
        if (!validSensor(sensor) || !validReading(index))
            return kNoReading;
        char text[kTextSize] = {};
        char unitText[kTextSize] = {};
        const double v = m_calls.other(sensor, index, text, kTextSize, unitText, kTextSize);
        if (label)
            *label = terminated(text);
        if (unit)
            *unit = terminated(unitText);
        return v;
    }

    ChipKind sensorKind(int sensor) override
    {
        if (!m_calls.kind || !validSensor(sensor))
            return ChipKind::Unknown;
        const int code = m_calls.kind(sensor);
        return code >= int(ChipKind::Cpu) && code <= int(ChipKind::Board) ? ChipKind(code) : ChipKind::Other;
    }

    QString failureReason() override
    {
        if (!m_calls.reason)
            return QString();
        char text[kTextSize] = {};
        if (m_calls.reason(text, kTextSize) == 0)
            return QString();
        return terminated(text);
    }

private:
    static bool validSensor(int sensor) { return sensor >= 0 && sensor < kMaxSensors; }
    static bool validReading(int r) { return r >= 0 && r < kReadingsPerSensor; }

    SensorPluginCalls m_calls;
};

} // namespace

const char *SensorPluginCalls::firstMissing() const
{
    if (!init) return "init";
    if (!reserved) return "reserved";
    if (!count) return "count";
    if (!select) return "select";
    if (!name) return "name";
    for (int k = 0; k < SensorPlugin::kKindCount; ++k)
        if (!readings[k])
            return SensorPlugin::kindName(static_cast<SensorPlugin::Kind>(k));
    if (!other) return "other";
    return nullptr;
}

std::unique_ptr<SensorPlugin> SensorPluginCalls::make(const SensorPluginCalls &calls)
{
    if (calls.firstMissing())
        return nullptr;
    return std::make_unique<CallTablePlugin>(calls);
}
