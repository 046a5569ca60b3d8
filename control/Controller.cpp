// SPDX-License-Identifier: GPL-3.0-or-later
#include "Controller.h"
#include "CurveChoice.h"
#include "CurveWiring.h"

#include "BusGlue.h"
#include "IpText.h"
#include "Language.h"
#include "SleepGlue.h"
#include "SourceMonitoring.h"
#include "StoredSettings.h"
#include "channel/CommandChannel.h"
#include "common/Limits.h"
#include "common/Logging.h"
#include "core/Core.h"
#include "core/CurveController.h"
#include "core/DeviceMonitor.h"
#include "core/SyncPacer.h"
#include "device/BoxModel.h"
#include "device/DeviceBus.h"
#include "device/Encoders.h"
#include "device/FirmwareReads.h"
#include "device/FanMonitor.h"
#include "device/FanSafety.h"
#include "device/HotplugMonitor.h"
#include "lighting/ComputerVolume.h"
#include "lighting/SensorPlugin.h"
#include "lighting/SoftwareEffects.h"
#include "lighting/TemperatureSources.h"
#include "storage/CurvesFile.h"
#include "monitoring/Monitoring.h"
#include "monitoring/ProgramMonitoring.h"
#include "power/SleepWatch.h"
#include "remote/RemoteCommands.h"
#include "remote/SocketHelper.h"
#include "script/ScriptRunner.h"
#include "storage/IniHelper.h"
#include "storage/SaveFailures.h"

#include <QCoreApplication>
#include <QDebug>
#include <QHostInfo>
#include <QNetworkInterface>

namespace {
// How long the boxes get in all to take their last reports on exit.
constexpr int kExitFlushMs = 1000;

// The texts keep the translation context they have always had; each is
// marked QT_TRANSLATE_NOOP so that the .ts refresh finds it.
QString text(const char *source)
{
    return QCoreApplication::translate("Aurivent", source);
}
} // namespace

Controller::Controller(Core &core, const ControlOptions &options, QObject *parent)
    : QObject(parent)
    , m_core(core)
    , m_boxes(core.boxes())
    , m_profiles(core.encoders(), m_state.settings)
    , m_messages(m_state, core.encoders(), m_profiles, *this)
    , m_windowMessages(m_state, core.encoders(), *this, m_messages, *this)
    , m_simulated(options.simulated)
    , m_hotplug(options.hotplug)
    , m_channel(options.channel)
{
    IniHelper::parseDeviceData(IniHelper::readDeviceIni(), m_state.settings, m_boxes.records());
    m_messages.onProfileSelected([this](int profile) { emit profileLoaded(profile); });

    QCoreApplication::installTranslator(&m_translator);
    qCDebug(lcApp) << "setup language:" << m_state.settings.languageIndex;
    Language::load(m_translator, QCoreApplication::applicationDirPath(), m_state.settings.languageIndex);

    m_socketHelper = new SocketHelper(this, SocketHelper::kDefaultPort, remoteAccessFrom(m_state.settings.remoteAccess));
    connect(m_socketHelper, &SocketHelper::socketHelperSendData, this, &Controller::socketHelperReceiveData);
    m_socketHelper->setPasswordEnabled(m_state.settings.OpenPassword);
    m_socketHelper->setPassword(m_state.settings.Password);

    m_fans = &m_core.fans();
    connect(m_fans, &FanMonitor::fanSpeedRead, this, [this](int box) { showFanReading(box); });
    connect(m_fans, &FanMonitor::stallRaised, this, [this](int box, int) { emit alertRaised(box, false); });
    connect(m_fans, &FanMonitor::boxAlarm, this, &Controller::syncView);
    connect(m_fans, &FanMonitor::boxHealthChanged, this,
            [this](int box, BoxHealth health) { showBoxHealth(health, box); });
    m_monitor = &m_core.devices();
    connect(m_monitor, &DeviceMonitor::currentProfileFound, this, &Controller::setCurrentProfile);
    connect(m_monitor, &DeviceMonitor::connectionMapChanged, this, &Controller::showConnectionMap);
    connect(m_monitor, &DeviceMonitor::boxNeedsSettings, this, &Controller::resendSettings);
    // Every orderly end (tray, numbered command, a termination signal, the
    // end of the session) leaves the event loop: the fans are made safe there.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &Controller::leaveFansSafeOnExit);

    m_phoneSync = new SyncPacer([this] { syncView(); }, this);
    m_effects = new SoftwareEffects(m_core.encoders(), this);
    m_effects->setComputerVolume(new ComputerVolume(m_effects));
    startCurves(m_core.curves(), *m_effects);
    // The window's curve selector and editor show the curves and the readings.
    m_core.viewState().showCurves(m_core.curves().settings());
    connect(m_effects, &SoftwareEffects::temperatureSampled, this,
            [this](const TemperatureSample &sample) { m_core.viewState().tellSourceReadings(sourceValues(sample)); });
    m_script = new ScriptRunner(m_core.encoders(), this);

    m_monitor->discover();
    buildIpText();

    m_state.firmwareVersion = readFirmware(m_core.encoders(), m_core.firmware(), m_boxes.currentBox());

    applyStoredSettings(m_boxes, m_profiles, *m_effects, *m_fans);

    m_monitoring = createProgramMonitoring(m_boxes, m_core.firmware(), options.metricsListen, QString::fromLatin1(kVersion), this);
    connect(m_effects, &SoftwareEffects::temperatureChanged, m_monitoring, &Monitoring::temperature);
    connect(m_effects, &SoftwareEffects::temperatureMissing, m_monitoring, &Monitoring::temperatureMissing);
    connect(&SaveFailures::instance(), &SaveFailures::saveFailed, m_monitoring, &Monitoring::saveFailed);
    connectMonitoring(*m_fans, *m_monitoring);
    followSources(*m_effects, *m_monitoring);
    followSleep(*SleepWatch::create(this), *m_monitor, *m_effects, m_core.curves(), *m_monitoring);

    connect(m_effects, &SoftwareEffects::temperatureChanged, this, [this](int celsius) {
        m_state.temperatureKnown = true;
        m_state.temperature = celsius;
        syncView();
    });
    connect(m_effects, &SoftwareEffects::musicCaptureChanged, this, [this](bool capturing) {
        m_state.musicCapture = capturing;
        syncView();
    });
    connect(m_effects, &SoftwareEffects::temperatureMissing, this, [this] {
        m_state.temperatureKnown = false;
        syncView();
    });
    m_effects->startSensors(SensorPlugin::defaultLibraryPath());

    syncView();

    m_busGlue = new BusGlue(*this);
    m_busGlue->start(QDBusConnection::sessionBus());

    if (m_hotplug)
        connect(m_hotplug, &HotplugMonitor::deviceSetMayHaveChanged, this, &Controller::deviceChanged);
    if (m_channel)
        m_channel->setHandler([this](int id, int w, int l) { return handleWindowMessage(id, w, l); });
}

