// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/BoxModel.h"
#include "remote/RemoteHost.h"
#include "storage/IniHelper.h"

// The application window as the phone's commands see it, without windows,
// timers or files: profiles read as the defaults and saves go nowhere.
class RemoteFuzzHost final : public RemoteHost {
public:
    explicit RemoteFuzzHost(BoxModel &boxes)
        : m_boxes(boxes)
    {
    }
    void stopMusic() override {}
    void startMusicEffectTimer() override {}
    void setPhoneLevel(int) override {}
    void applyBoxSettings(int) override {}
    void loadProfile(int box, int) override
    {
        if (isValidBox(box))
            IniHelper::parseProfile(box, IniHelper::defaultProfileData(), m_boxes[box]);
    }
    QList<QStringList> readProfile(int) override
    {
        const ProfileData data = IniHelper::defaultProfileData();
        return QList<QStringList>(data.begin(), data.end());
    }
    void saveBoxProfile(int) override {}
    int currentProfile() const override { return m_profile; }
    void setCurrentProfile(int profile) override { m_profile = profile; }
    void refreshFanPanels(int) override {}
    void setProfileLabel(int) override {}
    void checkProfileButton(int) override {}

private:
    BoxModel &m_boxes;
    int m_profile = 1;
};
