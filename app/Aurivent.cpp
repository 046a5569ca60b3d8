// SPDX-License-Identifier: GPL-3.0-or-later
#include "Aurivent.h"

#include "AutorunStore.h"
#include "CommandChannel.h"
#include "CurveChoice.h"
#include "CurveWiring.h"
#include "common/Limits.h"
#include "core/Core.h"
#include "core/DeviceMonitor.h"
#include "core/SyncPacer.h"
#include "common/Logging.h"
#include "device/BoxModel.h"
#include "device/DeviceBus.h"
#include "device/FanMonitor.h"
#include "device/FanSafety.h"
#include "device/Encoders.h"
#include "device/HotplugMonitor.h"
#include "IpText.h"
#include "Language.h"
#include "lighting/ComputerVolume.h"
#include "lighting/LightModes.h"
#include "lighting/SensorPlugin.h"
#include "lighting/SoftwareEffects.h"
#include "monitoring/Monitoring.h"
#include "monitoring/MonitoringHistoryReader.h"
#include "monitoring/ProgramMonitoring.h"
#include "ui/graphs/GraphsOpener.h"
#include "NativeMessage.h"
#include "remote/RemoteCommands.h"
#include "remote/SocketHelper.h"
#include "SaveFailureNotice.h"
#include "script/ScriptRunner.h"
#include "storage/IniHelper.h"
#include "storage/SaveFailures.h"
#include "StoredSettings.h"
#include "Tray.h"
#include "ui/AlertView.h"
#include "ui/MainView.h"
#include "update/AutoUpdate.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QGuiApplication>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QScreen>
#include <QTimer>

const char *const Aurivent::kVersion = "1.0.5";
const char *const Aurivent::kTitle = "Vayla Zeve RGB";

