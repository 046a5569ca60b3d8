// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/Controller.h"

#include <QMainWindow>

#include <QStringList>
#include <QSystemTrayIcon>
#include <QVariantMap>

#include <memory>

class AlertView;
class AutoUpdate;
class CommandChannel;
class Core;
class GraphsOpener;
class HistoryReader;
class HotplugMonitor;
class MainView;
class SocketHelper;
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

// The application window: never seen itself, it owns the control loop, the
// tray, the alert, the main view and the graphs, and hands the views' and the
// tray's wishes to the control loop.
class Aurivent : public QMainWindow {
    Q_OBJECT
public:
    static const char *const kVersion;
    static const char *const kTitle;

    explicit Aurivent(Core &core, const StartOptions &options = StartOptions(), QWidget *parent = nullptr);
    ~Aurivent() override;

    Controller &control() { return *m_control; }
    Core &core() { return m_control->core(); }
    AppState &state() { return m_control->state(); }
    BoxModel &boxes() { return m_control->boxes(); }
    MainView *view() const { return m_view; }
    SoftwareEffects *effects() const { return m_control->effects(); }
    SocketHelper *socketHelper() const { return m_control->socketHelper(); }
    // One numbered command, as another program would send it.
    bool handleWindowMessage(int id, int wParam, int lParam) { return m_control->handleWindowMessage(id, wParam, lParam); }
    int currentProfile() const { return m_control->currentProfile(); }
    void startSpeedPoll() { m_control->startSpeedPoll(); }
    void stopSpeedPoll() { m_control->stopSpeedPoll(); }
    void applyBoxSettings(int box) { m_control->applyBoxSettings(box); }
    void deviceChanged() { m_control->deviceChanged(); }

public slots:
    void alertViewReceiveData(const QString &text);
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void socketHelperReceiveData(const QVariantMap &data) { m_control->socketHelperReceiveData(data); }
    void updateSpeed() { m_control->updateSpeed(); }
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
    // The numbered command that closes the window.
    void closeWindow();

    static QString autorunMemoryFile();
    void showAlert(int box, bool notAnswering);
    void retranslate();
    void createMainView(bool show);

    std::unique_ptr<Controller> m_control;
    bool m_simulated = false;
    bool m_headless = false;
    HotplugMonitor *m_hotplug = nullptr;
    Tray *m_tray = nullptr;
    AutoUpdate *m_update = nullptr;
    AlertView *m_alert = nullptr;
    std::unique_ptr<HistoryReader> m_historyReader; // the graphs' view of the control loop's monitoring
    GraphsOpener *m_graphs = nullptr;
    MainView *m_view = nullptr;
};
