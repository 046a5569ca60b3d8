// SPDX-License-Identifier: GPL-3.0-or-later
#include "Aurivent.h"

#include "AutorunStore.h"
#include "HiddenAlertNotice.h"
#include "NativeMessage.h"
#include "SaveFailureNotice.h"
#include "Tray.h"
#include "common/Logging.h"
#include "core/Core.h"
#include "core/CurveController.h"
#include "device/BoxModel.h"
#include "device/FanMonitor.h"
#include "device/HotplugMonitor.h"
#include "lighting/SoftwareEffects.h"
#include "monitoring/Monitoring.h"
#include "monitoring/MonitoringHistoryReader.h"
#include "script/ScriptRunner.h"
#include "storage/IniHelper.h"
#include "ui/AlertView.h"
#include "ui/MainView.h"
#include "ui/graphs/GraphsOpener.h"
#include "update/AutoUpdate.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QGuiApplication>
#include <QScreen>

const char *const Aurivent::kVersion = Controller::kVersion;
const char *const Aurivent::kTitle = "Vayla Zeve RGB";

namespace {
ControlOptions controlOptions(const StartOptions &options)
{
    ControlOptions control;
    control.simulated = options.simulated;
    control.hotplug = options.hotplug;
    control.channel = options.channel;
    control.metricsListen = options.metricsListen;
    return control;
}
} // namespace

Aurivent::Aurivent(Core &core, const StartOptions &options, QWidget *parent)
    : QMainWindow(parent)
    , m_control(std::make_unique<Controller>(core, controlOptions(options)))
    , m_simulated(options.simulated)
    , m_headless(options.headless)
    , m_hotplug(options.hotplug)
{
    const QString prefix = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    setGeometry(QRect(0, 0, 0, 0));
    // Never seen itself: an X server refuses focus for a window of no size.
    setAttribute(Qt::WA_ShowWithoutActivating);
    hide();
    setWindowIcon(QIcon(prefix + QStringLiteral("Images/logo.ico")));
    m_control->attachWindow(nullptr);
    connect(m_control.get(), &Controller::hideWindowAsked, this, &QWidget::hide);
    connect(m_control.get(), &Controller::closeWindowAsked, this, &Aurivent::closeWindow);
    AppSettings &settings = m_control->state().settings;

    if (!m_headless) {
        m_tray = new Tray(this, prefix + QStringLiteral("Images/logo.ico"), settings.isAutoRun);
        connect(m_tray, &Tray::activated, this, &Aurivent::iconActivated);
        connect(m_tray->launchAction(), &QAction::triggered, this, &Aurivent::showMainView);
        connect(m_tray->autorunAction(), &QAction::triggered, this, &Aurivent::trayIconAction);
        connect(m_tray->exitAction(), &QAction::triggered, qApp, &QCoreApplication::quit);
        // A try-out on simulated boxes leaves the desktop's autostart alone.
        m_tray->autorunAction()->setEnabled(!m_simulated);
        m_tray->setAutorun(settings.isAutoRun);
        auto *notice = new SaveFailureNotice(m_tray->icon(), [this] { return static_cast<QWidget *>(m_view); }, this);
        notice->settingsRefused(settings.refusedSettings);
        Monitoring *monitoring = m_control->monitoring();
        auto *hidden = new HiddenAlertNotice(
            m_tray, [this] { return m_view && m_view->isHidden(); }, monitoring->notifications(),
            [monitoring](AlertKind kind) { return monitoring->notifies(kind); }, this);
        connect(monitoring, &Monitoring::alertRaised, hidden, &HiddenAlertNotice::alertRaised);
    }

    // The updater asks for administrator rights: a person must be there to grant them.
    if (settings.isStartAutoUpdate && !m_headless) {
        qCDebug(lcApp) << "start auto update--isStartAutoUpdate:" << settings.isStartAutoUpdate;
        m_update = new AutoUpdate();
        m_update->setupVersion(QString::fromLatin1(kVersion));
        m_update->setServerUrl(settings.updateServer);
        connect(m_update, &AutoUpdate::updateNote, this, [this](const QString &note) {
            if (m_tray)
                m_tray->showMessage(tr("Update Note:"), note);
            else
                qCInfo(lcUpdate).noquote() << "update:" << note;
        });
        m_update->checkForUpdate();
    }

    // The service and a try-out on simulated boxes leave the desktop's autostart alone.
    if (m_tray && !m_simulated) {
        if (auto store = createAutorunStore()) {
            if (reconcileAutorun(settings.isAutoRun, *store, QCoreApplication::applicationFilePath(),
                                 autorunMemoryFile())) {
                m_tray->setAutorun(settings.isAutoRun);
                m_control->messages().writeDeviceProfile();
            }
        }
    }

    if (!m_headless) {
        m_alert = new AlertView(this);
        m_alert->hide();
        connect(m_alert, &AlertView::alertViewSendData, this, &Aurivent::alertViewReceiveData);
    }
    connect(m_control.get(), &Controller::alertRaised, this, &Aurivent::showAlert);
    connect(m_control.get(), &Controller::languageChanged, this, &Aurivent::retranslate);
    connect(m_control.get(), &Controller::ipTextChanged, this, [this](const QString &text) {
        if (m_view)
            m_view->setIpText(text);
    });
    connect(m_control->monitoring(), &Monitoring::openWindowRequested, this, [this] { showMainView(); });
    if (!m_headless) {
        m_historyReader = std::make_unique<MonitoringHistoryReader>(m_control->monitoring());
        m_graphs = new GraphsOpener(m_historyReader.get(), this);
        if (m_tray)
            connect(m_tray->graphsAction(), &QAction::triggered, m_graphs, &GraphsOpener::openEverything);
    }
    connect(effects(), &SoftwareEffects::temperatureReadingLost, this, [this] {
        if (!m_tray)
            return; // the service: the log has said it
        m_tray->showMessage(tr("No CPU temperature"),
                                    tr("Fans that follow the CPU temperature now run at their highest allowed "
                                       "speed until it can be read again."),
                                    QSystemTrayIcon::Warning);
    });
    connect(&m_control->core().curves(), &CurveController::sourceLost, this, [this](const QString &source, const QString &text) {
        if (m_tray)
            m_tray->showMessage(tr("No temperature from %1").arg(source), text, QSystemTrayIcon::Warning);
    });

    if (!m_headless)
        createMainView(!options.minimized);
}