Aurivent::Aurivent(Core &core, const StartOptions &options, QWidget *parent)
    : QMainWindow(parent)
    , m_core(core)
    , m_boxes(core.boxes())
    , m_profiles(core.encoders(), m_state.settings)
    , m_messages(m_state, core.encoders(), m_profiles, *this)
    , m_windowMessages(m_state, core.encoders(), *this, m_messages, *this)
    , m_simulated(options.simulated)
    , m_headless(options.headless)
    , m_hotplug(options.hotplug)
    , m_channel(options.channel)
{
    m_prefix = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    setGeometry(QRect(0, 0, 0, 0));
    // Never seen itself: an X server refuses focus for a window of no size.
    setAttribute(Qt::WA_ShowWithoutActivating);
    hide();
    setWindowIcon(QIcon(m_prefix + QStringLiteral("Images/logo.ico")));

    IniHelper::parseDeviceData(IniHelper::readDeviceIni(), m_state.settings, m_boxes.records());

    if (!m_headless) {
        m_tray = new Tray(this, m_prefix + QStringLiteral("Images/logo.ico"), m_state.settings.isAutoRun);
        connect(m_tray, &Tray::activated, this, &Aurivent::iconActivated);
        connect(m_tray->launchAction(), &QAction::triggered, this, &Aurivent::showMainView);
        connect(m_tray->autorunAction(), &QAction::triggered, this, &Aurivent::trayIconAction);
        connect(m_tray->exitAction(), &QAction::triggered, qApp, &QCoreApplication::quit);
        // A try-out on simulated boxes leaves the desktop's autostart alone.
        m_tray->autorunAction()->setEnabled(!m_simulated);
        m_tray->setAutorun(m_state.settings.isAutoRun);
        auto *notice = new SaveFailureNotice(m_tray->icon(), [this] { return static_cast<QWidget *>(m_view); }, this);
        notice->settingsRefused(m_state.settings.refusedSettings);
    }

    QCoreApplication::installTranslator(&m_translator);
    qCDebug(lcApp) << "setup language:" << m_state.settings.languageIndex;
    Language::load(m_translator, QCoreApplication::applicationDirPath(), m_state.settings.languageIndex);

    // The updater asks for administrator rights: a person must be there to grant them.
    if (m_state.settings.isStartAutoUpdate && !m_headless) {
        qCDebug(lcApp) << "start auto update--isStartAutoUpdate:" << m_state.settings.isStartAutoUpdate;
        m_update = new AutoUpdate();
        m_update->setupVersion(QString::fromLatin1(kVersion));
        m_update->setServerUrl(m_state.settings.updateServer);
        connect(m_update, &AutoUpdate::updateNote, this, [this](const QString &note) {
            if (m_tray)
                m_tray->icon()->showMessage(tr("Update Note:"), note);
            else
                qCInfo(lcUpdate).noquote() << "update:" << note;
        });
        m_update->checkForUpdate();
    }

    // The service and a try-out on simulated boxes leave the desktop's autostart alone.
    if (m_tray && !m_simulated) {
        if (auto store = createAutorunStore()) {
            if (reconcileAutorun(m_state.settings.isAutoRun, *store, QCoreApplication::applicationFilePath(),
                                 autorunMemoryFile())) {
                m_tray->setAutorun(m_state.settings.isAutoRun);
                m_messages.writeDeviceProfile();
            }
        }
    }

    if (!m_headless) {
        m_alert = new AlertView(this);
        m_alert->hide();
        connect(m_alert, &AlertView::alertViewSendData, this, &Aurivent::alertViewReceiveData);
    }

    m_socketHelper = new SocketHelper(this, SocketHelper::kDefaultPort, remoteAccessFrom(m_state.settings.remoteAccess));
    connect(m_socketHelper, &SocketHelper::socketHelperSendData, this, &Aurivent::socketHelperReceiveData);
    m_socketHelper->setPasswordEnabled(m_state.settings.OpenPassword);
    m_socketHelper->setPassword(m_state.settings.Password);

    m_fans = &m_core.fans();
    connect(m_fans, &FanMonitor::fanSpeedRead, this, &Aurivent::showFanReading);
    connect(m_fans, &FanMonitor::stallRaised, this, [this](int box, int) { showAlert(box, false); });
    connect(m_fans, &FanMonitor::boxAlarm, this, &Aurivent::syncView);
    connect(m_fans, &FanMonitor::boxHealthChanged, this, &Aurivent::showBoxHealth);
    m_monitor = &m_core.devices();
    connect(m_monitor, &DeviceMonitor::currentProfileFound, this, &Aurivent::setCurrentProfile);
    connect(m_monitor, &DeviceMonitor::connectionMapChanged, this, &Aurivent::showConnectionMap);
    connect(m_monitor, &DeviceMonitor::boxNeedsSettings, this, &Aurivent::resendSettings);
    // The current box and which boxes are present are read from the model by the view state.
    // Every orderly end (tray, window message, a termination signal, the end
    // of the session) leaves the event loop: the fans are made safe there.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &Aurivent::leaveFansSafeOnExit);

    m_phoneSync = new SyncPacer([this] { syncView(); }, this);
    m_effects = new SoftwareEffects(m_core.encoders(), this);
    m_effects->setComputerVolume(new ComputerVolume(m_effects));
    startCurves(m_core.curves(), *m_effects);
    m_script = new ScriptRunner(m_core.encoders(), this);

    m_monitor->discover();
    buildIpText();

    m_state.firmwareVersion = m_core.encoders().readFirmwareVersion(m_boxes.currentBox());
    if (m_state.firmwareVersion == QLatin1String("0"))
        m_state.firmwareVersion = QString::fromLatin1(kDefaultVersion);

    applyStoredSettings(m_boxes, m_profiles, *m_effects, *m_fans);

    m_monitoring = createProgramMonitoring(m_boxes, options.metricsListen, QString::fromLatin1(kVersion), this);
    connect(m_effects, &SoftwareEffects::temperatureChanged, m_monitoring, &Monitoring::temperature);
    connect(m_effects, &SoftwareEffects::temperatureMissing, m_monitoring, &Monitoring::temperatureMissing);
    connect(&SaveFailures::instance(), &SaveFailures::saveFailed, m_monitoring, &Monitoring::saveFailed);
    connect(m_monitoring, &Monitoring::openWindowRequested, this, [this] { showMainView(); });
    connectMonitoring(*m_fans, *m_monitoring);
    if (!m_headless) {
        m_historyReader = std::make_unique<MonitoringHistoryReader>(m_monitoring);
        m_graphs = new GraphsOpener(m_historyReader.get(), this);
        if (m_tray)
            connect(m_tray->graphsAction(), &QAction::triggered, m_graphs, &GraphsOpener::openEverything);
    }

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
    connect(m_effects, &SoftwareEffects::temperatureReadingLost, this, [this] {
        if (!m_tray)
            return; // the service: the log has said it
        m_tray->icon()->showMessage(tr("No CPU temperature"),
                                    tr("Fans that follow the CPU temperature now run at their highest allowed "
                                       "speed until it can be read again."),
                                    QSystemTrayIcon::Warning);
    });
    connect(&m_core.curves(), &CurveController::sourceLost, this, [this](const QString &source, const QString &text) {
        if (m_tray)
            m_tray->icon()->showMessage(tr("No temperature from %1").arg(source), text, QSystemTrayIcon::Warning);
    });
    m_effects->startSensors(SensorPlugin::defaultLibraryPath());

    syncView();
    if (!m_headless)
        createMainView(!options.minimized);

    if (m_hotplug)
        connect(m_hotplug, &HotplugMonitor::deviceSetMayHaveChanged, this, &Aurivent::deviceChanged);
    if (m_channel)
        m_channel->setHandler([this](int id, int w, int l) { return handleWindowMessage(id, w, l); });
}

