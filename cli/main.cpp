// SPDX-License-Identifier: GPL-3.0-or-later
// aurivent: reads and drives a running Aurivent (window or service) over its
// interface on the session bus.

#include "BusValue.h"
#include "common/Limits.h"
#include "dbus/BusNames.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace {
// What the exit code says.
enum Exit { Ok = 0, NotRunning = 1, BadArgument = 2, Refused = 3 };

const char kUsage[] =
    "usage: aurivent status [--json]\n"
    "       aurivent watch [--json]\n"
    "       aurivent profile load|save N      (N = 1..5)\n"
    "       aurivent set TARGET speed silent|performance|follow|0..5\n"
    "       aurivent set TARGET light [--mode M] [--colour R,G,B] [--speed S]\n"
    "                                 [--brightness 0..100]\n"
    "       aurivent set TARGET curve NAME\n"
    "       aurivent curves\n"
    "       aurivent history BOX:FAN [rpm|duty] [--seconds N] [--json]\n"
    "       aurivent history temperature [SOURCE] [--seconds N] [--json]\n"
    "       aurivent --help\n"
    "\n"
    "Talks to the Aurivent that runs in this session (the window program or\n"
    "auriventd) over D-Bus (io.github.aurivent.Aurivent1).\n"
    "  status   boxes, fans (rpm, duty, speed, light mode, stall), temperature,\n"
    "           profile and phone server; --json: one JSON object (docs/dbus.md)\n"
    "  watch    one line per event until Aurivent ends; --json: one object a line\n"
    "  profile  the current box loads, or saves its settings as, profile N\n"
    "  set      TARGET is BOX:FAN (one fan), BOX (every fan of a box) or all\n"
    "           (every fan of every box); boxes and fans count from 1, as in\n"
    "           status; speed: as the fan editor's buttons and slider; light:\n"
    "           light mode M (12-LED fans 0..7, single-colour fans 0..2), one\n"
    "           colour 0..255 each, effect speed S 0..3; what is not given\n"
    "           stays; curve: the fan follows that curve (see curves)\n"
    "  curves   the curves a fan can follow and the temperature sources read\n"
    "  history  the last N seconds (default 600, at most 86400) of a fan's rpm\n"
    "           or duty, or of a temperature source (default cpu), as CSV\n"
    "           (second,min,mean,max; empty where nothing was read) or --json\n"
    "exit codes: 0 done, 1 Aurivent is not running, 2 bad argument, 3 refused\n";

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

int fail(int code, const QString &why)
{
    std::fprintf(stderr, "aurivent: %s\n", qPrintable(why));
    return code;
}

QDBusMessage methodCall(const QString &method, const QVariantList &arguments = {})
{
    QDBusMessage m = QDBusMessage::createMethodCall(QLatin1String(AuriventBus::kService),
                                                    QLatin1String(AuriventBus::kPath),
                                                    QLatin1String(AuriventBus::kInterface), method);
    m.setArguments(arguments);
    return m;
}

// Calls `method`; the reply, or the exit code in *code.
bool call(QDBusConnection &bus, const QString &method, const QVariantList &arguments, QDBusMessage *reply, int *code)
{
    *reply = bus.call(methodCall(method, arguments), QDBus::Block, 30000);
    if (reply->type() == QDBusMessage::ReplyMessage)
        return true;
    const QString name = reply->errorName();
    if (name.startsWith(QLatin1String(AuriventBus::kInterface))) {
        const bool bad = name.endsWith(QLatin1String("InvalidArgument"));
        *code = fail(bad ? BadArgument : Refused, reply->errorMessage());
    } else {
        *code = fail(NotRunning, QStringLiteral("Aurivent did not answer: ") + reply->errorMessage());
    }
    return false;
}

int status(QDBusConnection &bus, bool json)
{
    QDBusMessage reply;
    int code = Ok;
    if (!call(bus, QStringLiteral("GetStatus"), {}, &reply, &code))
        return code;
    const QVariantMap s = plainBusValue(reply.arguments().value(0)).toMap();
    if (json)
        out() << QJsonDocument(statusJson(s)).toJson(QJsonDocument::Indented);
    else
        out() << statusText(s) << '\n';
    out().flush();
    return Ok;
}

