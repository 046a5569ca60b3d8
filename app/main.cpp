#include "CommandLine.h"
#include "DeviceSetup.h"
#include "device/BoxTable.h"
#include "device/Discovery.h"
#include "device/HotplugMonitor.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTimer>

#include <cstdio>

namespace {

// Until the application window exists, the entry function itself hosts discovery.
class StartupHost final : public DiscoveryHost {
public:
    QTimer speedPoll;

    void startSpeedPoll() override
    {
        if (!speedPoll.isActive())
            speedPoll.start(1000);
    }
    void stopSpeedPoll() override { speedPoll.stop(); }
    void setCurrentProfile(int profile) override { currentProfile = profile; }
    void announceConnectionMap(const QString &) override {}
    void checkBoxButton(int) override {}
    void setBoxButtonPresent(int, bool) override {}
    void resetFanView() override {}

    int currentProfile = 1;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const CommandLine line = CommandLine::parse(app.arguments());
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "Aurivent: %s\n", qPrintable(line.error));
        return 2;
    }

    HotplugMonitor hotplug;
    DeviceSetup devices;
    QString error;
    if (!devices.apply(line, &hotplug, &app, &error)) {
        std::fprintf(stderr, "Aurivent: %s\n", qPrintable(error));
        return 2;
    }
    if (devices.simulator)
        qDebug() << "simulated boxes:" << line.simulate;

    StartupHost host;
    resetControllers(host);
    hotplug.start();
    QObject::connect(&hotplug, &HotplugMonitor::deviceSetMayHaveChanged, &app,
                     [&host] { handleDeviceChange(host); });
    return app.exec();
}
