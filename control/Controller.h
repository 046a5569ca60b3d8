// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AppState.h"
#include "BoxPresenceLog.h"
#include "ProfileService.h"
#include "ViewMessageHandler.h"
#include "WindowMessages.h"
#include "device/BoxHealth.h"
#include "remote/RemoteHost.h"

#include <QObject>
#include <QString>
#include <QTranslator>
#include <QVariantMap>

class BoxModel;
class BusGlue;
class CommandChannel;
class Core;
class DeviceMonitor;
class FanMonitor;
class HotplugMonitor;
class MainViewInterface;
class Monitoring;
class ScriptRunner;
class SocketHelper;
class SoftwareEffects;
class SyncPacer;

// How the control loop was started.
struct ControlOptions {
    bool simulated = false;
    HotplugMonitor *hotplug = nullptr; // device changes; may be null
    CommandChannel *channel = nullptr; // numbered commands; may be null
    QString metricsListen;             // --metrics=ADDR:PORT; empty: Metrics.ini decides
};

// The program without a window: it reads the stored settings and profiles,
// sends them to the boxes, runs the effects, scripts, the phone server and
// monitoring, and carries out the messages of the views, the phone and the
// numbered commands. The window and the service each own one.
class Controller : public QObject, public AppHost, public RemoteHost, private WindowMessageHost {
    Q_OBJECT
public:
    static constexpr char kVersion[] = "1.0.5";

    Controller(Core &core, const ControlOptions &options, QObject *parent = nullptr);
    ~Controller() override;

    Core &core() { return m_core; }
    AppState &state() { return m_state; }
    BoxModel &boxes() { return m_boxes; }
    ViewMessageHandler &messages() { return m_messages; }
    SoftwareEffects *effects() const { return m_effects; }
    ScriptRunner *script() const { return m_script; }
    SocketHelper *socketHelper() const { return m_socketHelper; }
    Monitoring *monitoring() const { return m_monitoring; }
    DeviceMonitor &devices();
    bool simulated() const { return m_simulated; }
    // The footer line: where a phone reaches this computer.
    QString ipText() const { return m_ipText; }

    // A window shows this control loop: the numbered commands that hide or
    // close it become hideWindowAsked / closeWindowAsked, and those that act
    // on the editors reach `view` (null while the window has no main view).
    // Without a window (the service) hiding does nothing and closing ends
    // the program.
    void attachWindow(MainViewInterface *view);
    void detachWindow();
    // One numbered command, as another program would send it.
    bool handleWindowMessage(int id, int wParam, int lParam);
    // A poll of the fans' speeds now.
    void updateSpeed();
    // The sensor plug-in's lines, told to the view state.
    void showInfo();
    // The view state takes a new picture of the core.
    void syncView();
    // Every temperature-following fan to its cap, flushed to the boxes; once.
    void leaveFansSafeOnExit();
    // A phone's command; its reply goes back to the phone.
    void socketHelperReceiveData(const QVariantMap &data);
    // The set of boxes may have changed: discovery looks again.
    void deviceChanged() override;

    // AppHost
    ViewState &viewState() override;
    LightingTimers &lightingTimers() override;
    void startSpeedPoll() override;
    void stopSpeedPoll() override;
    void loadLanguage(int index) override;
    void showSensorInfo() override;
    void passwordChanged() override;
    void remoteAccessChanged() override;
    const CurveSettings &curveSettings() override;
    void reloadCurves() override;
    FirmwareVersions &firmware() override;

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

signals:
    // A fan stopped (notAnswering false) or a box no longer answers.
    void alertRaised(int box, bool notAnswering);
    // A new language is loaded: texts of the window follow.
    void languageChanged();
    void ipTextChanged(const QString &text);
    // Numbered commands for the attached window.
    void hideWindowAsked();
    void closeWindowAsked();
    // The current box loaded profile `profile`: the window's buttons, the
    // numbered command, the phone or the D-Bus call.
    void profileLoaded(int profile);

private:
    // WindowMessageHost
    void hideApplicationWindow() override;
    void closeApplicationWindow() override;
    MainViewInterface *mainView() override;

    void buildIpText();
    void showConnectionMap(const QString &map);
    // Box `box` was opened again or answers again: it gets its settings.
    void resendSettings(int box);
    void showFanReading(int box);
    void showBoxHealth(BoxHealth health, int box);

    Core &m_core;
    BoxModel &m_boxes;
    AppState m_state;
    ProfileService m_profiles;
    ViewMessageHandler m_messages;
    WindowMessages m_windowMessages;
    bool m_simulated = false;
    bool m_fansLeftSafe = false;
    BoxPresenceLog m_boxPresence;
    QTranslator m_translator;
    QString m_ipText;
    HotplugMonitor *m_hotplug = nullptr;
    CommandChannel *m_channel = nullptr;
    bool m_hasWindow = false;
    MainViewInterface *m_windowView = nullptr;
    FanMonitor *m_fans = nullptr;
    DeviceMonitor *m_monitor = nullptr;
    SocketHelper *m_socketHelper = nullptr;
    SoftwareEffects *m_effects = nullptr;
    ScriptRunner *m_script = nullptr;
    Monitoring *m_monitoring = nullptr; // history, alerts and metrics
    SyncPacer *m_phoneSync = nullptr;
    BusGlue *m_busGlue = nullptr; // the D-Bus interface
};
