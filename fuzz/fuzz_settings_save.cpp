// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever a settings file holds, the user's next change is saved and reads
// back: no key of the old file can stop a save. The new file is composed and
// read back in memory, as a save does before it goes to the disk.
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
    const bool deviceFile = data[0] % 2 == 0;
    const auto old = IniFile::parse(QByteArray(reinterpret_cast<const char *>(data + 1), int(size - 1)));
    QByteArray saved;
    std::unique_ptr<IniFile::Contents> back;
    if (deviceFile) {
        AppSettings settings;
        IniHelper::parseDeviceData(IniHelper::deviceDataFrom(*old), settings, boxes.records());
        settings.Password = QStringLiteral("2468");
        boxes[5].profileValue = 4;
        Fuzz::require(IniFile::compose(*old, IniHelper::buildDeviceMap(settings, boxes.records()), "fuzz", &saved, &back));
        AppSettings loaded;
        BoxModel again;
        IniHelper::parseDeviceData(IniHelper::deviceDataFrom(*back), loaded, again.records());
        Fuzz::require(loaded.Password == settings.Password && loaded.updateServer == settings.updateServer);
        Fuzz::require(loaded.remoteAccess == settings.remoteAccess);
        Fuzz::require(again[5].profileValue == 4);
    } else {
        IniHelper::parseProfile(0, IniHelper::profileDataFrom(*old), boxes[0]);
        boxes[0].rainbowFan[2].gValue_Led[7] = 123;
        Fuzz::require(IniFile::compose(*old, IniHelper::buildProfileMap(0, boxes[0]), "fuzz", &saved, &back));
        IniHelper::parseProfile(1, IniHelper::profileDataFrom(*back), boxes[1]);
        Fuzz::require(boxes[1].rainbowFan[2].gValue_Led[7] == 123);
    }
    return 0;
}
