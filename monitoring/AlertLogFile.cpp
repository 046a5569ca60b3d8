// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitoring/AlertLogFile.h"

#include "common/JsonText.h"
#include "common/Limits.h"
#include "monitoring/AlertLog.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>

#include <cmath>
#include <optional>

namespace {

constexpr int kLongestText = 4096; // a source name or a file path
constexpr int kLongestLine = 3 * kLongestText;

std::optional<AlertKind> kindNamed(const QString &name)
{
    for (int k = 0; k < kAlertKindCount; ++k)
        if (name == QLatin1String(alertKindName(static_cast<AlertKind>(k))))
            return static_cast<AlertKind>(k);
    return std::nullopt;
}

// A whole number in [low, high], or nothing.
std::optional<qint64> wholeIn(const QJsonValue &value, qint64 low, qint64 high)
{
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (!std::isfinite(d) || d != std::floor(d) || d < double(low) || d > double(high))
        return std::nullopt;
    return static_cast<qint64>(d);
}

std::optional<Alert> alertOf(const QJsonObject &o, qint64 *second, qint64 nowSecond)
{
    const auto t = wholeIn(o.value(QLatin1String("t")), nowSecond - AlertLog::kKeepSeconds, nowSecond);
    const auto kind = kindNamed(o.value(QLatin1String("kind")).toString());
    if (!t || !kind || !o.value(QLatin1String("raised")).isBool())
        return std::nullopt;
    Alert a;
    a.kind = *kind;
    a.raised = o.value(QLatin1String("raised")).toBool();
    *second = *t;
    a.time = QDateTime::fromSecsSinceEpoch(*t, Qt::UTC);
    const bool onFan = a.kind == AlertKind::Stall;
    const bool onBox = onFan || a.kind == AlertKind::BoxSilent;
    const bool onSource = a.kind == AlertKind::TemperatureLost || a.kind == AlertKind::TemperatureHigh;
    if (onBox) {
        const auto box = wholeIn(o.value(QLatin1String("box")), 0, kBoxCount - 1);
        if (!box)
            return std::nullopt;
        a.box = int(*box);
    }
    if (onFan) {
        const auto fan = wholeIn(o.value(QLatin1String("fan")), 0, kRainbowFanCount - 1);
        if (!fan)
            return std::nullopt;
        a.fan = int(*fan);
    }
    if (onSource) {
        a.source = o.value(QLatin1String("source")).toString();
        if (a.source.isEmpty() || a.source.size() > kLongestText)
            return std::nullopt;
    }
    if (a.kind == AlertKind::SaveFailed) {
        a.path = o.value(QLatin1String("path")).toString();
        if (a.path.isEmpty() || a.path.size() > kLongestText)
            return std::nullopt;
    }
    if (a.kind == AlertKind::BoxSilent)
        a.boxGone = o.value(QLatin1String("gone")).toBool();
    if (a.kind == AlertKind::TemperatureHigh) {
        // Only what a limit can be; anything else is left unknown.
        const QJsonValue celsius = o.value(QLatin1String("celsius"));
        const QJsonValue limit = o.value(QLatin1String("limit"));
        if (celsius.isDouble() && std::abs(celsius.toDouble()) < 1000)
            a.celsius = celsius.toDouble();
        if (limit.isDouble() && std::abs(limit.toDouble()) < 1000)
            a.limit = limit.toDouble();
        a.limitSeconds = int(wholeIn(o.value(QLatin1String("seconds")), 0, 24 * 3600).value_or(0));
    }
    return a;
}

} // namespace

namespace AlertLogFile {

QByteArray encode(const AlertLog &log)
{
    QByteArray out;
    for (const AlertLog::Entry &e : log.entries()) {
        const Alert &a = e.alert;
        QJsonObject o{{QStringLiteral("t"), double(e.second)},
                      {QStringLiteral("kind"), QString::fromLatin1(alertKindName(a.kind))},
                      {QStringLiteral("raised"), a.raised}};
        if (a.box >= 0)
            o.insert(QStringLiteral("box"), a.box);
        if (a.fan >= 0)
            o.insert(QStringLiteral("fan"), a.fan);
        if (!a.source.isEmpty())
            o.insert(QStringLiteral("source"), a.source);
        if (!a.path.isEmpty())
            o.insert(QStringLiteral("path"), a.path);
        if (a.boxGone)
            o.insert(QStringLiteral("gone"), true);
        if (std::isfinite(a.celsius))
            o.insert(QStringLiteral("celsius"), a.celsius);
        if (std::isfinite(a.limit))
            o.insert(QStringLiteral("limit"), a.limit);
        if (a.limitSeconds > 0)
            o.insert(QStringLiteral("seconds"), a.limitSeconds);
        out += QJsonDocument(o).toJson(QJsonDocument::Compact);
        out += '\n';
    }
    return out;
}

void decode(const QByteArray &bytes, qint64 nowSecond, AlertLog *log, int *skipped)
{
    *skipped = 0;
    for (const QByteArray &line : bytes.split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        QJsonDocument document;
        QString error;
        qint64 second = 0;
        std::optional<Alert> alert;
        if (line.size() <= kLongestLine && JsonText::parse(line, &document, &error) && document.isObject())
            alert = alertOf(document.object(), &second, nowSecond);
        if (!alert) {
            ++*skipped;
            continue;
        }
        log->record(*alert, second);
    }
}

QString pathBeside(const QString &historyPath)
{
    return QFileInfo(historyPath).dir().filePath(QStringLiteral("alert-marks.jsonl"));
}

} // namespace AlertLogFile
