// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What every fuzz target shares: a Qt application for timers and settings,
// log output dropped (refusals are expected by the million), a private data
// folder, and simulated boxes whose state each input starts from afresh.

#include "device/BoxModel.h"
#include "device/DeviceBus.h"
#include "device/Discovery.h"
#include "device/Encoders.h"
#include "device/ProtocolTrace.h"
#include "device/sim/SimulatedBoxes.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <memory>

namespace Fuzz {

inline void dropMessages(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type == QtFatalMsg)
        abort();
}

// Call from LLVMFuzzerInitialize.
inline void start(int *argc, char ***argv)
{
    static int count = *argc;
    static QCoreApplication app(count, *argv);
    qInstallMessageHandler(dropMessages);
    // The settings files of this process, below the temporary folder.
    const QString home = QDir::tempPath() + QStringLiteral("/aurivent-fuzz-%1").arg(QCoreApplication::applicationPid());
    QDir().mkpath(home);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home);
}

// Stops a property check: libFuzzer reports the input that broke it.
inline void require(bool condition)
{
    if (!condition)
        abort();
}

inline void writeFile(const QString &path, const uint8_t *data, size_t size)
{
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        abort();
    file.write(reinterpret_cast<const char *>(data), qint64(size));
}

// A box of five RGB fans at 0 and one of three single-colour fans at 1;
// every call puts the table back as discovery left it.
class Boxes {
public:
    static Boxes &instance()
    {
        static Boxes boxes;
        return boxes;
    }
    BoxModel &model() { return m_model; }
    Encoders &encoders() { return m_encoders; }
    SimulatedBoxes &sim() { return *m_sim; }
    DeviceBus &bus() { return m_bus; }
    void reset()
    {
        // Each box has its own I/O thread: what the last input sent arrives first.
        m_bus.waitForIdle();
        m_model.records() = m_table;
        m_model.setCurrentBox(0);
        m_sim->clearSent();
    }

private:
    Boxes()
    {
        m_model.reset();
        auto sim = std::make_unique<SimulatedBoxes>();
        QString error;
        sim->plugFromSpec(QStringLiteral("1,0"), &error);
        m_sim = sim.get();
        m_sim->setSettleHandler([this] { m_bus.waitForIdle(); });
        m_bus.setTrace(nullptr);
        m_bus.setTransport(std::move(sim));
        setupAllControllerBox(m_model, m_bus);
        m_model[1].boxType = BoxType::Vayla;
        m_table = m_model.records();
    }

    DeviceBus m_bus;
    BoxModel m_model;
    Encoders m_encoders{m_model, m_bus};
    SimulatedBoxes *m_sim = nullptr;
    BoxRecords m_table{};
};

} // namespace Fuzz
