// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusGlue.h"

#include "Controller.h"
#include "CurveChoice.h"
#include "core/CurveController.h"
#include "history/History.h"
#include "history/HistoryRecorder.h"
#include "core/ViewState.h"
#include "core/Core.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FirmwareReads.h"
#include "device/FanMonitor.h"
#include "dbus/BusNames.h"
#include "lighting/SoftwareEffects.h"
#include "monitoring/Monitoring.h"
#include "remote/SocketHelper.h"
#include "storage/SaveFailures.h"
#include "viewmsg/MessageNames.h"

#include <QDateTime>
#include <QVariantList>

#include <cmath>

namespace {
QString speedModeName(int mode)
{
    switch (mode) {
    case SpeedMode::Silent: return QStringLiteral("silent");
    case SpeedMode::Performance: return QStringLiteral("performance");
    default: return QStringLiteral("custom");
    }
}
// A phone selection string: '1' at the given position.
QString oneOf(int count, int position)
{
    QString text(count, QLatin1Char('0'));
    text[position] = QLatin1Char('1');
    return text;
}

// The light modes the box plays itself; the others need the program's timers
// (music, temperature), which a phone command does not start.
constexpr int kBoxPlayedModes = LightMode::Copy + 1;
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
        m_bus->notifyBoxHealth(box, m_health[box]);
    });
    SoftwareEffects *effects = control.effects();
    // Every sensor pass reports; the bus object tells only the changes.
    connect(effects, &SoftwareEffects::temperatureChanged, m_bus, [this] { m_bus->notifyTemperature(true); });
    connect(effects, &SoftwareEffects::temperatureMissing, m_bus, [this] { m_bus->notifyTemperature(false); });
    connect(&SaveFailures::instance(), &SaveFailures::saveFailed, m_bus, &CoreBus::notifySaveFailed);
    connect(&control, &Controller::profileLoaded, m_bus, &CoreBus::notifyProfileLoaded);
    // The properties are read again after each box's readings (once per box
    // per poll) and each sensor pass; music frames are none of these.
    connect(&fans, &FanMonitor::boxAlarm, m_bus, [this] { m_bus->propertiesMayHaveChanged(); });
    connect(&fans, &FanMonitor::boxHealthChanged, m_bus, [this] { m_bus->propertiesMayHaveChanged(); });
    connect(effects, &SoftwareEffects::temperatureChanged, m_bus, [this] { m_bus->propertiesMayHaveChanged(); });
    connect(effects, &SoftwareEffects::temperatureMissing, m_bus, [this] { m_bus->propertiesMayHaveChanged(); });
}