Aurivent::~Aurivent()
{
    // No reply or health news may reach a window that is going away.
    m_monitor->stop();
    m_monitor->disconnect(this);
    m_fans->disconnect(this);
    if (m_monitoring)
        m_fans->disconnect(m_monitoring);
    m_core.bus().closeAll();
    // The graphs window reads through m_historyReader, which goes before the children.
    delete m_graphs;
    delete m_view;
    delete m_update;
}

QString Aurivent::autorunMemoryFile()
{
    // Beside the settings: the program wrote an autostart entry once, so a
    // missing one was removed by the user.
    return IniHelper::dataFolder() + QStringLiteral("/AutostartWritten");
}

void Aurivent::buildIpText()
{
    // The address is shown only where a phone can use it.
    switch (remoteAccessFrom(m_state.settings.remoteAccess)) {
    case RemoteAccess::Off:
        m_ipText = tr("Phone server off");
        break;
    case RemoteAccess::ThisComputer:
        m_ipText = tr("Phone server: this computer only");
        break;
    case RemoteAccess::Network:
        m_ipText = ipTextFrom(QNetworkInterface::allAddresses(), QHostInfo::localHostName(), tr("IP Address"));
        // Never an empty "IP Address:": the phone needs to be told there is none.
        if (m_ipText.isEmpty())
            m_ipText = tr("IP Address") + QStringLiteral(": ") + tr("none");
        break;
    }
}

void Aurivent::createMainView(bool show)
{
    m_view = new MainView();
    m_view->setSimulated(m_simulated);
    m_view->setAppVersion(QString::fromLatin1(kVersion));
    m_view->setIpText(m_ipText);
    m_view->setViewState(&m_core.viewState());
    connect(m_view, &MainView::sendVaylaData, this, &Aurivent::receiveVaylaMainData);
    connect(m_view, &MainView::sendData, this, &Aurivent::receiveMainData);
    connect(m_view, &MainView::sendRGBData, this, &Aurivent::receiveRGBData);
    connect(m_view, &MainView::sendVaylaRGBData, this, &Aurivent::receiveVaylaRGBData);
    connect(m_view, &MainView::testSendFileData, this, &Aurivent::testReceiveFileData);
    connect(m_view, &MainView::graphsRequested, this, [this](int box, int fan) {
        if (m_graphs)
            m_graphs->open(box < 0 ? GraphScope::everything() : GraphScope::ofFan(box, fan));
    });
    if (show)
        m_view->show();
}

void Aurivent::syncView()
{
    m_core.viewState().sync(m_boxes, m_state, m_core.bus());
}

bool Aurivent::handleWindowMessage(int id, int wParam, int lParam)
{
    if (id == kChooseCurveCommand) {
        // The next reading pass drives the fan with it; saved with its profile, as its other settings.
        chooseFanCurve(m_boxes, m_core.curves().settings(), wParam, lParam);
        return true;
    }
    return m_windowMessages.handle(id, wParam, lParam);
}

