#include "common/Logging.h"

// Box changes and profiles.
#include "ViewMessageHandler.h"

#include "AppState.h"
#include "FanViewRefresh.h"
#include "device/BoxModel.h"
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
    qCDebug(lcApp) << "boxArray[controllerBoxNumber].gIsConnected:" << m_boxes[box].gIsConnected
             << ", controllerBoxNumber = " << m_boxes.currentBox();
    qCDebug(lcApp) << "boxArray[nowFan].boxType:" << m_boxes[box].boxType;
    if (!m_boxes[box].gIsConnected)
        return;
    m_boxes.setCurrentBox(box);
    m_host.stopSpeedPoll();
    QString version = readFirmwareVersion(m_boxes, box);
    if (version == QLatin1String("0"))
        version = QString::fromLatin1(kDefaultVersion);
    m_state.firmwareVersion = version;
    MainViewInterface *view = m_host.mainView();
    if (view)
        view->setFirmwareVersion(version);
    m_host.startSpeedPoll();
    m_state.currentProfile = m_boxes[box].profileValue;
    qCDebug(lcApp) << "profileValue:" << m_state.currentProfile;
    showBoxFans(m_boxes, view, box);
    if (view) {
        view->checkProfileButton(m_state.currentProfile);
        view->setProfileLabel(m_state.currentProfile);
    }
}

void ViewMessageHandler::saveProfile()
{
    const int box = m_boxes.currentBox();
    const int profile = m_state.currentProfile;
    qCDebug(lcApp) << "saveProfile:" << profile;
    if (!isValidBox(box) || !isValidProfileNumber(profile)) {
        qWarning() << "saveProfile refused: box" << box << "profile" << profile;
        return;
    }
    m_boxes[box].profileValue = profile;
    const bool vayla = m_boxes[box].isVaylaBox();
    const bool written = vayla ? IniHelper::writeVaylaProfileIni(IniHelper::buildVaylaProfileMap(box, m_boxes[box]), profile)
                               : IniHelper::writeProfileIni(IniHelper::buildProfileMap(box, m_boxes[box]), profile);
    // No pause is needed before the next write: the profile is complete on
    // disk (staged, checked and renamed into place) when the call returns.
    IniHelper::writeDeviceIni(IniHelper::buildDeviceMap(m_state.settings, m_boxes.records()));
    if (!written)
        return; // nothing new to push to the other boxes
    if (MainViewInterface *view = m_host.mainView())
        view->showProfileSaved();

    const ProfileData data = vayla ? IniHelper::readVaylaProfileIni(profile) : IniHelper::readProfileIni(profile);
    for (int i = 0; i < kBoxCount; ++i) {
        ControllerBox &other = m_boxes[i];
        if (other.profileValue != profile)
            continue;
        if (vayla ? other.boxType != BoxType::Vayla : other.boxType != BoxType::Rainbow)
            continue;
        if (vayla) {
            IniHelper::parseVaylaProfile(i, data, m_boxes[i]);
            if (!other.gIsConnected)
                continue;
            for (int j = 0; j < kVaylaFanCount; ++j) {
                resetVaylaFan(m_boxes, i, j);
                sendVaylaLighting(m_boxes, i, j);
            }
        } else {
            IniHelper::parseProfile(i, data, m_boxes[i]);
            if (!other.gIsConnected)
                continue;
            for (int k = 0; k < kRainbowFanCount; ++k)
                applyFanLight(m_boxes, i, k, m_host.lightingTimers());
        }
    }
}

void ViewMessageHandler::selectProfile(int profile, ProfileKind kind)
{
    const int box = m_boxes.currentBox();
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
    if (kind == ProfileKind::OfTheBox && m_boxes[box].isVaylaBox()) {
        IniHelper::parseVaylaProfile(box, IniHelper::readVaylaProfileIni(profile), m_boxes[box]);
        for (int j = 0; j < kVaylaFanCount; ++j) {
            showVaylaFan(m_boxes, view, box, j);
            resetVaylaFan(m_boxes, box, j);
            sendVaylaLighting(m_boxes, box, j);
        }
    } else {
        IniHelper::parseProfile(box, IniHelper::readProfileIni(profile), m_boxes[box]);
        for (int k = 0; k < kRainbowFanCount; ++k)
            showRainbowFan(m_boxes, view, box, k);
        applyBoxSettings(m_boxes, box, m_host.lightingTimers());
    }
}