// Prints each signal of the interface as it comes.
class Watcher : public QObject {
    Q_OBJECT
public:
    explicit Watcher(bool json)
        : m_json(json)
    {
    }
public slots:
    void event(const QDBusMessage &m)
    {
        static const QHash<QString, QStringList> kArgs{
            {QStringLiteral("FanStalled"), {QStringLiteral("box"), QStringLiteral("fan")}},
            {QStringLiteral("FanTurnsAgain"), {QStringLiteral("box"), QStringLiteral("fan")}},
            {QStringLiteral("BoxHealthChanged"), {QStringLiteral("box"), QStringLiteral("health")}},
            {QStringLiteral("ProfileLoaded"), {QStringLiteral("profile")}},
            {QStringLiteral("SaveFailed"), {QStringLiteral("path")}},
        };
        const QStringList names = kArgs.value(m.member());
        QJsonObject o{{QStringLiteral("schema"), AuriventBus::kStatusSchema}, {QStringLiteral("event"), m.member()}};
        QString line = m.member();
        for (int i = 0; i < names.size() && i < m.arguments().size(); ++i) {
            o.insert(names[i], QJsonValue::fromVariant(m.arguments()[i]));
            // The text counts boxes and fans from 1, as the status text does.
            const bool counted = names[i] == QLatin1String("box") || names[i] == QLatin1String("fan");
            line += QLatin1Char(' ') + names[i] + QLatin1Char('=')
                + (counted ? QString::number(m.arguments()[i].toInt() + 1) : m.arguments()[i].toString());
        }
        if (m_json)
            out() << QJsonDocument(o).toJson(QJsonDocument::Compact);
        else
            out() << line << '\n';
        out().flush();
    }

private:
    bool m_json;
};