// --- AppHost

ViewState &Aurivent::viewState() { return m_core.viewState(); }
LightingTimers &Aurivent::lightingTimers() { return *m_effects; }

void Aurivent::startSpeedPoll() { m_monitor->startSpeedPoll(); }
void Aurivent::stopSpeedPoll() { m_monitor->stopSpeedPoll(); }

void Aurivent::loadLanguage(int index)
{
    // The program's own folder, as at start-up: the current directory is
    // wherever the program was started from.
    Language::load(m_translator, QCoreApplication::applicationDirPath(), index);
    buildIpText();
    if (m_view)
        m_view->setIpText(m_ipText);
    // The view speaks the new language once the state has it.
    if (m_alert)
        m_alert->retranslate();
    if (m_tray)
        m_tray->retranslate(m_state.settings.isAutoRun);
}

void Aurivent::showSensorInfo()
{
    showInfo();
}

void Aurivent::passwordChanged()
{
    m_socketHelper->setPassword(m_state.settings.Password);
    m_socketHelper->setPasswordEnabled(m_state.settings.OpenPassword);
}

void Aurivent::remoteAccessChanged()
{
    m_socketHelper->setAccess(remoteAccessFrom(m_state.settings.remoteAccess));
    buildIpText();
    if (m_view)
        m_view->setIpText(m_ipText);
}

// --- what discovery found

void Aurivent::showConnectionMap(const QString &map)
{
    m_boxPresence.update(map);
    m_socketHelper->setBoxListReply(map);
}

void Aurivent::leaveFansSafeOnExit()
{
    if (m_fansLeftSafe)
        return;
    m_fansLeftSafe = true;
    m_monitor->stopSpeedPoll();
    leaveFansSafe(m_core.encoders(), kExitFlushMs);
    if (m_monitoring)
        m_monitoring->stop();
}

void Aurivent::resendSettings(int box)
{
    resendBoxSettings(m_core.encoders(), m_profiles, box, *m_effects, m_core.curves());
    // Its record may just have taken its stored profile: the panels show it.
    syncView();
}

// --- what the fan monitor found

void Aurivent::showFanReading(int box, int, int, bool)
{
    if (box == m_boxes.currentBox())
        syncView();
}

void Aurivent::showBoxHealth(int box, BoxHealth health)
{
    syncView();
    // A box that is gone is usually unplugged: discovery follows, so no alert of its own.
    if (health == BoxHealth::NotAnswering)
        showAlert(box, true);
}

void Aurivent::showAlert(int box, bool notAnswering)
{
    if (!m_alert)
        return; // without a window the log has it; no one could click an alert away
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1280, 800);
    const bool hidden = !m_view || m_view->isHidden() || m_view->isMinimized();
    m_alert->move(stallAlertPosition(screenSize, m_alert->size(), hidden));
    m_alert->setControllerNumber(box);
    m_alert->setStalledFans(notAnswering ? QList<int>() : latchedStalls(m_boxes, box));
    m_alert->setNotAnswering(notAnswering);
    m_alert->show();
    setEnabled(false);
    // The alert is this window's child: it must stay usable, or it could never be dismissed.
    m_alert->setEnabled(true);
}

// --- RemoteHost

void Aurivent::setCurrentProfile(int profile)
{
    m_state.currentProfile = profile;
}

void Aurivent::stopMusic()
{
    m_effects->stopMusicTimers();
}

void Aurivent::startMusicEffectTimer()
{
    m_effects->startMusicEffectTimer();
}

void Aurivent::setPhoneLevel(int level)
{
    m_effects->setPhoneLevel(level);
}

void Aurivent::applyBoxSettings(int box)
{
    // The phone drives 12-LED fans only.
    m_profiles.apply(box, *m_effects, Resend::Reapply, ProfileService::Kind::RgbFans);
}

void Aurivent::loadProfile(int box, int profile)
{
    if (isValidBox(box))
        m_profiles.load(box, profile);
}

QList<QStringList> Aurivent::readProfile(int profile)
{
    return m_profiles.rgbRows(profile);
}

