// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/CurvesFile.h"

#include "common/Logging.h"

#include <QDebug>
#include <QRegularExpression>

namespace CurvesFile {

namespace {

const QString kMain = QStringLiteral("Main");
const QString kPeriod = QStringLiteral("ReadingPeriod");
const QStringList kCurveKeys{QStringLiteral("Name"),     QStringLiteral("Points"),     QStringLiteral("Shape"),
                             QStringLiteral("Hysteresis"), QStringLiteral("StepUp"),   QStringLiteral("StepDown"),
                             QStringLiteral("MinDuty"),  QStringLiteral("Sources"),    QStringLiteral("Mix")};
enum CurveKey { Name, Points, Shape, Hysteresis, StepUp, StepDown, MinDuty, Sources, Mix };

QString group(int index)
{
    return QStringLiteral("Curve") + QString::number(index);
}

QString text(const IniFile::Contents &contents, int curve, CurveKey key)
{
    return IniFile::readText(contents, group(curve) + QLatin1Char('/') + kCurveKeys.at(key));
}

// A whole decimal number and nothing else.
bool number(const QString &text, int *out)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (ok)
        *out = value;
    return ok;
}

class CurveReader {
public:
    CurveReader(const IniFile::Contents &contents, int index) : m_contents(contents), m_index(index) {}

    // Empty when the curve read cleanly into `curve`.
    QString read(Curve &curve) const
    {
        curve.name = value(Name);
        QString problem = points(value(Points), curve.points);
        if (problem.isEmpty())
            problem = choice(Shape, {QStringLiteral("Linear"), QStringLiteral("Steps")}, curve.shape);
        if (problem.isEmpty())
            problem = optionalNumber(Hysteresis, curve.hysteresis);
        if (problem.isEmpty())
            problem = optionalNumber(StepUp, curve.stepUp);
        if (problem.isEmpty())
            problem = optionalNumber(StepDown, curve.stepDown);
        if (problem.isEmpty())
            problem = optionalNumber(MinDuty, curve.minDuty);
        if (problem.isEmpty())
            problem = choice(Mix, {QStringLiteral("Max"), QStringLiteral("Average")}, curve.source.mix);
        const QString sources = value(Sources);
        if (!sources.isEmpty())
            curve.source.ids = sources.split(QLatin1Char(','));
        if (problem.isEmpty())
            problem = curveProblem(curve);
        return problem;
    }

private:
    QString value(CurveKey key) const { return text(m_contents, m_index, key); }

    static QString points(const QString &text, QVector<CurvePoint> &out)
    {
        const QStringList items = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
        // Anything beyond the most a curve may have is refused, not read.
        if (items.size() > CurveLimit::kMaxPoints)
            return QStringLiteral("more than %1 points").arg(CurveLimit::kMaxPoints);
        for (const QString &item : items) {
            const QStringList pair = item.split(QLatin1Char(':'));
            CurvePoint p;
            if (pair.size() != 2 || !number(pair.at(0), &p.celsius) || !number(pair.at(1), &p.duty))
                return QStringLiteral("point not temperature:duty: ") + item.left(40);
            out << p;
        }
        return QString();
    }

    QString optionalNumber(CurveKey key, int &out) const
    {
        const QString v = value(key);
        if (v.isEmpty() || number(v, &out))
            return QString();
        return kCurveKeys.at(key) + QStringLiteral(" not a number: ") + v.left(40);
    }

    template <typename Enum>
    QString choice(CurveKey key, const QStringList &names, Enum &out) const
    {
        const QString v = value(key).trimmed();
        if (v.isEmpty())
            return QString();
        for (int i = 0; i < names.size(); ++i) {
            if (v.compare(names.at(i), Qt::CaseInsensitive) == 0) {
                out = Enum(i);
                return QString();
            }
        }
        return kCurveKeys.at(key) + QStringLiteral(" not ") + names.join(QLatin1Char('/')) + QStringLiteral(": ")
            + v.left(40);
    }

    const IniFile::Contents &m_contents;
    int m_index;
};

void refuse(QStringList *refusals, const QString &line)
{
    qWarning().noquote() << "Curves.ini refused:" << line;
    if (refusals)
        *refusals << line;
}

// Groups named like a curve beyond the ones read.
QStringList unreadCurveGroups(const IniFile::Contents &contents)
{
    static const QRegularExpression curveGroup(QStringLiteral("^Curve(\\d+)/"));
    QStringList groups;
    for (auto it = contents.values.cbegin(); it != contents.values.cend(); ++it) {
        const QRegularExpressionMatch m = curveGroup.match(it.key());
        if (!m.hasMatch())
            continue;
        bool ok = false;
        const int index = m.captured(1).toInt(&ok);
        const QString name = QStringLiteral("Curve") + m.captured(1);
        if ((!ok || index >= CurveLimit::kMaxCurves || group(index) != name) && !groups.contains(name))
            groups << name;
    }
    return groups;
}

} // namespace

