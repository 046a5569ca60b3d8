// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemoteCommands.h"

#include "RemoteData.h"
#include "RemoteHost.h"
#include "RemoteReplies.h"

#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/LightDispatch.h"

#include <QDebug>

#include <functional>

using namespace RemoteData;

namespace RemoteCommands {

namespace {

// The selections and the data map of one command.
struct Request {
    const Encoders &encoders;
    BoxModel &model;
    QVariantMap data;
    Selection<kBoxCount> boxes;
    Selection<kRainbowFanCount> fans;
    Selection<kColorEntries> entries;

    Request(const Encoders &e, const QVariantMap &d)
        : encoders(e),
          model(e.boxes()),
          data(d),
          boxes(selection<kBoxCount>(d, QStringLiteral("BoxNum"))),
          fans(selection<kRainbowFanCount>(d, QStringLiteral("FanNum"))),
          entries(selection<kColorEntries>(d, QStringLiteral("LED1")))
    {
    }

    bool selectsConnected(int box) const { return boxes[box] && model[box].gIsConnected; }

    int firstConnected() const
    {
        for (int b = 0; b < kBoxCount; ++b)
            if (selectsConnected(b))
                return b;
        return -1;
    }

    // Every target fan: selected fans of the selected connected boxes.
    void forEachFan(const std::function<void(int box, int fan, RainbowFanRecord &)> &f) const
    {
        for (int b = 0; b < kBoxCount; ++b) {
            if (!selectsConnected(b))
                continue;
            for (int k = 0; k < kRainbowFanCount; ++k)
                if (fans[k])
                    f(b, k, model[b].rainbowFan[k]);
        }
    }
};

struct Modes {
    int colorMode = 0;
    int lightMode = 0;
    int lightSpeed = 0;
};

bool readColorMode(const QVariantMap &data, int *out)
{
    return readInt(data, QStringLiteral("ColorMode"), 0, ColorMode::Count - 1, out);
}

bool readLightSpeed(const QVariantMap &data, int *out)
{
    return readInt(data, QStringLiteral("Speed"), 0, LightSpeed::Count - 1, out);
}

bool readModes(const QVariantMap &data, Modes *out)
{
    return readColorMode(data, &out->colorMode)
        && readInt(data, QStringLiteral("LightMode"), 0, LightMode::Count - 1, &out->lightMode)
        && readLightSpeed(data, &out->lightSpeed);
}

bool readProfileNumber(const QVariantMap &data, int *out)
{
    return readInt(data, QStringLiteral("Profile"), 1, kProfileCount, out);
}

void setEntry(RainbowFanRecord &fan, int entry, const Colour &c)
{
    fan.rValue_Led[entry] = c.r;
    fan.gValue_Led[entry] = c.g;
    fan.bValue_Led[entry] = c.b;
}

void setEntry(RainbowFanRecord &fan, int entry, const Colour &c, float bright)
{
    setEntry(fan, entry, c);
    fan.brightValue[entry] = bright;
}

// The whole-fan entry in "Single", else each selected LED 0..11.
template <typename Set>
void setSingleOrLeds(const Request &req, int colorMode, Set set)
{
    if (colorMode == ColorMode::Single) {
        set(kSingleColorEntry);
        return;
    }
    for (int e = 0; e < kLedCount; ++e)
        if (req.entries[e])
            set(e);
}

void setModes(RainbowFanRecord &fan, const Modes &m)
{
    fan.colorMode = m.colorMode;
    fan.lightMode = m.lightMode;
    fan.lightSpeed = m.lightSpeed;
}

// The modes the program animates (8..14) are left to their timers.
void ledsOnAndApply(const Encoders &encoders, int box, int fan, RainbowFanRecord &r)
{
    r.isTurnOffLed = false;
    sendStoredLighting(encoders, box, fan);
}

// Commands 0 and 3.
bool setModesCommand(const Request &req, RemoteHost &host)
{
    Modes m;
    if (!readModes(req.data, &m))
        return false;
    host.stopMusic();
    req.forEachFan([&](int b, int k, RainbowFanRecord &r) {
        setModes(r, m);
        ledsOnAndApply(req.encoders, b, k, r);
    });
    return true;
}

// Command 1: the colour goes where the fan's own colour mode shows it.
bool colourCommand(const Request &req, RemoteHost &host)
{
    Colour c;
    if (!readColour(req.data, &c))
        return false;
    host.stopMusic();
    req.forEachFan([&](int b, int k, RainbowFanRecord &r) {
        if (r.colorMode == ColorMode::RGB) {
            for (int e = 0; e < kColorEntries; ++e)
                if (req.entries[e])
                    setEntry(r, e, c);
        } else if (r.colorMode == ColorMode::Single) {
            setEntry(r, kSingleColorEntry, c);
        }
        ledsOnAndApply(req.encoders, b, k, r);
    });
    return true;
}

// Commands 2 and 9 (9 leaves the colours when any component is zero).
bool colourAndModesCommand(const Request &req, RemoteHost &host, bool onlyFullColour)
{
    Colour c;
    Modes m;
    if (!readColour(req.data, &c) || !readModes(req.data, &m))
        return false;
    const bool takeColour = !onlyFullColour || (c.r != 0 && c.g != 0 && c.b != 0);
    host.stopMusic();
    req.forEachFan([&](int b, int k, RainbowFanRecord &r) {
        if (takeColour)
            for (int e = 0; e < kColorEntries; ++e)
                if (req.entries[e])
                    setEntry(r, e, c);
        setModes(r, m);
        ledsOnAndApply(req.encoders, b, k, r);
    });
    return true;
}

// Commands 4 and 6: colour and brightness, then the given light mode.
bool effectWithColourCommand(const Request &req, RemoteHost &host, int lightMode)
{
    Colour c;
    Modes m;
    float bright = 0.0f;
    if (!readColorMode(req.data, &m.colorMode) || !readColour(req.data, &c) || !readBright(req.data, &bright)
        || !readLightSpeed(req.data, &m.lightSpeed))
        return false;
    m.lightMode = lightMode;
    host.stopMusic();
    req.forEachFan([&](int b, int k, RainbowFanRecord &r) {
        setSingleOrLeds(req, m.colorMode, [&](int e) { setEntry(r, e, c, bright); });
        setModes(r, m);
        ledsOnAndApply(req.encoders, b, k, r);
    });
    return true;
}

// Command 5: "Whirl" with per-LED colours; the colour mode stays.
bool whirlCommand(const Request &req, RemoteHost &host)
{
    Colour c;
    float bright = 0.0f;
    int speed = 0;
    if (!readColour(req.data, &c) || !readBright(req.data, &bright) || !readLightSpeed(req.data, &speed))
        return false;
    host.stopMusic();
    req.forEachFan([&](int b, int k, RainbowFanRecord &r) {
        setSingleOrLeds(req, ColorMode::RGB, [&](int e) { setEntry(r, e, c, bright); });
        r.lightMode = LightMode::Whirl;
        r.lightSpeed = speed;
        ledsOnAndApply(req.encoders, b, k, r);
    });
    return true;
}

// Command 7: the phone's music level, or stop.
bool phoneMusicCommand(const Request &req, RemoteHost &host)
{
    int status = 0;
    if (!readNumber(req.data, QStringLiteral("Status"), &status))
        return false;
    if (status != 1) {
        host.stopMusic();
        return true;
    }
    int volume = 0;
    int musicMode = 0;
    int colorMode = 0;
    Colour c;
    if (!readClamped(req.data, QStringLiteral("Volume"), 0, 100, &volume)
        || !readInt(req.data, QStringLiteral("MusicMode"), 0, LightMode::Count - 1, &musicMode)
        || !readColorMode(req.data, &colorMode) || !readColour(req.data, &c))
        return false;
    host.startMusicEffectTimer();
    host.setPhoneLevel(volume);
    req.forEachFan([&](int, int, RainbowFanRecord &r) {
        r.lightMode = musicMode;
        setSingleOrLeds(req, colorMode, [&](int e) { setEntry(r, e, c); });
        r.isTurnOffLed = false;
        r.colorMode = colorMode;
    });
    return true;
}

// Command 8: "Whirl" with the default palette as preview.
bool defaultCommand(const Request &req, RemoteHost &host)
{
    host.stopMusic();
    req.forEachFan([&](int b, int k, RainbowFanRecord &r) {
        r.lightMode = LightMode::Whirl;
        r.isTurnOffLed = false;
        req.encoders.sendCommand_Default(b, k, req.model.currentBox());
    });
    return true;
}

// Command 11: LEDs off (Status non-zero) or on.
bool turnOffCommand(const Request &req)
{
    int status = 0;
    if (!readNumber(req.data, QStringLiteral("Status"), &status))
        return false;
    req.forEachFan([&](int b, int k, RainbowFanRecord &r) {
        r.isTurnOffLed = status != 0;
        sendStoredLighting(req.encoders, b, k);
    });
    return true;
}

void refreshIfCurrent(const BoxModel &model, int box, RemoteHost &host)
{
    if (box == model.currentBox())
        host.refreshFanPanels(box);
}

// Command 12: set the fans, save the first selected box's profile, and
// re-apply every box on the current profile.
bool saveProfileCommand(const Request &req, RemoteHost &host)
{
    int profile = 0;
    int status = 0;
    Modes m;
    Colour c;
    float bright = 0.0f;
    // Bright comes in tenths here too: stored undivided it would drive the
    // colour bytes past 255.
    if (!readProfileNumber(req.data, &profile) || !readModes(req.data, &m) || !readColour(req.data, &c)
        || !readBright(req.data, &bright) || !readNumber(req.data, QStringLiteral("Status"), &status))
        return false;
    host.stopMusic();
    for (int b = 0; b < kBoxCount; ++b) {
        if (!req.selectsConnected(b))
            continue;
        req.model[b].profileValue = profile;
        if (b == req.model.currentBox()) {
            host.setCurrentProfile(profile);
            host.setProfileLabel(profile);
        }
    }
    req.forEachFan([&](int b, int k, RainbowFanRecord &r) {
        setSingleOrLeds(req, m.colorMode, [&](int e) { setEntry(r, e, c, bright); });
        setModes(r, m);
        r.isTurnOffLed = status != 0;
        sendStoredLighting(req.encoders, b, k);
    });
    const int first = req.firstConnected();
    if (first < 0)
        return true;
    host.saveBoxProfile(first);
    const int current = host.currentProfile();
    for (int b = 0; b < kBoxCount; ++b) {
        if (!req.model[b].gIsConnected || req.model[b].profileValue != current)
            continue;
        host.loadProfile(b, current);
        refreshIfCurrent(req.model, b, host);
        host.applyBoxSettings(b);
        req.encoders.sendCommand_SaveSettings(b);
    }
    return true;
}

QString fileReply(const BoxModel &model, int resType, int box, RemoteHost &host)
{
    const int profile = model[box].profileValue;
    if (!isValidProfileNumber(profile)) {
        qWarning() << "remote reply refused: box" << box << "profile" << profile;
        return QString();
    }
    return RemoteReplies::profileFileReply(resType, profile, host.readProfile(profile));
}

// Command 14: load a profile into the selected boxes; reply from the file.
bool loadProfileCommand(const Request &req, RemoteHost &host, QString *reply)
{
    int profile = 0;
    if (!readProfileNumber(req.data, &profile))
        return false;
    for (int b = 0; b < kBoxCount; ++b) {
        if (!req.selectsConnected(b))
            continue;
        req.model[b].profileValue = profile;
        host.loadProfile(b, profile);
        host.applyBoxSettings(b);
        if (b == req.model.currentBox()) {
            host.refreshFanPanels(b);
            host.checkProfileButton(profile);
            // The window's own save must not write the shown profile elsewhere.
            host.setCurrentProfile(profile);
        }
    }
    const int first = req.firstConnected();
    if (first >= 0)
        *reply = fileReply(req.model, 15, first, host);
    return true;
}

// Command 16: brightness only.
bool brightnessCommand(const Request &req)
{
    float bright = 0.0f;
    int colorMode = 0;
    if (!readBright(req.data, &bright) || !readColorMode(req.data, &colorMode))
        return false;
    req.forEachFan([&](int b, int k, RainbowFanRecord &r) {
        setSingleOrLeds(req, colorMode, [&](int e) { r.brightValue[e] = bright; });
        sendStoredLighting(req.encoders, b, k);
    });
    return true;
}

} // namespace

QString execute(const QVariantMap &command, Encoders &encoders, RemoteHost &host)
{
    const BoxModel &boxes = encoders.boxes();
    int number = 0;
    if (!strictInt(command.value(QStringLiteral("command")), &number)) {
        qWarning() << "remote command refused: no command number:" << command.value(QStringLiteral("command"));
        return QString();
    }
    const Request req(encoders, command.value(QStringLiteral("Data")).toMap());
    QString reply;
    bool done = true;
    switch (number) {
    case 0:
    case 3: done = setModesCommand(req, host); break;
    case 1: done = colourCommand(req, host); break;
    case 2: done = colourAndModesCommand(req, host, false); break;
    case 4: done = effectWithColourCommand(req, host, LightMode::Breath); break;
    case 5: done = whirlCommand(req, host); break;
    case 6: done = effectWithColourCommand(req, host, LightMode::Light); break;
    case 7: done = phoneMusicCommand(req, host); break;
    case 8: done = defaultCommand(req, host); break;
    case 9: done = colourAndModesCommand(req, host, true); break;
    case 11: done = turnOffCommand(req); break;
    case 12: done = saveProfileCommand(req, host); break;
    case 13: {
        const int first = req.firstConnected();
        if (first >= 0)
            reply = fileReply(boxes, 13, first, host);
        break;
    }
    case 14: done = loadProfileCommand(req, host, &reply); break;
    case 15: {
        const int first = req.firstConnected();
        if (first >= 0)
            reply = RemoteReplies::liveProfileReply(boxes[first]);
        break;
    }
    case 16: done = brightnessCommand(req); break;
    default: break;
    }
    if (!done) {
        qWarning() << "remote command refused:" << number;
        return QString();
    }
    if (isValidBox(boxes.currentBox()) && req.selectsConnected(boxes.currentBox()))
        host.refreshFanPanels(boxes.currentBox());
    return reply;
}

} // namespace RemoteCommands
