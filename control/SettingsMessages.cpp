// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Logging.h"

// The main view's own messages: box, profile, language and settings.
#include "ViewMessageHandler.h"
#include "CurveChoice.h"

#include "AppState.h"
#include "ViewMessageRules.h"
#include "ProfileService.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanSpeed.h"
#include "lighting/LightModes.h"
#include "storage/IniHelper.h"
#include "viewmsg/MessageNames.h"

#include <QDebug>

namespace {

namespace N = MessageName;

// A password is what the keypad can type: digits only.
bool isPasswordText(const QString &text)
{
    if (text.isEmpty() || text.size() > 16)
        return false;
    for (const QChar c : text) {
        if (!c.isDigit() || c.unicode() > '9')
            return false;
    }
    return true;
}

void saveDevice(MessageCall &c)
{
    const QString password = c.m.textAt(2);
    if (!isPasswordText(password)) {
        qCWarning(lcApp) << "saveDevice refused: a password is digits only (" << password.size() << "characters given)";
        return;
    }
    c.state.settings.Password = password;
    c.handler.writeDeviceProfile();
    c.host.passwordChanged();
}

void passwordOn(MessageCall &c)
{
    c.state.settings.OpenPassword = c.m.flagAt(1);
    c.handler.writeDeviceProfile();
    c.host.passwordChanged();
}

void remoteAccess(MessageCall &c)
{
    c.state.settings.remoteAccess = c.target;
    c.handler.writeDeviceProfile();
    c.host.remoteAccessChanged();
}

void autoUpdate(MessageCall &c)
{
    c.state.settings.isStartAutoUpdate = c.m.flagAt(1);
    c.handler.writeDeviceProfile();
}

void changeBox(MessageCall &c)
{
    qCDebug(lcApp) << "changeControllerBox:" << c.target;
    c.handler.changeBox(c.target);
}

void saveProfile(MessageCall &c)
{
    c.handler.saveProfile();
}

void changeLanguage(MessageCall &c)
{
    c.state.settings.languageIndex = c.target;
    c.host.loadLanguage(c.target); // loads nothing outside 0..6
    c.handler.writeDeviceProfile();
}

void selectProfile(MessageCall &c)
{
    const int profile = c.target + 1;
    qCDebug(lcApp) << "selectProfile_" << profile;
    c.handler.selectProfile(profile);
}

void copyProfile(MessageCall &c)
{
    const int profile = c.target + 1;
    qCDebug(lcApp) << "copyProfile to" << profile;
    c.handler.copyProfileTo(profile);
}

void selectBoxType(MessageCall &c)
{
    c.handler.changeBoxType(c.box, c.target);
}

void showInfo(MessageCall &c)
{
    c.host.showSensorInfo();
}

void chooseCurve(MessageCall &c)
{
    // Saved with the profile, as the fan's other settings.
    chooseFanCurveNamed(c.boxes, c.host.curveSettings(), c.m.textAt(2), c.target);
}

} // namespace

const MessageRules &settingsRules()
{
    static const MessageRules rules = {
        {N::saveDevice, {3, {}}, saveDevice},
        {N::password, {2, {}}, passwordOn},
        {N::remoteAccess, {2, {{1, 0, 2, "remote access", true}}}, remoteAccess},
        {N::autoUpdate, {2, {}}, autoUpdate},
        {N::changeControllerBox, {2, {}}, changeBox},
        {N::saveProfile, {1, {}}, saveProfile},
        {N::changeLanguage, {2, {}}, changeLanguage},
        {N::selectProfile, {2, {{1, 0, kProfileCount - 1, "profile index"}}}, selectProfile},
        {N::copyProfile, {2, {{1, 0, kProfileCount - 1, "profile index"}}}, copyProfile},
        {N::selectBoxType, {2, {{1, BoxType::Vayla, BoxType::Rainbow, "box type"}}}, selectBoxType},
        {N::showInfo, {1, {}}, showInfo},
        {N::fanCurve, {3, {{1, 0, kRainbowFanCount - 1, "fan"}}}, chooseCurve},
        {N::curvesSaved, {1, {}}, [](MessageCall &c) { c.host.reloadCurves(); }},
    };
    return rules;
}

void ViewMessageHandler::changeBoxType(int box, int type)
{
    if (!isValidBox(box))
        return;
    ControllerBox &record = m_boxes[box];
    if (record.boxType == type)
        return;
    qCInfo(lcApp) << "box" << box + 1 << "drives"
                  << (type == BoxType::Vayla ? "three single-colour fans" : "five 12-LED fans");
    // What the old kind showed goes: its readings and stopped marks, and
    // alarms about ports the box may not even have.
    m_boxes.forgetReadings(box);
    record.boxType = type;
    for (RainbowFanRecord &fan : record.rainbowFan)
        fan.isAlarmShown = false;
    for (VaylaFanRecord &fan : record.vaylaFan)
        fan.isAlarmShown = false;
    writeDeviceProfile();

    // The box's own profile of its new kind, sent as at start-up; the speed
    // poll asks the new kind's ports from its next pass on.
    m_profiles.loadOwn(box);
    if (record.gIsConnected)
        m_profiles.apply(box, m_host.lightingTimers(), Resend::Startup);
}
