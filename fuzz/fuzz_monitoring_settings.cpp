// SPDX-License-Identifier: GPL-3.0-or-later
// Alerts.ini and Metrics.ini as a user or another program may have left
// them: every value read back is within its range.
#include "FuzzSupport.h"

#include "alerts/AlertSettings.h"
#include "metrics/MetricsSettings.h"
#include "storage/IniFile.h"

#include <QDir>
#include <QHostAddress>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto contents = IniFile::parse(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    const AlertSettings a = AlertSettingsFile::parse(*contents);
    Fuzz::require(a.timing.warmUpSeconds >= 0 && a.timing.warmUpSeconds <= 3600);
    Fuzz::require(a.timing.recoverSeconds >= 0 && a.timing.recoverSeconds <= 3600);
    Fuzz::require(a.timing.temperatureLostSeconds >= 1 && a.timing.temperatureLostSeconds <= 3600);
    Fuzz::require(a.commandSeconds >= 1 && a.commandSeconds <= 300);
    Fuzz::require(a.soundFile.isEmpty() || QDir::isAbsolutePath(a.soundFile));
    for (const AlertAction &action : a.actions)
        Fuzz::require(action.command.isEmpty() || QDir::isAbsolutePath(action.command));
    Fuzz::require(a.limits.size() <= AlertSettings::kMaxLimits);
    for (const TemperatureLimit &l : a.limits)
        Fuzz::require(!l.source.isEmpty() && l.celsius >= 20 && l.celsius <= 150 && l.seconds >= 0 && l.seconds <= 3600);

    const MetricsSettings m = MetricsSettingsFile::parse(*contents);
    Fuzz::require(!QHostAddress(m.address).isNull());
    Fuzz::require(m.port >= 1 && m.port <= 65535);
    Fuzz::require(m.textfile.isEmpty() || (QDir::isAbsolutePath(m.textfile) && m.textfile.endsWith(QLatin1String(".prom"))));
    Fuzz::require(m.textfileSeconds >= 1 && m.textfileSeconds <= 3600);
    return 0;
}
