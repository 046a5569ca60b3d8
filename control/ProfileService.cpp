// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileService.h"

#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanSpeed.h"
#include "storage/IniHelper.h"

#include <QDebug>

ProfileService::ProfileService(Encoders &encoders, const AppSettings &settings)
    : m_encoders(encoders)
    , m_boxes(encoders.boxes())
    , m_settings(settings)
{
}

bool ProfileService::isVaylaKind(int box, Kind kind) const
{
    return kind == Kind::OfTheBox && m_boxes[box].isVaylaBox();
}

void ProfileService::load(int box, int profile, Kind kind)
{
    if (!isValidBox(box)) {
        qWarning() << "profile load refused: box" << box;
        return;
    }
    if (isVaylaKind(box, kind))
        IniHelper::parseVaylaProfile(box, IniHelper::readVaylaProfileIni(profile), m_boxes[box]);
    else
        IniHelper::parseProfile(box, IniHelper::readProfileIni(profile), m_boxes[box]);
    m_loaded[box] = true;
}

bool ProfileService::hasLoaded(int box) const
{
    return isValidBox(box) && m_loaded[box];
}

void ProfileService::loadOwn(int box)
{
    if (isValidBox(box))
        load(box, m_boxes[box].profileValue);
}

QList<QStringList> ProfileService::rgbRows(int profile) const
{
    const ProfileData data = IniHelper::readProfileIni(profile);
    return QList<QStringList>(data.begin(), data.end());
}

void ProfileService::apply(int box, LightingTimers &timers, Resend how, Kind kind)
{
    if (!isValidBox(box))
        return;
    if (!isVaylaKind(box, kind)) {
        applyBoxSettings(m_encoders, box, timers, how);
        return;
    }
    for (int j = 0; j < kVaylaFanCount; ++j) {
        if (how == Resend::Startup)
            sendVaylaStartSpeed(m_encoders, box, j);
        else
            resetVaylaFan(m_encoders, box, j);
        sendVaylaLighting(m_encoders, box, j);
    }
}

bool ProfileService::copyTo(int box, int profile)
{
    if (!isValidBox(box) || !isValidProfileNumber(profile)) {
        qWarning() << "profile copy refused: box" << box << "profile" << profile;
        return false;
    }
    const ControllerBox &record = m_boxes[box];
    return record.isVaylaBox() ? IniHelper::writeVaylaProfileIni(IniHelper::buildVaylaProfileMap(box, record), profile)
                               : IniHelper::writeProfileIni(IniHelper::buildProfileMap(box, record), profile);
}

bool ProfileService::save(int box, int profile)
{
    if (!isValidBox(box)) {
        qWarning() << "profile save refused: box" << box;
        return false;
    }
    ControllerBox &record = m_boxes[box];
    record.profileValue = profile;
    const bool written = record.isVaylaBox()
                             ? IniHelper::writeVaylaProfileIni(IniHelper::buildVaylaProfileMap(box, record), profile)
                             : IniHelper::writeProfileIni(IniHelper::buildProfileMap(box, record), profile);
    // No pause is needed before the next write: the profile is complete on
    // disk (staged, checked and renamed into place) when the call returns.
    IniHelper::writeDeviceProfile(m_settings, m_boxes.records());
    return written;
}