Aurivent::~Aurivent()
{
    m_control->detachWindow();
    m_control->disconnect(this);
    // The graphs window reads through m_historyReader, which goes before the children.
    delete m_graphs;
    delete m_view;
    m_view = nullptr;
    delete m_update;
    m_control.reset();
}

QString Aurivent::autorunMemoryFile()
{
    // Beside the settings: the program wrote an autostart entry once, so a
    // missing one was removed by the user.
    return IniHelper::dataFolder() + QStringLiteral("/AutostartWritten");
}

void Aurivent::createMainView(bool show)
{
    m_view = new MainView();
    m_control->attachWindow(m_view);
    m_view->setSimulated(m_simulated);
    m_view->setAppVersion(QString::fromLatin1(kVersion));
    m_view->setIpText(m_control->ipText());
    m_view->setViewState(&core().viewState());
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

void Aurivent::retranslate()
{
    // The view speaks the new language once the state has it.
    if (m_alert)
        m_alert->retranslate();
    if (m_tray)
        m_tray->retranslate(state().settings.isAutoRun);
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
    m_alert->setStalledFans(notAnswering ? QList<int>() : latchedStalls(boxes(), box));
    m_alert->setNotAnswering(notAnswering);
    m_alert->showOver(m_view);
    setEnabled(false);
    // The alert is this window's child: it must stay usable, or it could never be dismissed.
    m_alert->setEnabled(true);
}

void Aurivent::closeWindow()
{
    close();
    // Only a view the user put away ends the program: hidden in the tray, or
    // minimised where there is no tray to hide in. A window minimised to the
    // task bar beside a tray is still one the user works with.
    const bool putAway = !m_view || m_view->isHidden() || (m_view->isMinimized() && !Tray::anyReachable());
    if (putAway)
        QCoreApplication::quit();
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

void Aurivent::trayIconAction()
{
    if (m_simulated || !m_tray)
        return;
    AppSettings &settings = state().settings;
    settings.isAutoRun = !settings.isAutoRun;
    m_tray->setAutorun(settings.isAutoRun);
    if (auto store = createAutorunStore())
        syncAutorun(settings.isAutoRun, *store, QCoreApplication::applicationFilePath(), autorunMemoryFile());
    m_control->messages().writeDeviceProfile();
}

void Aurivent::receiveMainData(const QStringList &list) { m_control->messages().receiveMainData(list); }
void Aurivent::receiveVaylaMainData(const QStringList &list) { m_control->messages().receiveVaylaMainData(list); }

void Aurivent::receiveRGBData(const QStringList &red, const QStringList &green, const QStringList &blue,
                              const QStringList &bright, int fan)
{
    m_control->messages().receiveRGBData(red, green, blue, bright, fan);
}

void Aurivent::receiveVaylaRGBData(int r, int g, int b, float bright, int fan)
{
    m_control->messages().receiveVaylaRGBData(r, g, b, bright, fan);
}

void Aurivent::showMainView()
{
    if (m_view)
        m_view->showView();
}

void Aurivent::testReceiveFileData(const QStringList &frames, int period)
{
    m_control->script()->testReceiveFileData(frames, period);
}

void Aurivent::runScript() { m_control->script()->runScript(); }

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