Controller::~Controller()
{
    if (m_channel)
        m_channel->setHandler({});
    // Off the bus first: no call may reach a control loop that is going away.
    delete m_busGlue;
    m_busGlue = nullptr;
    // No reply or health news may reach a control loop that is going away.
    m_monitor->stop();
    m_monitor->disconnect(this);
    m_fans->disconnect(this);
    if (m_monitoring)
        m_fans->disconnect(m_monitoring);
    m_core.bus().closeAll();
}

DeviceMonitor &Controller::devices() { return *m_monitor; }

void Controller::buildIpText()
{
    // The address is shown only where a phone can use it.
    switch (remoteAccessFrom(m_state.settings.remoteAccess)) {
    case RemoteAccess::Off:
        m_ipText = text(QT_TRANSLATE_NOOP("Aurivent", "Phone server off"));
        break;
    case RemoteAccess::ThisComputer:
        m_ipText = text(QT_TRANSLATE_NOOP("Aurivent", "Phone server: this computer only"));
        break;
    case RemoteAccess::Network:
        m_ipText = ipTextFrom(QNetworkInterface::allAddresses(), QHostInfo::localHostName(), text(QT_TRANSLATE_NOOP("Aurivent", "IP Address")));
        // Never an empty "IP Address:": the phone needs to be told there is none.
        if (m_ipText.isEmpty())
            m_ipText = text(QT_TRANSLATE_NOOP("Aurivent", "IP Address")) + QStringLiteral(": ") + text(QT_TRANSLATE_NOOP("Aurivent", "none"));
        break;
    }
    emit ipTextChanged(m_ipText);
}

void Controller::syncView()
{
    m_core.viewState().sync(m_boxes, m_state, m_core.bus());
}

bool Controller::handleWindowMessage(int id, int wParam, int lParam)
{
    if (id == kChooseCurveCommand) {
        // The next reading pass drives the fan with it; saved with its profile, as its other settings.
        chooseFanCurve(m_boxes, m_core.curves().settings(), wParam, lParam);
        return true;
    }
    return m_windowMessages.handle(id, wParam, lParam);
}

void Controller::updateSpeed()
{
    m_monitor->poll();
}

void Controller::showInfo()
{
    QStringList lines = m_effects->sensorInfo();
    if (lines.isEmpty() && m_effects->hasSensors())
        lines << text(QT_TRANSLATE_NOOP("Aurivent", "No sensor chips found."));
    else if (lines.isEmpty())
        lines << text(QT_TRANSLATE_NOOP("Aurivent", "No sensor information: the sensor plug-in is not loaded."));
    m_core.viewState().tellSensorInfo(lines);
}

