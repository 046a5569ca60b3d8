#include "common/Logging.h"

// The main view's own messages: box, profile, language and settings.
#include "ViewMessageHandler.h"

#include "AppState.h"
#include "ViewMessages.h"
#include "FanViewRefresh.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanMonitor.h"
#include "lighting/LightModes.h"
#include "storage/IniHelper.h"
#include "ui/MainViewInterface.h"

#include <QDebug>

namespace {

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

} // namespace

bool ViewMessageHandler::handleSettingsCommand(const ViewMessage &m)
{
    const QString name = m.name();
    if (name == QLatin1String("saveDevice")) {
        qCDebug(lcApp) << name;
        if (!checkLength(m, 3))
            return true;
        if (!isPasswordText(m.textAt(2))) {
            qWarning() << "saveDevice refused: a password is digits only (" << m.textAt(2).size() << "characters given)";
            return true;
        }
        m_state.settings.Password = m.textAt(2);
        writeDeviceProfile();
        m_host.passwordChanged();
    } else if (name == QLatin1String("Password")) {
        qCDebug(lcApp) << name;
        if (!checkLength(m, 2))
            return true;
        m_state.settings.OpenPassword = m.flagAt(1);
        writeDeviceProfile();
        m_host.passwordChanged();
    } else if (name == QLatin1String("RemoteAccess")) {
        qCDebug(lcApp) << name;
        if (!checkLength(m, 2))
            return true;
        bool ok = false;
        const int access = m.textAt(1).toInt(&ok);
        if (!ok || access < 0 || access > 2) {
            qWarning() << "RemoteAccess refused: not 0, 1 or 2:" << m.textAt(1);
            return true;
        }
        m_state.settings.remoteAccess = access;
        writeDeviceProfile();
        m_host.remoteAccessChanged();
    } else if (name == QLatin1String("AutoUpdate")) {
        qCDebug(lcApp) << name;
        if (!checkLength(m, 2))
            return true;
        m_state.settings.isStartAutoUpdate = m.flagAt(1);
        writeDeviceProfile();
    } else if (name == QLatin1String("changeControllerBox")) {
        qCDebug(lcApp) << "changeControllerBox:" << m.target();
        if (!checkLength(m, 2))
            return true;
        changeBox(m.target());
    } else if (name == QLatin1String("saveProfile")) {
        saveProfile();
    } else if (name == QLatin1String("changeLanguage")) {
        qCDebug(lcApp) << name;
        if (!checkLength(m, 2))
            return true;
        const int index = m.target();
        m_state.settings.languageIndex = index;
        m_host.loadLanguage(index); // loads nothing outside 0..6
        writeDeviceProfile();
        if (MainViewInterface *view = m_host.mainView())
            view->resetLanguage(index);
    } else if (name == QLatin1String("selectProfile")) {
        if (!checkLength(m, 2))
            return true;
        const int profile = m.target() + 1;
        qCDebug(lcApp) << "selectProfile_" << profile;
        if (!isValidProfileNumber(profile)) {
            qWarning() << "selectProfile refused: no profile" << profile;
            return true;
        }
        selectProfile(profile);
    } else if (name == QLatin1String("selectBoxType")) {
        qCDebug(lcApp) << name;
        if (!checkLength(m, 2))
            return true;
        const int type = m.target();
        if (type != BoxType::Vayla && type != BoxType::Rainbow) {
            qWarning() << "selectBoxType refused: no box type" << m.textAt(1);
            return true;
        }
        changeBoxType(m_boxes.currentBox(), type);
    } else if (name == QLatin1String("showInfo")) {
        qCDebug(lcApp) << name;
        m_host.showSensorInfo();
    } else {
        return false;
    }
    return true;
}

void ViewMessageHandler::changeBoxType(int box, int type)
{
    if (!isValidBox(box))
        return;
    ControllerBox &record = m_boxes[box];
    MainViewInterface *view = m_host.mainView();
    if (record.boxType == type) {
        showBoxFans(m_boxes, view, box);
        return;
    }
    qCInfo(lcApp) << "box" << box + 1 << "drives"
                  << (type == BoxType::Vayla ? "three single-colour fans" : "five 12-LED fans");
    // What the old kind showed goes: its covers, and alarms about ports the
    // box may not even have.
    if (view) {
        for (int f = 0; f < fanCountOf(record); ++f)
            view->setFanErrorByFan(f, false);
    }
    record.boxType = type;
    for (RainbowFanRecord &fan : record.rainbowFan)
        fan.isAlarmShown = false;
    for (VaylaFanRecord &fan : record.vaylaFan)
        fan.isAlarmShown = false;
    writeDeviceProfile();

    // The box's own profile of its new kind, sent as at start-up; the speed
    // poll asks the new kind's ports from its next pass on.
    if (type == BoxType::Vayla) {
        IniHelper::parseVaylaProfile(box, IniHelper::readVaylaProfileIni(record.profileValue), m_boxes[box]);
        if (record.gIsConnected) {
            for (int j = 0; j < kVaylaFanCount; ++j) {
                sendVaylaStartSpeed(m_boxes, box, j);
                sendVaylaLighting(m_boxes, box, j);
            }
        }
    } else {
        IniHelper::parseProfile(box, IniHelper::readProfileIni(record.profileValue), m_boxes[box]);
        if (record.gIsConnected)
            applyBoxSettings(m_boxes, box, m_host.lightingTimers(), Resend::Startup);
    }
    if (view) {
        view->setBoxButtonAlarm(box, false);
        if (box == m_boxes.currentBox()) {
            showBoxFans(m_boxes, view, box);
            for (int f = 0; f < fanCountOf(record); ++f)
                view->setFanErrorByFan(f, false);
        }
    }
}
