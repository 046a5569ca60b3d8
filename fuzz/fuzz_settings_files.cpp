// SPDX-License-Identifier: GPL-3.0-or-later
// The device file and both kinds of profile as a user or another program may
// have left them: parsed from memory and taken into box records and the
// settings, as start-up does after reading the file.
#include "FuzzSupport.h"

#include "storage/IniFile.h"
#include "storage/IniHelper.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    BoxModel boxes;
    const int kind = data[0] % 3;
    const auto file = IniFile::parse(QByteArray(reinterpret_cast<const char *>(data + 1), int(size - 1)));
    if (kind == 0) {
        AppSettings settings;
        IniHelper::parseDeviceData(IniHelper::deviceDataFrom(*file), settings, boxes.records());
        for (int box = 0; box < kBoxCount; ++box)
            Fuzz::require(isValidProfileNumber(boxes[box].profileValue));
        Fuzz::require(settings.remoteAccess >= 0 && settings.remoteAccess <= 2);
        // Only a value that reads as one of the three choices opens the network.
        const QString access = IniFile::readText(*file, QStringLiteral("Main/RemoteAccess"));
        if (settings.remoteAccess == 2)
            Fuzz::require(access.isNull() || access.trimmed() == QLatin1String("2"));
    } else if (kind == 1) {
        IniHelper::parseProfile(2, IniHelper::profileDataFrom(*file), boxes[2]);
        for (const RainbowFanRecord &fan : boxes[2].rainbowFan) {
            Fuzz::require(LightMode::isValid(fan.lightMode));
            for (int i = 0; i < kColorEntries; ++i)
                Fuzz::require(fan.brightValue[i] >= 0.0f && fan.brightValue[i] <= 1.0f && fan.rValue_Led[i] >= 0
                              && fan.rValue_Led[i] <= 255);
        }
    } else {
        IniHelper::parseVaylaProfile(2, IniHelper::vaylaProfileDataFrom(*file), boxes[2]);
        for (const VaylaFanRecord &fan : boxes[2].vaylaFan)
            Fuzz::require(fan.brightValue >= 0.0f && fan.brightValue <= 1.0f && fan.rValue >= 0 && fan.rValue <= 255);
    }
    return 0;
}