void Aurivent::saveBoxProfile(int box)
{
    if (isValidBox(box))
        m_profiles.save(box, m_boxes[box].profileValue);
}

int Aurivent::currentProfile() const
{
    return m_state.currentProfile;
}

// The phone can send far more commands than a screen can show: its changes
// reach the view state at most once a frame.
void Aurivent::refreshFanPanels(int) { m_phoneSync->request(); }
void Aurivent::setProfileLabel(int) { m_phoneSync->request(); }
void Aurivent::checkProfileButton(int) { m_phoneSync->request(); }

// --- WindowMessageHost

void Aurivent::hideApplicationWindow()
{
    hide();
}

void Aurivent::closeApplicationWindow()
{
    close();
    // With the main view hidden (or minimized) nothing is left on screen: the program ends.
    if (!m_view || m_view->isHidden() || m_view->isMinimized())
        QCoreApplication::quit();
}

void Aurivent::deviceChanged()
{
    m_monitor->deviceChanged(m_hotplug ? m_hotplug->takeRemovedNodes() : QList<QByteArray>());
    syncView();
}

MainViewInterface *Aurivent::mainView()
{
    return m_view;
}

// --- slots

void Aurivent::alertViewReceiveData(const QString &)
{
    qCDebug(lcApp) << "alertViewReceiveData";
    setEnabled(true);
}

void Aurivent::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick && m_view && m_view->isHidden())
        m_view->show();
}

void Aurivent::socketHelperReceiveData(const QVariantMap &data)
{
    const QString reply = RemoteCommands::execute(data, m_core.encoders(), *this);
    m_phoneSync->request();
    if (!reply.isEmpty())
        m_socketHelper->sendResponse(reply, data);
}

void Aurivent::updateSpeed()
{
    m_monitor->poll();
}

void Aurivent::showInfo()
{
    QStringList lines = m_effects->sensorInfo();
    if (lines.isEmpty() && m_effects->hasSensors())
        lines << tr("No sensor chips found.");
    else if (lines.isEmpty())
        lines << tr("No sensor information: the sensor plug-in is not loaded.");
    m_core.viewState().tellSensorInfo(lines);
}

void Aurivent::trayIconAction()
{
    if (m_simulated || !m_tray)
        return;
    m_state.settings.isAutoRun = !m_state.settings.isAutoRun;
    m_tray->setAutorun(m_state.settings.isAutoRun);
    if (auto store = createAutorunStore())
        syncAutorun(m_state.settings.isAutoRun, *store, QCoreApplication::applicationFilePath(), autorunMemoryFile());
    m_messages.writeDeviceProfile();
}

void Aurivent::receiveMainData(const QStringList &list) { m_messages.receiveMainData(list); }
void Aurivent::receiveVaylaMainData(const QStringList &list) { m_messages.receiveVaylaMainData(list); }

void Aurivent::receiveRGBData(const QStringList &red, const QStringList &green, const QStringList &blue,
                              const QStringList &bright, int fan)
{
    m_messages.receiveRGBData(red, green, blue, bright, fan);
}

void Aurivent::receiveVaylaRGBData(int r, int g, int b, float bright, int fan)
{
    m_messages.receiveVaylaRGBData(r, g, b, bright, fan);
}

void Aurivent::showMainView()
{
    if (m_view && m_view->isHidden())
        m_view->show();
}

void Aurivent::testReceiveFileData(const QStringList &frames, int period)
{
    m_script->testReceiveFileData(frames, period);
}

void Aurivent::runScript() { m_script->runScript(); }

void Aurivent::closeEvent(QCloseEvent *event)
{
    event->accept();
}

bool Aurivent::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    int id = 0;
    int wParam = 0;
    int lParam = 0;
    if (!decodeNativeMessage(eventType, message, &id, &wParam, &lParam))
        return QMainWindow::nativeEvent(eventType, message, result);
    if (id == WindowMessages::kDeviceChange && m_hotplug) {
        m_hotplug->notify();
        *result = 1;
        return true;
    }
    if (handleWindowMessage(id, wParam, lParam)) {
        *result = 1;
        return true;
    }
    return QMainWindow::nativeEvent(eventType, message, result);
}
