// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AppState.h"
#include "BoxPresenceLog.h"
#include "ProfileService.h"
#include "device/BoxModel.h"
#include "ViewMessageHandler.h"
#include "WindowMessages.h"
#include "device/BoxHealth.h"
#include "remote/RemoteHost.h"

#include <QMainWindow>

#include <memory>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QTranslator>
#include <QVariantMap>

#include <memory>

class AlertView;
class Core;
class AutoUpdate;
class CommandChannel;
class DeviceMonitor;
class FanMonitor;
class HotplugMonitor;
class MainView;
class QTimer;
class ScriptRunner;
class SocketHelper;
class SyncPacer;
class SoftwareEffects;
class Tray;

// How the program was started.
struct StartOptions {
    bool simulated = false;
    HotplugMonitor *hotplug = nullptr; // device changes; may be null
    CommandChannel *channel = nullptr; // numbered commands; may be null
    bool headless = false;             // no window, no tray: the control loop alone
    bool minimized = false;            // the main view starts hidden (in the tray)
    QString metricsListen;             // --metrics=ADDR:PORT; empty: Metrics.ini decides
};

// The application window: never seen itself, it owns the program's state at
// run time, the tray, the timers and the windows, and carries the slots
// through which every view, timer and the phone act on the boxes.
class Monitoring;
class GraphsOpener;
class HistoryReader;

class Aurivent : public QMainWindow,
                 public AppHost,
                 public RemoteHost,
                 public WindowMessageHost {
    Q_OBJECT
public:
    static const char *const kVersion;
    static const char *const kTitle;
    // How long the boxes get in all to take their last reports on exit.
    static constexpr int kExitFlushMs = 1000;

    explicit Aurivent(Core &core, const StartOptions &options = StartOptions(), QWidget *parent = nullptr);
    ~Aurivent() override;

    Core &core() { return m_core; }
    AppState &state() { return m_state; }
    BoxModel &boxes() { return m_boxes; }
    MainView *view() const { return m_view; }
    SoftwareEffects *effects() const { return m_effects; }
    SocketHelper *socketHelper() const { return m_socketHelper; }
    // One numbered command, as another program would send it.
    bool handleWindowMessage(int id, int wParam, int lParam);

    // AppHost
    ViewState &viewState() override;
    LightingTimers &lightingTimers() override;
    void startSpeedPoll() override;
    void stopSpeedPoll() override;
    void loadLanguage(int index) override;
    void showSensorInfo() override;
    void passwordChanged() override;
    void remoteAccessChanged() override;

    // RemoteHost
    void setCurrentProfile(int profile) override;
    void stopMusic() override;
    void startMusicEffectTimer() override;
    void setPhoneLevel(int level) override;
    void applyBoxSettings(int box) override;
    void loadProfile(int box, int profile) override;
    QList<QStringList> readProfile(int profile) override;
    void saveBoxProfile(int box) override;
    int currentProfile() const override;
    void refreshFanPanels(int box) override;
    void setProfileLabel(int profile) override;
    void checkProfileButton(int profile) override;

    // WindowMessageHost
    void hideApplicationWindow() override;
    void closeApplicationWindow() override;
    void deviceChanged() override;
    MainViewInterface *mainView() override;

    // Every temperature-following fan to its cap, flushed to the boxes; once.
    void leaveFansSafeOnExit();

public slots:
    void alertViewReceiveData(const QString &text);
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void socketHelperReceiveData(const QVariantMap &data);
    void updateSpeed();
    void showInfo();
    void trayIconAction();
    void receiveMainData(const QStringList &list);
    void receiveVaylaMainData(const QStringList &list);
    void receiveRGBData(const QStringList &red, const QStringList &green, const QStringList &blue,
                        const QStringList &bright, int fan);
    void receiveVaylaRGBData(int r, int g, int b, float bright, int fan);
    void showMainView();
    void testReceiveFileData(const QStringList &frames, int period);
    void runScript();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;

private:
    static QString autorunMemoryFile();
    void buildIpText();
    void showAlert(int box, bool notAnswering);
    // Box `box` was opened again or answers again: it gets its settings.
    void resendSettings(int box);
    void showConnectionMap(const QString &map);
    void showFanReading(int box, int fan, int rpm, bool stopped);
    void showBoxHealth(int box, BoxHealth health);
    void createMainView(bool show);
    // The view state takes a new picture of the core.
    void syncView();

    Core &m_core;
    BoxModel &m_boxes;
    AppState m_state;
    ProfileService m_profiles;
    ViewMessageHandler m_messages;
    WindowMessages m_windowMessages;
    QString m_prefix;
    bool m_simulated = false;
    bool m_headless = false;
    BoxPresenceLog m_boxPresence;
    bool m_fansLeftSafe = false;
    FanMonitor *m_fans = nullptr;
    DeviceMonitor *m_monitor = nullptr;
    QTranslator m_translator;
    Tray *m_tray = nullptr;
    AutoUpdate *m_update = nullptr;
    AlertView *m_alert = nullptr;
    SocketHelper *m_socketHelper = nullptr;
    SoftwareEffects *m_effects = nullptr;
    Monitoring *m_monitoring = nullptr; // history, alerts and metrics
    std::unique_ptr<HistoryReader> m_historyReader; // the graphs' view of m_monitoring
    GraphsOpener *m_graphs = nullptr;
    ScriptRunner *m_script = nullptr;
    MainView *m_view = nullptr;
    HotplugMonitor *m_hotplug = nullptr;
    CommandChannel *m_channel = nullptr;
    SyncPacer *m_phoneSync = nullptr;
    QString m_ipText;
};