void Controller::leaveFansSafeOnExit()
{
    if (m_fansLeftSafe)
        return;
    m_fansLeftSafe = true;
    m_monitor->stopSpeedPoll();
    leaveFansSafe(m_core.encoders(), kExitFlushMs);
    if (m_monitoring)
        m_monitoring->stop();
}

// --- AppHost

ViewState &Controller::viewState() { return m_core.viewState(); }
LightingTimers &Controller::lightingTimers() { return *m_effects; }

void Controller::startSpeedPoll() { m_monitor->startSpeedPoll(); }
void Controller::stopSpeedPoll() { m_monitor->stopSpeedPoll(); }

void Controller::loadLanguage(int index)
{
    // The program's own folder, as at start-up: the current directory is
    // wherever the program was started from.
    Language::load(m_translator, QCoreApplication::applicationDirPath(), index);
    buildIpText();
    emit languageChanged();
}

void Controller::showSensorInfo() { showInfo(); }

const CurveSettings &Controller::curveSettings() { return m_core.curves().settings(); }

FirmwareVersions &Controller::firmware() { return m_core.firmware(); }

void Controller::reloadCurves()
{
    // Refusals are logged where the file is read; the next pass follows the new curves.
    m_core.curves().setSettings(CurvesFile::read());
    m_effects->setReadingPeriod(m_core.curves().readingPeriodMs());
    m_core.viewState().showCurves(m_core.curves().settings());
}

void Controller::passwordChanged()
{
    m_socketHelper->setPassword(m_state.settings.Password);
    m_socketHelper->setPasswordEnabled(m_state.settings.OpenPassword);
}

void Controller::remoteAccessChanged()
{
    m_socketHelper->setAccess(remoteAccessFrom(m_state.settings.remoteAccess));
    buildIpText();
}

// --- what discovery and the fan monitor found

void Controller::showConnectionMap(const QString &map)
{
    m_boxPresence.update(map);
    m_socketHelper->setBoxListReply(map);
}

void Controller::resendSettings(int box)
{
    resendBoxSettings(m_core.encoders(), m_profiles, box, *m_effects, m_core.curves());
    // Its record may just have taken its stored profile: the panels show it.
    syncView();
}

void Controller::showFanReading(int box)
{
    if (box == m_boxes.currentBox())
        syncView();
}

void Controller::showBoxHealth(BoxHealth health, int box)
{
    syncView();
    // A box that is gone is usually unplugged: discovery follows, so no alert of its own.
    if (health == BoxHealth::NotAnswering)
        emit alertRaised(box, true);
}

// --- RemoteHost

void Controller::setCurrentProfile(int profile) { m_state.currentProfile = profile; }
void Controller::stopMusic() { m_effects->stopMusicTimers(); }
void Controller::startMusicEffectTimer() { m_effects->startMusicEffectTimer(); }
void Controller::setPhoneLevel(int level) { m_effects->setPhoneLevel(level); }

void Controller::applyBoxSettings(int box)
{
    // The phone drives 12-LED fans only.
    m_profiles.apply(box, *m_effects, Resend::Reapply, ProfileService::Kind::RgbFans);
}

void Controller::loadProfile(int box, int profile)
{
    if (isValidBox(box))
        m_profiles.load(box, profile);
}

QList<QStringList> Controller::readProfile(int profile) { return m_profiles.rgbRows(profile); }

void Controller::saveBoxProfile(int box)
{
    if (isValidBox(box))
        m_profiles.save(box, m_boxes[box].profileValue);
}

int Controller::currentProfile() const { return m_state.currentProfile; }

// The phone can send far more commands than a screen can show: its changes
// reach the view state at most once a frame.
void Controller::refreshFanPanels(int) { m_phoneSync->request(); }
void Controller::setProfileLabel(int) { m_phoneSync->request(); }
// The phone loaded a profile into the current box.
void Controller::checkProfileButton(int profile)
{
    m_phoneSync->request();
    emit profileLoaded(profile);
}

void Controller::socketHelperReceiveData(const QVariantMap &data)
{
    const QString reply = RemoteCommands::execute(data, m_core.encoders(), *this);
    m_phoneSync->request();
    if (!reply.isEmpty())
        m_socketHelper->sendResponse(reply, data);
}

// --- WindowMessageHost

void Controller::attachWindow(MainViewInterface *view)
{
    m_hasWindow = true;
    m_windowView = view;
}

void Controller::detachWindow()
{
    m_hasWindow = false;
    m_windowView = nullptr;
}

void Controller::hideApplicationWindow()
{
    if (m_hasWindow)
        emit hideWindowAsked();
}

void Controller::closeApplicationWindow()
{
    if (m_hasWindow)
        emit closeWindowAsked();
    else
        QCoreApplication::quit(); // nothing on screen: the program ends
}

void Controller::deviceChanged()
{
    m_monitor->deviceChanged(m_hotplug ? m_hotplug->takeRemovedNodes() : QList<QByteArray>());
    syncView();
}

MainViewInterface *Controller::mainView() { return m_windowView; }