QVariantMap BusGlue::properties()
{
    const QVariantMap s = status();
    QVariantList boxes;
    QVariantList fans;
    for (const QVariant &b : s.value(QStringLiteral("boxes")).toList()) {
        QVariantMap box = b.toMap();
        const int slot = box.value(QStringLiteral("slot")).toInt();
        for (const QVariant &f : box.take(QStringLiteral("fans")).toList()) {
            QVariantMap fan = f.toMap();
            fan.insert(QStringLiteral("box"), slot);
            fans << fan;
        }
        boxes << box;
    }
    const QVariantMap t = s.value(QStringLiteral("temperature")).toMap();
    return {{QStringLiteral("Boxes"), boxes},
            {QStringLiteral("Fans"), fans},
            {QStringLiteral("TemperatureKnown"), t.value(QStringLiteral("known")).toBool()},
            {QStringLiteral("Temperature"), t.value(QStringLiteral("celsius"), 0).toInt()},
            {QStringLiteral("TemperatureSource"), t.value(QStringLiteral("source")).toString()},
            {QStringLiteral("CurrentProfile"), s.value(QStringLiteral("currentProfile")).toInt()},
            {QStringLiteral("CurrentBox"), s.value(QStringLiteral("currentBox")).toInt()},
            {QStringLiteral("PhoneServer"), s.value(QStringLiteral("phone")).toMap()}};
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
            {QStringLiteral("firmware"), knownFirmware(m_control.core().encoders(), m_control.core().firmware(), box)},
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
    // ProfileLoaded follows from the handler, as for the window's button.
    m_control.messages().selectProfile(profile);
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

BusAnswer BusGlue::checkTarget(int box, int fan)
{
    if (!isValidBox(box))
        return BusAnswer::invalid(QStringLiteral("no box %1: boxes are 0..%2").arg(box).arg(kBoxCount - 1));
    if (!m_control.boxes().isConnected(box))
        return BusAnswer::refused(QStringLiteral("box %1 is not connected").arg(box));
    const int fans = fanCountOf(m_control.boxes()[box]);
    if (fan < -1 || fan >= fans)
        return BusAnswer::invalid(
            QStringLiteral("no fan %1 on box %2: its fans are 0..%3 (-1: all)").arg(fan).arg(box).arg(fans - 1));
    return {};
}

BusAnswer BusGlue::setLighting(int box, int fan, int mode, const QList<int> &colour, int speed, int brightness)
{
    const BusAnswer target = checkTarget(box, fan);
    if (target.kind != BusAnswer::Done)
        return target;
    const bool single = m_control.boxes()[box].isVaylaBox();
    const int modes = single ? int(VaylaLightMode::Count) : kBoxPlayedModes;
    if (mode < -1 || mode >= modes)
        return BusAnswer::invalid(
            QStringLiteral("no light mode %1 here: this box's fans take 0..%2 (-1: keep)").arg(mode).arg(modes - 1));
    if (speed < -1 || speed >= LightSpeed::Count)
        return BusAnswer::invalid(
            QStringLiteral("no effect speed %1: speeds are 0..%2 (-1: keep)").arg(speed).arg(LightSpeed::Count - 1));
    if (single)
        setSingleColourLighting(box, fan, mode, colour, brightness);
    else
        setRgbLighting(box, fan, mode, colour, speed, brightness);
    return {};
}

// As the phone would send it, one fan at a time: colour and modes (or the
// modes alone), then the brightness. The fan keeps its colour mode, and one
// colour fills all its entries, so the fan shows it in either mode.
void BusGlue::setRgbLighting(int box, int fan, int mode, const QList<int> &colour, int speed, int brightness)
{
    const int first = fan < 0 ? 0 : fan;
    const int last = fan < 0 ? kRainbowFanCount - 1 : fan;
    for (int f = first; f <= last; ++f) {
        const RainbowFanRecord &record = m_control.boxes()[box].rainbowFan[f];
        const int colorMode = record.colorMode;
        QVariantMap data{{QStringLiteral("BoxNum"), oneOf(kBoxCount, box)},
                         {QStringLiteral("FanNum"), oneOf(kRainbowFanCount, f)},
                         {QStringLiteral("LED1"), QString(kColorEntries, QLatin1Char('1'))},
                         {QStringLiteral("ColorMode"), colorMode},
                         {QStringLiteral("LightMode"), mode < 0 ? record.lightMode : mode},
                         {QStringLiteral("Speed"), speed < 0 ? record.lightSpeed : speed}};
        int command = 0;
        if (!colour.isEmpty()) {
            command = 2;
            data.insert(QStringLiteral("RColor"), colour.at(0));
            data.insert(QStringLiteral("GColor"), colour.at(1));
            data.insert(QStringLiteral("BColor"), colour.at(2));
        }
        m_control.socketHelperReceiveData({{QStringLiteral("command"), command}, {QStringLiteral("Data"), data}});
        if (brightness >= 0) {
            // The phone gives brightness in tenths.
            data.insert(QStringLiteral("Bright"), brightness / 10.0);
            m_control.socketHelperReceiveData({{QStringLiteral("command"), 16}, {QStringLiteral("Data"), data}});
        }
    }
}

// As the single-colour fan view: the colour first (it sends nothing), then
// "Done" with the light mode, which sends the fan's lighting once.
void BusGlue::setSingleColourLighting(int box, int fan, int mode, const QList<int> &colour, int brightness)
{
    ViewMessageHandler &messages = m_control.messages();
    const int first = fan < 0 ? 0 : fan;
    const int last = fan < 0 ? kVaylaFanCount - 1 : fan;
    for (int f = first; f <= last; ++f) {
        const VaylaFanRecord &record = m_control.boxes()[box].vaylaFan[f];
        if (!colour.isEmpty() || brightness >= 0) {
            const float bright = brightness >= 0 ? float(brightness) / 100.0f : record.brightValue;
            if (colour.isEmpty())
                messages.receiveVaylaRGBDataOn(box, record.rValue, record.gValue, record.bValue, bright, f);
            else
                messages.receiveVaylaRGBDataOn(box, colour.at(0), colour.at(1), colour.at(2), bright, f);
        }
        messages.receiveVaylaMainDataOn(
            box, {QString(MessageName::btnDone), QString::number(f), QString::number(mode < 0 ? record.lightMode : mode)});
    }
}

BusAnswer BusGlue::setSpeed(int box, int fan, const QString &setting)
{
    const BusAnswer target = checkTarget(box, fan);
    if (target.kind != BusAnswer::Done)
        return target;
    const QString word = setting.trimmed().toLower();
    bool isStep = false;
    const int step = word.toInt(&isStep);
    if (isStep && (step < 0 || step > kMaxSpeedStep))
        return BusAnswer::invalid(QStringLiteral("no speed step %1: steps are 0..%2").arg(step).arg(kMaxSpeedStep));
    if (!isStep && word != QLatin1String("silent") && word != QLatin1String("performance")
        && word != QLatin1String("follow"))
        return BusAnswer::invalid(
            QStringLiteral("no speed \"%1\": silent, performance, follow or a step 0..%2").arg(setting).arg(kMaxSpeedStep));

    const bool single = m_control.boxes()[box].isVaylaBox();
    ViewMessageHandler &messages = m_control.messages();
    auto send = [&](const QStringList &message) {
        if (single)
            messages.receiveVaylaMainDataOn(box, message);
        else
            messages.receiveMainDataOn(box, message);
    };
    const int fans = fanCountOf(m_control.boxes()[box]);
    for (int f = fan < 0 ? 0 : fan; f <= (fan < 0 ? fans - 1 : fan); ++f) {
        const QString number = QString::number(f);
        if (isStep) {
            // The fan editor's speed slider.
            send({QString(single ? MessageName::changeSliderFanSpeed : MessageName::sliderFanSpeedPer), number,
                  QString::number(step)});
        } else if (word == QLatin1String("follow")) {
            // Following needs the fan watched, as the editor's two switches.
            const ControllerBox &record = m_control.boxes()[box];
            const bool watched = single ? record.vaylaFan[f].isMonitor : record.rainbowFan[f].isMonitor;
            if (!watched)
                send({QString(MessageName::pushMonitor), number, QStringLiteral("1")});
            send({QString(MessageName::btnPwm), number, QStringLiteral("1")});
        } else {
            send({QString(word == QLatin1String("silent") ? MessageName::btnSilent : MessageName::btnPerformance),
                  number});
        }
    }
    return {};
}

BusAnswer BusGlue::history(const QString &series, int box, int fan, int seconds, QVariantMap *out)
{
    const Monitoring *monitoring = m_control.monitoring();
    if (!monitoring)
        return BusAnswer::refused(QStringLiteral("no history is kept"));
    if (seconds < 1 || seconds > kCoarseMinutes * 60)
        return BusAnswer::invalid(QStringLiteral("a range is 1..%1 seconds, not %2").arg(kCoarseMinutes * 60).arg(seconds));
    const bool fanSeries = series == QLatin1String("rpm") || series == QLatin1String("duty");
    const QLatin1String temperature("temperature:");
    SeriesKey key;
    if (fanSeries || series == QLatin1String("health")) {
        if (!isValidBox(box))
            return BusAnswer::invalid(QStringLiteral("no box %1: boxes are 0..%2").arg(box).arg(kBoxCount - 1));
        if (fanSeries && (fan < 0 || fan >= kRainbowFanCount))
            return BusAnswer::invalid(QStringLiteral("no fan %1: fans are 0..%2").arg(fan).arg(kRainbowFanCount - 1));
        key = series == QLatin1String("rpm") ? SeriesKey::fanRpm(box, fan)
            : series == QLatin1String("duty") ? SeriesKey::fanDuty(box, fan)
                                              : SeriesKey::boxHealth(box);
    } else if (series.startsWith(temperature) && series.size() > temperature.size()) {
        key = SeriesKey::temperature(series.mid(temperature.size()));
    } else {
        return BusAnswer::invalid(
            QStringLiteral("no series \"%1\": rpm, duty, health or temperature:SOURCE").arg(series));
    }
    const History &history = monitoring->recorder().history();
    const qint64 head = history.headSecond();
    const HistoryPoints points = history.points(key, head - seconds + 1, head, HistoryResolution::Auto);
    auto values = [](const QVector<float> &v) {
        QList<double> list;
        list.reserve(v.size());
        for (const float x : v)
            list << double(x);
        return QVariant::fromValue(list);
    };
    *out = {{QStringLiteral("series"), series},
            {QStringLiteral("box"), box},
            {QStringLiteral("fan"), fan},
            {QStringLiteral("firstSecond"), points.firstSecond},
            {QStringLiteral("stepSeconds"), points.stepSeconds},
            {QStringLiteral("min"), values(points.min)},
            {QStringLiteral("mean"), values(points.mean)},
            {QStringLiteral("max"), values(points.max)}};
    return {};
}

QVariantMap BusGlue::sources()
{
    // The last pass's readings, as the core keeps them for the window.
    QVariantMap out;
    const QHash<QString, double> &readings = m_control.core().viewState().sourceReadings();
    for (auto it = readings.cbegin(); it != readings.cend(); ++it)
        out.insert(it.key(), it.value());
    return out;
}

QStringList BusGlue::curves() { return curveChoices(m_control.core().curves().settings()); }

BusAnswer BusGlue::setCurve(int box, int fan, const QString &curve)
{
    const BusAnswer target = checkTarget(box, fan);
    if (target.kind != BusAnswer::Done)
        return target;
    const QStringList names = curves();
    const int choice = names.indexOf(curve);
    if (choice < 0)
        return BusAnswer::invalid(QStringLiteral("no curve \"%1\": the curves are %2").arg(curve, names.join(QStringLiteral(", "))));
    const int fans = fanCountOf(m_control.boxes()[box]);
    // As the numbered command: the next reading pass drives the fan with it.
    for (int f = fan < 0 ? 0 : fan; f <= (fan < 0 ? fans - 1 : fan); ++f)
        chooseFanCurveOf(m_control.boxes(), m_control.core().curves().settings(), box, choice, f);
    return {};
}
