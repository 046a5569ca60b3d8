// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Limits.h"
#include "lighting/LightModes.h"

#include <QList>
#include <QStringList>

class BoxModel;
class Encoders;
class LightingTimers;
struct AppSettings;

// The one path by which a profile goes from its file into a box record, from
// the record to the box, and back to the file: the window, the phone, the
// numbered commands and start-up all come through here. What each caller
// shows in the views stays with the caller.
class ProfileService {
public:
    // Which kind of profile: the one of the box's own kind, or always the
    // 12-LED kind (a numbered command asks for that whatever the box is).
    enum class Kind { OfTheBox, RgbFans };

    ProfileService(Encoders &encoders, const AppSettings &settings);

    // Reads profile `profile` into box `box`'s record; nothing is sent.
    void load(int box, int profile, Kind kind = Kind::OfTheBox);
    // The box's own profile (its profile number) into its record.
    void loadOwn(int box);
    // Whether a profile was ever read into box `box`'s record; until then it
    // holds the record's defaults, which no box should be sent.
    bool hasLoaded(int box) const;
    // The texts of 12-LED profile `profile`, one row per fan.
    QList<QStringList> rgbRows(int profile) const;

    // Sends what box `box`'s record holds. Startup: as at start-up (a
    // single-colour fan gets its start speed); Reapply: after a profile
    // change (its level, whatever the mode; colour modes normalised).
    void apply(int box, LightingTimers &timers, Resend how, Kind kind = Kind::OfTheBox);

    // Box `box` takes profile number `profile`; its record is written as that
    // profile of its kind, then the device file. True when the profile file
    // is complete on disk.
    bool save(int box, int profile);
    // Box `box`'s record written as profile `profile` of its kind; the box
    // keeps the profile it is on. True when the file is complete on disk.
    bool copyTo(int box, int profile);

    // Whether box `box` uses the single-colour kind of profile here.
    bool isVaylaKind(int box, Kind kind) const;

private:
    Encoders &m_encoders;
    BoxModel &m_boxes;
    const AppSettings &m_settings;
    bool m_loaded[kBoxCount] = {};
};
