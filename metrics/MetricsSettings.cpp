// SPDX-License-Identifier: GPL-3.0-or-later
#include "metrics/MetricsSettings.h"

#include "common/Logging.h"
#include "storage/IniFile.h"

#include <QDir>
#include <QHostAddress>

namespace MetricsSettingsFile {

namespace {

const QString kGroup = QStringLiteral("Metrics");

void refuse(const char *key, const QString &why)
{
    qCWarning(lcMetrics).noquote() << "Metrics.ini: Metrics/" + QLatin1String(key) << "refused:" << why;
}

} // namespace

QString path()
{
    return IniHelper::dataFolder() + QStringLiteral("/Metrics.ini");
}

MetricsSettings parse(const IniFile::Contents &contents)
{
    MetricsSettings s;
    const auto has = [&](const char *key) { return contents.values.contains(kGroup + QLatin1Char('/') + QLatin1String(key)); };
    const auto text = [&](const char *key) {
        return IniFile::readText(contents, kGroup + QLatin1Char('/') + QLatin1String(key)).trimmed();
    };
    if (has("Serve")) {
        const QString v = text("Serve");
        if (v == QLatin1String("0") || v == QLatin1String("1"))
            s.serve = v == QLatin1String("1");
        else
            refuse("Serve", QStringLiteral("not 0 or 1; not served"));
    }
    if (has("Address")) {
        const QString v = text("Address");
        QHostAddress address;
        if (v == QLatin1String("localhost"))
            s.address = QStringLiteral("127.0.0.1");
        else if (address.setAddress(v))
            s.address = address.toString();
        else
            refuse("Address", QStringLiteral("not an IP address; this computer only (127.0.0.1)"));
    }
    if (has("Port")) {
        bool ok = false;
        const int v = text("Port").toInt(&ok);
        if (ok && v >= 1 && v <= 65535)
            s.port = v;
        else
            refuse("Port", QStringLiteral("not a port from 1 to 65535; keeping %1").arg(s.port));
    }
    if (has("Textfile")) {
        const QString v = text("Textfile");
        if (v.isEmpty() || (QDir::isAbsolutePath(v) && v.endsWith(QLatin1String(".prom")) && v.size() <= 4096))
            s.textfile = v;
        else
            refuse("Textfile", QStringLiteral("not an absolute path ending in .prom; no file written"));
    }
    if (has("TextfileSeconds")) {
        bool ok = false;
        const int v = text("TextfileSeconds").toInt(&ok);
        if (ok && v >= 1 && v <= 3600)
            s.textfileSeconds = v;
        else
            refuse("TextfileSeconds", QStringLiteral("not from 1 to 3600; keeping %1").arg(s.textfileSeconds));
    }
    return s;
}

GroupMap groups(const MetricsSettings &s)
{
    GroupMap g;
    QMap<QString, QString> &m = g[kGroup];
    m.insert(QStringLiteral("Serve"), s.serve ? QStringLiteral("1") : QStringLiteral("0"));
    m.insert(QStringLiteral("Address"), s.address);
    m.insert(QStringLiteral("Port"), QString::number(s.port));
    m.insert(QStringLiteral("Textfile"), s.textfile);
    m.insert(QStringLiteral("TextfileSeconds"), QString::number(s.textfileSeconds));
    return g;
}

MetricsSettings read(const QString &file)
{
    return parse(*IniFile::openForReading(file));
}

bool write(const MetricsSettings &settings, const QString &file)
{
    return IniFile::writeGroups(file, groups(settings), "Metrics.ini save");
}

}
