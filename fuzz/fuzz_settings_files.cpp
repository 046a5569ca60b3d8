// The device file and both kinds of profile as a user or another program may
// have left them: read and taken into box records and the settings.
#include "FuzzSupport.h"

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
    const int profile = 1 + (data[0] / 3) % 5;
    const QString path = kind == 0 ? IniHelper::deviceFilePath()
                         : kind == 1 ? IniHelper::profilePath(profile)
                                     : IniHelper::vaylaProfilePath(profile);
    Fuzz::writeFile(path, data + 1, size - 1);
    if (kind == 0) {
        AppSettings settings;
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), settings, boxes.records());
        for (int box = 0; box < kBoxCount; ++box)
            Fuzz::require(isValidProfileNumber(boxes[box].profileValue));
    } else if (kind == 1) {
        IniHelper::parseProfile(2, IniHelper::readProfileIni(profile), boxes[2]);
        for (const RainbowFanRecord &fan : boxes[2].rainbowFan) {
            Fuzz::require(LightMode::isValid(fan.lightMode));
            for (int i = 0; i < kColorEntries; ++i)
                Fuzz::require(fan.brightValue[i] >= 0.0f && fan.brightValue[i] <= 1.0f && fan.rValue_Led[i] >= 0
                              && fan.rValue_Led[i] <= 255);
        }
    } else {
        IniHelper::parseVaylaProfile(2, IniHelper::readVaylaProfileIni(profile), boxes[2]);
        for (const VaylaFanRecord &fan : boxes[2].vaylaFan)
            Fuzz::require(fan.brightValue >= 0.0f && fan.brightValue <= 1.0f && fan.rValue >= 0 && fan.rValue <= 255);
    }
    return 0;
}
