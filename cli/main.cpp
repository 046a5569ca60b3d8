// SPDX-License-Identifier: GPL-3.0-or-later
// aurivent: reads and drives a running Aurivent (window or service) over its
// interface on the session bus.

#include "BusValue.h"
#include "dbus/BusNames.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QJsonDocument>
#include <QTextStream>

#include <cstdio>

namespace {
// What the exit code says.
enum Exit { Ok = 0, NotRunning = 1, BadArgument = 2, Refused = 3 };

const char kUsage[] =
    "usage: aurivent status [--json]\n"
    "       aurivent watch [--json]\n"
    "       aurivent profile load|save N      (N = 1..5)\n"
    "       aurivent --help\n"
    "\n"
    "Talks to the Aurivent that runs in this session (the window program or\n"
    "auriventd) over D-Bus (io.github.aurivent.Aurivent1).\n"
    "  status   boxes, fans (rpm, duty, speed, light mode, stall), temperature,\n"
    "           profile and phone server; --json: one JSON object (docs/dbus.md)\n"
    "  watch    one line per event until Aurivent ends; --json: one object a line\n"
    "  profile  the current box loads, or saves its settings as, profile N\n"
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
            line += QLatin1Char(' ') + names[i] + QLatin1Char('=') + m.arguments()[i].toString();
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
    const bool known = command == QLatin1String("status") || command == QLatin1String("watch")
        || command == QLatin1String("profile");
    if (!known || (command != QLatin1String("profile") && args.size() != 1) || (json && command == QLatin1String("profile")))
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
    return profile(bus, args);
}

#include "main.moc"
