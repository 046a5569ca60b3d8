// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <functional>

class AppHost;
class BoxModel;
class Encoders;
class ProfileService;
struct AppState;

// Carries out the messages of the views on the box model, the boxes and the
// files. Every message addresses the current box; fan numbers, box numbers
// and lengths are checked first, and a message that fails a check is logged
// and changes nothing.
class ViewMessageHandler {
public:
    ViewMessageHandler(AppState &state, Encoders &encoders, ProfileService &profiles, AppHost &host);

    void receiveMainData(const QStringList &list);
    void receiveVaylaMainData(const QStringList &list);
    void receiveRGBData(const QStringList &red, const QStringList &green, const QStringList &blue,
                        const QStringList &bright, int fan);
    void receiveVaylaRGBData(int r, int g, int b, float bright, int fan);
    // The same messages addressed to box `box` instead of the current one
    // (other programs name the box they mean).
    void receiveMainDataOn(int box, const QStringList &list);
    void receiveVaylaMainDataOn(int box, const QStringList &list);
    void receiveVaylaRGBDataOn(int box, int r, int g, int b, float bright, int fan);

    // Makes another (connected) box current and shows it.
    void changeBox(int box);
    // A fan in "Copy" takes fan 0's look, shows and sends it.
    void followFirstFan(int box, int fan);
    // Saves the current box as profile currentProfile, and pushes that
    // profile to every box of the same kind that uses it.
    void saveProfile();
    // The current box's settings written as profile `profile` (1..5).
    void copyProfileTo(int profile);
    // Which kind of profile file a selection reads.
    enum class ProfileKind { OfTheBox, RgbFans };
    // Loads profile `profile` (1..5) into the current box, shows and sends it.
    void selectProfile(int profile, ProfileKind kind = ProfileKind::OfTheBox);
    // Told after every profile selectProfile loaded (the window's buttons,
    // the numbered command, the D-Bus call).
    void onProfileSelected(std::function<void(int profile)> told) { m_profileSelected = std::move(told); }
    // The device file, with the in-memory settings.
    bool writeDeviceProfile();
    // The user says which kind of fans a box drives (0 single-colour, 1 12-LED).
    void changeBoxType(int box, int type);
    // The view state takes a new picture; done after every message.
    void syncView();
    // Fan 0 of a box changed its look: every fan in "Copy" follows it.
    void followers(int box, int fan);

private:

    AppState &m_state;
    Encoders &m_encoders;
    BoxModel &m_boxes;
    ProfileService &m_profiles;
    AppHost &m_host;
    std::function<void(int)> m_profileSelected;
};