int watch(QDBusConnection &bus, bool json)
{
    Watcher watcher(json);
    for (const char *name : {"FanStalled", "FanTurnsAgain", "BoxHealthChanged", "TemperatureLost", "TemperatureBack",
                             "ProfileLoaded", "SaveFailed"}) {
        if (!bus.connect(QLatin1String(AuriventBus::kService), QLatin1String(AuriventBus::kPath),
                         QLatin1String(AuriventBus::kInterface), QLatin1String(name), &watcher,
                         SLOT(event(QDBusMessage))))
            return fail(NotRunning, QStringLiteral("cannot follow the bus: ") + bus.lastError().message());
    }
    QDBusServiceWatcher gone(QLatin1String(AuriventBus::kService), bus, QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(&gone, &QDBusServiceWatcher::serviceUnregistered, [] { QCoreApplication::exit(NotRunning); });
    // Registered only now: it may have ended in between.
    if (!bus.interface()->isServiceRegistered(QLatin1String(AuriventBus::kService)))
        return fail(NotRunning, QStringLiteral("Aurivent is not running in this session"));
    // The first line tells a script that it follows from here on.
    if (json)
        out() << QJsonDocument(QJsonObject{{QStringLiteral("schema"), AuriventBus::kStatusSchema},
                                           {QStringLiteral("event"), QStringLiteral("Watching")}})
                     .toJson(QJsonDocument::Compact);
    else
        out() << "Watching\n";
    out().flush();
    const int code = QCoreApplication::exec();
    if (code == NotRunning)
        return fail(NotRunning, QStringLiteral("Aurivent ended"));
    return code;
}

int profile(QDBusConnection &bus, const QStringList &args)
{
    bool ok = false;
    const int n = args.value(2).toInt(&ok);
    if (args.size() != 3 || !ok || (args[1] != QLatin1String("load") && args[1] != QLatin1String("save")))
        return fail(BadArgument, QStringLiteral("usage: aurivent profile load|save N"));
    QDBusMessage reply;
    int code = Ok;
    call(bus, args[1] == QLatin1String("load") ? QStringLiteral("LoadProfile") : QStringLiteral("SaveProfile"), {n},
         &reply, &code);
    return code;
}
// "B", "B:F" or "all", counted from 1 as in the window and the status text;
// returned 0-based as on the bus. Boxes -1 for all, fan -1 for every fan.
bool readTarget(const QString &text, int *box, int *fan)
{
    *box = -1;
    *fan = -1;
    if (text == QLatin1String("all"))
        return true;
    const QStringList parts = text.split(QLatin1Char(':'));
    bool ok = parts.size() <= 2;
    int b = 0, f = 0;
    if (ok)
        b = parts[0].toInt(&ok);
    if (ok && parts.size() == 2)
        f = parts[1].toInt(&ok);
    if (!ok)
        return false;
    // A number out of range is told as such, not as a usage error. A fan's
    // upper bound depends on its box's kind: checked against the status.
    if (b < 1 || b > kBoxCount) {
        fail(BadArgument, QStringLiteral("no box %1: boxes are 1..%2").arg(b).arg(kBoxCount));
        return false;
    }
    if (parts.size() == 2 && (f < 1 || f > kRainbowFanCount)) {
        fail(BadArgument, QStringLiteral("no fan %1: fans are 1..%2").arg(f).arg(kRainbowFanCount));
        return false;
    }
    *box = b - 1;
    *fan = parts.size() == 2 ? f - 1 : -1;
    return true;
}

// The connected boxes (bus slot -> number of fans), from the status.
bool connectedBoxes(QDBusConnection &bus, QMap<int, int> *boxes, int *code)
{
    QDBusMessage reply;
    if (!call(bus, QStringLiteral("GetStatus"), {}, &reply, code))
        return false;
    const QVariantMap s = plainBusValue(reply.arguments().value(0)).toMap();
    for (const QVariant &b : s.value(QStringLiteral("boxes")).toList()) {
        const QVariantMap box = b.toMap();
        boxes->insert(box.value(QStringLiteral("slot")).toInt(), box.value(QStringLiteral("fans")).toList().size());
    }
    return true;
}

// The arguments of SetLighting (without box and fan) from the options.
bool readLight(const QStringList &options, QVariantList *out)
{
    int mode = -1, speed = -1, brightness = -1;
    QList<int> colour;
    for (int i = 0; i < options.size(); i += 2) {
        const QString &name = options[i];
        if (i + 1 >= options.size())
            return false;
        const QString value = options[i + 1];
        bool ok = true;
        if (name == QLatin1String("--mode")) {
            mode = value.toInt(&ok);
        } else if (name == QLatin1String("--speed")) {
            speed = value.toInt(&ok);
        } else if (name == QLatin1String("--brightness")) {
            brightness = value.toInt(&ok);
        } else if (name == QLatin1String("--colour") || name == QLatin1String("--color")) {
            const QStringList parts = value.split(QLatin1Char(','));
            ok = parts.size() == 3;
            for (int k = 0; ok && k < 3; ++k)
                colour << parts[k].trimmed().toInt(&ok);
        } else {
            return false;
        }
        // -1 means "keep" on the bus; here a value left out says that.
        if (!ok || mode < -1 || speed < -1 || brightness < -1)
            return false;
    }
    *out = {mode, QVariant::fromValue(colour), speed, brightness};
    return true;
}

int set(QDBusConnection &bus, const QStringList &args)
{
    int box = -1, fan = -1;
    QVariantList rest;
    const QString what = args.value(2);
    const bool speed = what == QLatin1String("speed") && args.size() == 4;
    const bool light = what == QLatin1String("light") && readLight(args.mid(3), &rest);
    const bool curve = what == QLatin1String("curve") && args.size() == 4;
    if (!readTarget(args.value(1), &box, &fan) || (!speed && !light && !curve))
        return fail(BadArgument,
                    QStringLiteral("usage: aurivent set BOX[:FAN]|all speed S | light [options] | curve NAME (see --help)"));
    if (speed || curve)
        rest = {args[3]};
    const QString method = speed ? QStringLiteral("SetSpeed")
        : curve                  ? QStringLiteral("SetCurve")
                                 : QStringLiteral("SetLighting");
    QMap<int, int> connected;
    int code = Ok;
    if (!connectedBoxes(bus, &connected, &code))
        return code;
    // Told here in the user's numbers; the bus would answer in its own.
    if (box >= 0 && !connected.contains(box))
        return fail(Refused, QStringLiteral("box %1 is not connected").arg(box + 1));
    if (box >= 0 && fan >= connected.value(box))
        return fail(BadArgument, QStringLiteral("no fan %1 on box %2: its fans are 1..%3")
                                     .arg(fan + 1)
                                     .arg(box + 1)
                                     .arg(connected.value(box)));
    if (connected.isEmpty())
        return fail(Refused, QStringLiteral("no box is connected"));
    const QList<int> boxes = box >= 0 ? QList<int>{box} : connected.keys();
    for (const int b : boxes) {
        QDBusMessage reply;
        if (!call(bus, method, QVariantList{b, fan} + rest, &reply, &code))
            return code;
    }
    return Ok;
}
int curves(QDBusConnection &bus)
{
    QDBusMessage reply;
    int code = Ok;
    if (!call(bus, QStringLiteral("ListCurves"), {}, &reply, &code))
        return code;
    out() << "curves: " << reply.arguments().value(0).toStringList().join(QStringLiteral(", ")) << '\n';
    if (!call(bus, QStringLiteral("ListSources"), {}, &reply, &code))
        return code;
    const QVariantMap sources = plainBusValue(reply.arguments().value(0)).toMap();
    out() << "sources:";
    for (auto it = sources.cbegin(); it != sources.cend(); ++it)
        out() << ' ' << it.key() << '=' << QString::number(it.value().toDouble(), 'f', 1);
    out() << '\n';
    out().flush();
    return Ok;
}

// history BOX:FAN [rpm|duty] | temperature [SOURCE], then --seconds N.
int history(QDBusConnection &bus, QStringList args, bool json)
{
    int seconds = 600;
    const int at = args.indexOf(QStringLiteral("--seconds"));
    if (at >= 0) {
        bool ok = false;
        seconds = args.value(at + 1).toInt(&ok);
        if (!ok || at + 1 >= args.size())
            return fail(BadArgument, QStringLiteral("--seconds takes a number"));
        args.erase(args.begin() + at, args.begin() + at + 2);
    }
    QString series;
    int box = -1, fan = -1;
    if (args.value(1) == QLatin1String("temperature") && args.size() <= 3) {
        series = QStringLiteral("temperature:") + args.value(2, QStringLiteral("cpu"));
    } else if (args.size() <= 3 && readTarget(args.value(1), &box, &fan) && fan >= 0) {
        series = args.value(2, QStringLiteral("rpm"));
    } else {
        return fail(BadArgument, QStringLiteral("usage: aurivent history BOX:FAN [rpm|duty] | temperature [SOURCE] "
                                                "[--seconds N] [--json]"));
    }
    QDBusMessage reply;
    int code = Ok;
    if (!call(bus, QStringLiteral("GetHistory"), {series, box, fan, seconds}, &reply, &code))
        return code;
    const QVariantMap h = plainBusValue(reply.arguments().value(0)).toMap();
    const qint64 first = h.value(QStringLiteral("firstSecond")).toLongLong();
    const int step = h.value(QStringLiteral("stepSeconds")).toInt();
    const QVariantList min = h.value(QStringLiteral("min")).toList();
    const QVariantList mean = h.value(QStringLiteral("mean")).toList();
    const QVariantList max = h.value(QStringLiteral("max")).toList();
    // NaN (nothing read) is null in JSON and an empty field in CSV.
    auto value = [](const QVariant &v) { return std::isnan(v.toDouble()) ? QJsonValue() : QJsonValue(v.toDouble()); };
    auto field = [](const QVariant &v) { return std::isnan(v.toDouble()) ? QString() : QString::number(v.toDouble()); };
    if (json) {
        QJsonArray points;
        for (int i = 0; i < mean.size(); ++i)
            points.append(QJsonArray{first + qint64(i) * step, value(min.value(i)), value(mean.value(i)), value(max.value(i))});
        QJsonObject o{{QStringLiteral("schema"), AuriventBus::kStatusSchema},
                      {QStringLiteral("series"), series},
                      {QStringLiteral("stepSeconds"), step},
                      {QStringLiteral("points"), points}};
        if (box >= 0) {
            o.insert(QStringLiteral("box"), box);
            o.insert(QStringLiteral("fan"), fan);
        }
        out() << QJsonDocument(o).toJson(QJsonDocument::Compact) << '\n';
    } else {
        out() << "second,min,mean,max\n";
        for (int i = 0; i < mean.size(); ++i)
            out() << first + qint64(i) * step << ',' << field(min.value(i)) << ',' << field(mean.value(i)) << ','
                  << field(max.value(i)) << '\n';
    }
    out().flush();
    return Ok;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? BadArgument : Ok;
    }
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    const QString command = args.value(0);
    const bool takesMore = command == QLatin1String("profile") || command == QLatin1String("set")
        || command == QLatin1String("history");
    const bool known = command == QLatin1String("status") || command == QLatin1String("watch")
        || command == QLatin1String("curves") || takesMore;
    const bool jsonToo = command == QLatin1String("status") || command == QLatin1String("watch")
        || command == QLatin1String("history");
    if (!known || (!takesMore && args.size() != 1) || (json && !jsonToo))
        return fail(BadArgument, QStringLiteral("bad arguments (see aurivent --help)"));

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return fail(NotRunning, QStringLiteral("no session bus: ") + bus.lastError().message());
    if (command != QLatin1String("watch") && !bus.interface()->isServiceRegistered(QLatin1String(AuriventBus::kService)))
        return fail(NotRunning, QStringLiteral("Aurivent is not running in this session"));

    if (command == QLatin1String("status"))
        return status(bus, json);
    if (command == QLatin1String("watch"))
        return watch(bus, json);
    if (command == QLatin1String("set"))
        return set(bus, args);
    if (command == QLatin1String("curves"))
        return curves(bus);
    if (command == QLatin1String("history"))
        return history(bus, args, json);
    return profile(bus, args);
}

#include "main.moc"
