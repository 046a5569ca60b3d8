// Whatever a settings file holds, the user's next change is saved and reads
// back: no key of the old file can stop a save.
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
    const bool deviceFile = data[0] % 2 == 0;
    const QString path = deviceFile ? IniHelper::deviceFilePath() : IniHelper::profilePath(3);
    Fuzz::writeFile(path, data + 1, size - 1);
    if (deviceFile) {
        AppSettings settings;
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), settings, boxes.records());
        settings.Password = QStringLiteral("2468");
        boxes[5].profileValue = 4;
        Fuzz::require(IniHelper::writeDeviceProfile(settings, boxes.records()));
        AppSettings loaded;
        boxes.reset();
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), loaded, boxes.records());
        Fuzz::require(loaded.Password == settings.Password && loaded.updateServer == settings.updateServer);
        Fuzz::require(boxes[5].profileValue == 4);
    } else {
        IniHelper::parseProfile(0, IniHelper::readProfileIni(3), boxes[0]);
        boxes[0].rainbowFan[2].gValue_Led[7] = 123;
        Fuzz::require(IniHelper::writeProfileIni(IniHelper::buildProfileMap(0, boxes[0]), 3));
        IniHelper::parseProfile(1, IniHelper::readProfileIni(3), boxes[1]);
        Fuzz::require(boxes[1].rainbowFan[2].gValue_Led[7] == 123);
    }
    return 0;
}
