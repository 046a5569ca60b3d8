#include "common/Logging.h"

// Box changes and profiles.
#include "ViewMessageHandler.h"

#include "AppState.h"
#include "FanViewRefresh.h"
#include "device/BoxTable.h"
#include "device/Encoders.h"
#include "device/FanMonitor.h"
#include "lighting/LightModes.h"
#include "storage/IniHelper.h"
#include "ui/MainViewInterface.h"

#include <QDebug>

void ViewMessageHandler::changeBox(int box)
{
    qCDebug(lcApp) << "changeBox:" << box;
    if (!isValidBox(box)) {
        qWarning() << "changeBox refused: no box" << box;
        return;
    }
    qCDebug(lcApp) << "boxArray[controllerBoxNumber].gIsConnected:" << boxArray[box].gIsConnected
             << ", controllerBoxNumber = " << controllerBoxNumber;
    qCDebug(lcApp) << "boxArray[nowFan].boxType:" << boxArray[box].boxType;
    if (!boxArray[box].gIsConnected)
        return;
    controllerBoxNumber = box;
    m_host.stopSpeedPoll();
    QString version = readFirmwareVersion();
    if (version == QLatin1String("0"))
        version = QString::fromLatin1(kDefaultVersion);
    m_state.firmwareVersion = version;
    MainViewInterface *view = m_host.mainView();
    if (view)
        view->setFirmwareVersion(version);
    m_host.startSpeedPoll();
    m_state.currentProfile = boxArray[box].profileValue;
    qCDebug(lcApp) << "profileValue:" << m_state.currentProfile;
    showBoxFans(view, box);
    if (view) {
        view->checkProfileButton(m_state.currentProfile);
        view->setProfileLabel(m_state.currentProfile);
    }
}

void ViewMessageHandler::saveProfile()
{
    const int box = controllerBoxNumber;
    const int profile = m_state.currentProfile;
    qCDebug(lcApp) << "saveProfile:" << profile;
    if (!isValidBox(box) || !isValidProfileNumber(profile)) {
        qWarning() << "saveProfile refused: box" << box << "profile" << profile;
        return;
    }
    boxArray[box].profileValue = profile;
    const bool vayla = boxArray[box].isVaylaBox();
    const bool written = vayla ? IniHelper::writeVaylaProfileIni(IniHelper::buildVaylaProfileMap(box), profile)
                               : IniHelper::writeProfileIni(IniHelper::buildProfileMap(box), profile);
    // No pause is needed before the next write: the profile is complete on
    // disk (staged, checked and renamed into place) when the call returns.
    IniHelper::writeDeviceIni(IniHelper::buildDeviceMap(m_state.settings));
    if (!written)
        return; // nothing new to push to the other boxes
    if (MainViewInterface *view = m_host.mainView())
        view->showProfileSaved();

    const ProfileData data = vayla ? IniHelper::readVaylaProfileIni(profile) : IniHelper::readProfileIni(profile);
    for (int i = 0; i < kBoxCount; ++i) {
        ControllerBox &other = boxArray[i];
        if (other.profileValue != profile)
            continue;
        if (vayla ? other.boxType != BoxType::Vayla : other.boxType != BoxType::Rainbow)
            continue;
        if (vayla) {
            IniHelper::parseVaylaProfile(i, data);
            if (!other.gIsConnected)
                continue;
            for (int j = 0; j < kVaylaFanCount; ++j) {
                resetVaylaFan(i, j);
                sendVaylaLighting(i, j);
            }
        } else {
            IniHelper::parseProfile(i, data);
            if (!other.gIsConnected)
                continue;
            for (int k = 0; k < kRainbowFanCount; ++k)
                applyFanLight(i, k, m_host.lightingTimers());
        }
    }
}

void ViewMessageHandler::selectProfile(int profile, ProfileKind kind)
{
    const int box = controllerBoxNumber;
    if (!isValidBox(box) || !isValidProfileNumber(profile)) {
        qWarning() << "selectProfile refused: box" << box << "profile" << profile;
        return;
    }
    m_state.currentProfile = profile;
    MainViewInterface *view = m_host.mainView();
    if (view) {
        view->checkProfileButton(profile);
        view->setProfileLabel(profile);
    }
    if (kind == ProfileKind::OfTheBox && boxArray[box].isVaylaBox()) {
        IniHelper::parseVaylaProfile(box, IniHelper::readVaylaProfileIni(profile));
        for (int j = 0; j < kVaylaFanCount; ++j) {
            showVaylaFan(view, box, j);
            resetVaylaFan(box, j);
            sendVaylaLighting(box, j);
        }
    } else {
        IniHelper::parseProfile(box, IniHelper::readProfileIni(profile));
        for (int k = 0; k < kRainbowFanCount; ++k)
            showRainbowFan(view, box, k);
        applyBoxSettings(box, m_host.lightingTimers());
    }
}