QString path()
{
    return IniHelper::dataFolder() + QStringLiteral("/Curves.ini");
}

CurveSettings fromContents(const IniFile::Contents &contents, QStringList *refusals)
{
    CurveSettings settings;
    const QString period = IniFile::readText(contents, kMain + QLatin1Char('/') + kPeriod);
    int seconds = 0;
    if (!period.isEmpty()) {
        if (number(period, &seconds) && seconds >= CurveLimit::kMinReadingPeriod
            && seconds <= CurveLimit::kMaxReadingPeriod)
            settings.readingPeriod = seconds;
        else
            refuse(refusals, QStringLiteral("ReadingPeriod %1, not %2..%3; %4 s")
                                 .arg(period.left(40))
                                 .arg(CurveLimit::kMinReadingPeriod)
                                 .arg(CurveLimit::kMaxReadingPeriod)
                                 .arg(CurveLimit::kDefaultReadingPeriod));
    }

    for (int i = 0; i < CurveLimit::kMaxCurves; ++i) {
        if (text(contents, i, Name).isEmpty() && text(contents, i, Points).isEmpty())
            continue;
        Curve curve;
        QString problem = CurveReader(contents, i).read(curve);
        if (problem.isEmpty() && isPresetName(curve.name))
            problem = QStringLiteral("the name of a preset");
        if (problem.isEmpty() && settings.find(curve.name))
            problem = QStringLiteral("name used by an earlier curve");
        if (!problem.isEmpty()) {
            refuse(refusals, group(i) + QStringLiteral(": ") + problem);
            continue;
        }
        settings.curves << curve;
    }
    for (const QString &g : unreadCurveGroups(contents))
        refuse(refusals, g + QStringLiteral(": not read (Curve0..Curve%1 only)").arg(CurveLimit::kMaxCurves - 1));
    return settings;
}

CurveSettings read(QStringList *refusals)
{
    const auto contents = IniFile::openForReading(path());
    return fromContents(*contents, refusals);
}

GroupMap build(const CurveSettings &settings)
{
    GroupMap groups;
    groups[kMain][kPeriod] = QString::number(settings.readingPeriod);
    for (int i = 0; i < settings.curves.size(); ++i) {
        const Curve &c = settings.curves.at(i);
        QStringList points;
        for (const CurvePoint &p : c.points)
            points << QString::number(p.celsius) + QLatin1Char(':') + QString::number(p.duty);
        QMap<QString, QString> &keys = groups[group(i)];
        keys[kCurveKeys.at(Name)] = c.name;
        keys[kCurveKeys.at(Points)] = points.join(QLatin1Char(','));
        keys[kCurveKeys.at(Shape)] = c.shape == CurveShape::Steps ? QStringLiteral("Steps") : QStringLiteral("Linear");
        keys[kCurveKeys.at(Hysteresis)] = QString::number(c.hysteresis);
        keys[kCurveKeys.at(StepUp)] = QString::number(c.stepUp);
        keys[kCurveKeys.at(StepDown)] = QString::number(c.stepDown);
        keys[kCurveKeys.at(MinDuty)] = QString::number(c.minDuty);
        keys[kCurveKeys.at(Sources)] = c.source.ids.join(QLatin1Char(','));
        keys[kCurveKeys.at(Mix)] = c.source.mix == SourceMix::Average ? QStringLiteral("Average") : QStringLiteral("Max");
    }
    return groups;
}

bool write(const CurveSettings &settings)
{
    const QString problem = settings.problem();
    if (!problem.isEmpty()) {
        qWarning().noquote() << "writeCurves refused:" << problem;
        return false;
    }
    GroupMap groups = build(settings);
    // A save keeps keys it does not write: the slots of curves deleted since
    // are written empty, so that they read as free.
    const auto old = IniFile::openForReading(path());
    for (int i = settings.curves.size(); i < CurveLimit::kMaxCurves; ++i) {
        if (text(*old, i, Name).isEmpty() && text(*old, i, Points).isEmpty())
            continue;
        for (const QString &key : kCurveKeys)
            groups[group(i)][key] = QString();
    }
    return IniFile::writeGroups(path(), groups, "writeCurves");
}

}
