// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewState.h"

#include "CoreState.h"
#include "device/DeviceBus.h"

namespace {

bool anyLatchedStall(const ControllerBox &box)
{
    if (box.isVaylaBox()) {
        for (const VaylaFanRecord &fan : box.vaylaFan) {
            if (fan.isAlarmShown && fan.isMonitor)
                return true;
        }
        return false;
    }
    for (const RainbowFanRecord &fan : box.rainbowFan) {
        if (fan.isAlarmShown && fan.isMonitor && fan.fanType == 0)
            return true;
    }
    return false;
}

bool sameSettings(const AppSettings &a, const AppSettings &b)
{
    return a.isStartAutoUpdate == b.isStartAutoUpdate && a.isAutoRun == b.isAutoRun
        && a.languageIndex == b.languageIndex && a.OpenPassword == b.OpenPassword && a.Password == b.Password
        && a.updateServer == b.updateServer && a.remoteAccess == b.remoteAccess;
}

} // namespace

bool WindowView::operator==(const WindowView &o) const
{
    return currentBox == o.currentBox && boxType == o.boxType && profile == o.profile
        && firmwareVersion == o.firmwareVersion && temperatureKnown == o.temperatureKnown
        && (!temperatureKnown || temperature == o.temperature) && musicCapture == o.musicCapture && boxes == o.boxes
        && sameSettings(settings, o.settings);
}

ViewState::ViewState(QObject *parent)
    : QObject(parent)
{
}

const FanView &ViewState::fan(int fan) const
{
    static const FanView none;
    return isValidRainbowFan(fan) ? m_fans[static_cast<size_t>(fan)] : none;
}

void ViewState::sync(const BoxModel &boxes, const AppState &state, const DeviceBus &bus)
{
    WindowView window;
    const int current = boxes.currentBox();
    window.currentBox = current;
    window.boxType = boxes[current].boxType;
    window.profile = state.currentProfile;
    window.firmwareVersion = state.firmwareVersion;
    window.temperatureKnown = state.temperatureKnown;
    window.temperature = state.temperatureKnown ? state.temperature : 0;
    window.settings = state.settings;
    window.musicCapture = state.musicCapture;
    for (int b = 0; b < kBoxCount; ++b) {
        BoxButtonView &button = window.boxes[static_cast<size_t>(b)];
        button.present = boxes[b].gIsConnected;
        button.alarm = anyLatchedStall(boxes[b]);
        button.answering = !button.present || bus.health(b) == BoxHealth::Answering;
    }

    std::array<FanView, kRainbowFanCount> fans{};
    const ControllerBox &box = boxes[current];
    for (int f = 0; f < kRainbowFanCount; ++f) {
        FanView &view = fans[static_cast<size_t>(f)];
        view.single = box.isVaylaBox();
        view.rainbow = box.rainbowFan[f];
        if (f < kVaylaFanCount)
            view.vayla = box.vaylaFan[f];
        view.reading = boxes.reading(current, f);
    }
    show(window, fans);
}

void ViewState::show(const WindowView &window, const std::array<FanView, kRainbowFanCount> &fans)
{
    if (window != m_window) {
        m_window = window;
        emit windowChanged();
    }
    for (size_t f = 0; f < fans.size(); ++f) {
        if (fans[f] == m_fans[f])
            continue;
        m_fans[f] = fans[f];
        emit fanChanged(static_cast<int>(f));
    }
}

void ViewState::showCurves(const CurveSettings &settings)
{
    m_curves = settings;
    emit curvesChanged();
}

void ViewState::tellSourceReadings(const QHash<QString, double> &readings)
{
    m_readings = readings;
    // Bounded by what the sensor reader offers (its chips and GPUs).
    for (auto it = readings.cbegin(); it != readings.cend(); ++it)
        m_known.insert(it.key(), true);
    emit sourcesRead();
}

QStringList ViewState::knownSources() const
{
    QStringList ids = m_known.keys();
    ids.sort();
    return ids;
}
