// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/AlertSettings.h"

#include "common/Logging.h"
#include "storage/IniFile.h"

#include <QDir>

#include <algorithm>

namespace {

const char *const kGroups[kAlertKindCount] = {"Stall", "BoxSilent", "TemperatureLost", "TemperatureHigh",
                                              "SaveFailed"};
const QString kMain = QStringLiteral("Alerts");
constexpr int kLongestText = 4096;

class Reader {
public:
    explicit Reader(const IniFile::Contents &contents) : m_contents(contents) {}

    bool has(const QString &key) const { return m_contents.values.contains(key); }
    QString text(const QString &key) const { return IniFile::readText(m_contents, key); }

    void number(const QString &key, int low, int high, int *value) const
    {
        if (!has(key))
            return;
        bool ok = false;
        const int v = text(key).trimmed().toInt(&ok);
        if (!ok || v < low || v > high) {
            refuse(key, QStringLiteral("a whole number from %1 to %2").arg(low).arg(high), QString::number(*value));
            return;
        }
        *value = v;
    }

    void decimal(const QString &key, double low, double high, double *value) const
    {
        if (!has(key))
            return;
        bool ok = false;
        const double v = text(key).trimmed().toDouble(&ok);
        if (!ok || !(v >= low && v <= high)) {
            refuse(key, QStringLiteral("a number from %1 to %2").arg(low).arg(high), QString::number(*value));
            return;
        }
        *value = v;
    }

    void flag(const QString &key, bool *value) const
    {
        if (!has(key))
            return;
        const QString t = text(key).trimmed();
        if (t != QLatin1String("0") && t != QLatin1String("1")) {
            refuse(key, QStringLiteral("0 or 1"), *value ? QStringLiteral("1") : QStringLiteral("0"));
            return;
        }
        *value = t == QLatin1String("1");
    }

    // An absolute path, or empty.
    void program(const QString &key, QString *value) const
    {
        if (!has(key))
            return;
        const QString t = text(key).trimmed();
        if (t.size() > kLongestText || (!t.isEmpty() && !QDir::isAbsolutePath(t))) {
            refuse(key, QStringLiteral("an absolute path"), QStringLiteral("none"));
            return;
        }
        *value = t;
    }

private:
    static void refuse(const QString &key, const QString &wanted, const QString &kept)
    {
        qCWarning(lcAlerts).noquote() << "Alerts.ini:" << key << "refused, not" << wanted << "- keeping" << kept;
    }

    const IniFile::Contents &m_contents;
};

QString key(const QString &group, const char *name)
{
    return group + QLatin1Char('/') + QLatin1String(name);
}

} // namespace

namespace AlertSettingsFile {

QString path()
{
    return IniHelper::dataFolder() + QStringLiteral("/Alerts.ini");
}

AlertSettings parse(const IniFile::Contents &contents)
{
    const Reader r(contents);
    AlertSettings s;
    r.number(key(kMain, "WarmUpSeconds"), 0, 3600, &s.timing.warmUpSeconds);
    r.number(key(kMain, "RecoverSeconds"), 0, 3600, &s.timing.recoverSeconds);
    r.number(key(kMain, "TemperatureLostSeconds"), 1, 3600, &s.timing.temperatureLostSeconds);
    r.number(key(kMain, "CommandSeconds"), 1, 300, &s.commandSeconds);
    r.program(key(kMain, "SoundFile"), &s.soundFile);
    for (int k = 0; k < kAlertKindCount; ++k) {
        const QString group = QLatin1String(kGroups[k]);
        AlertAction &a = s.actions[std::size_t(k)];
        r.flag(key(group, "Notify"), &a.notify);
        r.flag(key(group, "Sound"), &a.sound);
        r.program(key(group, "Command"), &a.command);
    }
    for (int i = 1; i <= AlertSettings::kMaxLimits; ++i) {
        const QString group = QStringLiteral("Limit%1").arg(i);
        if (!r.has(key(group, "Source")))
            continue;
        TemperatureLimit limit;
        limit.source = r.text(key(group, "Source")).trimmed();
        if (limit.source.isEmpty())
            continue; // a place left free
        if (limit.source.size() > 256) {
            qCWarning(lcAlerts).noquote() << "Alerts.ini:" << group << "refused: no usable source name";
            continue;
        }
        const bool duplicate = std::any_of(s.limits.cbegin(), s.limits.cend(),
                                           [&](const TemperatureLimit &l) { return l.source == limit.source; });
        if (duplicate) {
            qCWarning(lcAlerts).noquote() << "Alerts.ini:" << group << "refused: its source has a limit already";
            continue;
        }
        r.decimal(key(group, "Celsius"), 20.0, 150.0, &limit.celsius);
        r.number(key(group, "Seconds"), 0, 3600, &limit.seconds);
        s.limits << limit;
    }
    return s;
}

GroupMap groups(const AlertSettings &s)
{
    GroupMap g;
    QMap<QString, QString> &main = g[kMain];
    main.insert(QStringLiteral("WarmUpSeconds"), QString::number(s.timing.warmUpSeconds));
    main.insert(QStringLiteral("RecoverSeconds"), QString::number(s.timing.recoverSeconds));
    main.insert(QStringLiteral("TemperatureLostSeconds"), QString::number(s.timing.temperatureLostSeconds));
    main.insert(QStringLiteral("CommandSeconds"), QString::number(s.commandSeconds));
    main.insert(QStringLiteral("SoundFile"), s.soundFile);
    for (int k = 0; k < kAlertKindCount; ++k) {
        QMap<QString, QString> &group = g[QLatin1String(kGroups[k])];
        const AlertAction &a = s.actions[std::size_t(k)];
        group.insert(QStringLiteral("Notify"), a.notify ? QStringLiteral("1") : QStringLiteral("0"));
        group.insert(QStringLiteral("Sound"), a.sound ? QStringLiteral("1") : QStringLiteral("0"));
        group.insert(QStringLiteral("Command"), a.command);
    }
    // Every place is written, the free ones with no source: a save keeps the
    // keys it does not name, so a limit taken away must be overwritten.
    for (int i = 0; i < AlertSettings::kMaxLimits; ++i) {
        QMap<QString, QString> &group = g[QStringLiteral("Limit%1").arg(i + 1)];
        const TemperatureLimit limit = i < s.limits.size() ? s.limits[i] : TemperatureLimit{};
        group.insert(QStringLiteral("Source"), limit.source);
        group.insert(QStringLiteral("Celsius"), QString::number(limit.celsius));
        group.insert(QStringLiteral("Seconds"), QString::number(limit.seconds));
    }
    return g;
}

AlertSettings read(const QString &file)
{
    return parse(*IniFile::openForReading(file));
}

bool write(const AlertSettings &settings, const QString &file)
{
    return IniFile::writeGroups(file, groups(settings), "Alerts.ini save");
}

}
