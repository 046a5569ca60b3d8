// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Logging.h"

// Box changes and profiles.
#include "ViewMessageHandler.h"

#include "AppState.h"
#include "ProfileService.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FirmwareReads.h"
#include "device/FanSpeed.h"
#include "lighting/LightModes.h"
#include "storage/IniHelper.h"
#include "core/ViewState.h"

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
    m_state.firmwareVersion = readFirmware(m_encoders, m_host.firmware(), box);
    m_host.startSpeedPoll();
    m_state.currentProfile = m_boxes[box].profileValue;
    qCDebug(lcApp) << "profileValue:" << m_state.currentProfile;
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
    const bool vayla = m_boxes[box].isVaylaBox();
    if (!m_profiles.save(box, profile))
        return; // nothing new to push to the other boxes
    m_host.viewState().tellProfileSaved();

    // Every box of the same kind on the same profile follows what was saved.
    for (int i = 0; i < kBoxCount; ++i) {
        const ControllerBox &other = m_boxes[i];
        if (other.profileValue != profile)
            continue;
        if (vayla ? other.boxType != BoxType::Vayla : other.boxType != BoxType::Rainbow)
            continue;
        m_profiles.load(i, profile);
        if (!other.gIsConnected)
            continue;
        if (vayla) {
            m_profiles.apply(i, m_host.lightingTimers(), Resend::Reapply);
        } else {
            // The look only: the fans keep the speed they run at.
            for (int k = 0; k < kRainbowFanCount; ++k)
                applyFanLight(m_encoders, i, k, m_host.lightingTimers());
        }
    }
}

void ViewMessageHandler::copyProfileTo(int profile)
{
    const int box = m_boxes.currentBox();
    if (!isValidBox(box) || !isValidProfileNumber(profile)) {
        qWarning() << "copyProfile refused: box" << box << "profile" << profile;
        return;
    }
    // Boxes of the same kind already on that profile keep what they run
    // until they load it again, as after any save of another box.
    m_profiles.copyTo(box, profile);
}

void ViewMessageHandler::selectProfile(int profile, ProfileKind kind)
{
    const int box = m_boxes.currentBox();
    if (!isValidBox(box) || !isValidProfileNumber(profile)) {
        qWarning() << "selectProfile refused: box" << box << "profile" << profile;
        return;
    }
    m_state.currentProfile = profile;
    const ProfileService::Kind of =
        kind == ProfileKind::OfTheBox ? ProfileService::Kind::OfTheBox : ProfileService::Kind::RgbFans;
    m_profiles.load(box, profile, of);
    m_profiles.apply(box, m_host.lightingTimers(), Resend::Reapply, of);
    if (m_profileSelected)
        m_profileSelected(profile);
}
