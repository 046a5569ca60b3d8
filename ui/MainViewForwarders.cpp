// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainView.h"
#include "ui/TextFit.h"
#include "ui/StyleSwap.h"

#include "common/Logging.h"
#include "device/BoxTable.h"
#include "ui/InfoView.h"
#include "ui/UiFont.h"
#include "ui/RainbowFan.h"
#include "ui/VaylaRGBFanView.h"

#include <QAction>
#include <QButtonGroup>
#include <QDebug>
#include <QLabel>
#include <QPushButton>

using namespace MainViewRules;

namespace {
bool checkRainbowFan(const char *operation, int fan)
{
    if (isValidRainbowFan(fan))
        return true;
    qWarning() << operation << "refused, fan out of range:" << fan;
    return false;
}

bool checkVaylaFan(const char *operation, int fan)
{
    if (isValidVaylaFan(fan))
        return true;
    qWarning() << operation << "refused, fan out of range:" << fan;
    return false;
}

bool checkBox(const char *operation, int box)
{
    if (isValidBox(box))
        return true;
    qWarning() << operation << "refused, box out of range:" << box;
    return false;
}

bool checkProfile(const char *operation, int profile)
{
    if (profile >= 1 && profile <= kProfileCount)
        return true;
    qWarning() << operation << "refused, profile out of range:" << profile;
    return false;
}
}

// --- footer, menu and information window -------------------------------------

void MainView::setAppVersion(const QString &version)
{
    m_appVersion = version;
    updateVersionLabel();
}

void MainView::setFirmwareVersion(const QString &version)
{
    m_firmwareVersion = version;
    updateVersionLabel();
}

void MainView::setIpText(const QString &text)
{
    m_ipLabelText = text;
    m_ipLabel->setText(text);
}

void MainView::setAutoUpdate(bool on)
{
    m_autoUpdateOn = on;
    m_menuButtons[7]->setChecked(on);
    updateMenuSwitchTexts();
}

void MainView::setPasswordEnabled(bool on)
{
    m_passwordOn = on;
    m_menuButtons[8]->setChecked(on);
    updateMenuSwitchTexts();
}

void MainView::setPassword(const QString &password)
{
    m_password = password;
    updateMenuSwitchTexts();
    for (int k = 0; k < kPasswordLength; ++k)
        m_digitLabels[k]->setText(password.mid(k, 1));
}

void MainView::setTemperature(int celsius)
{
    m_temperatureKnown = true;
    m_celsius = celsius;
    showTemperature();
}

void MainView::setNoTemperature()
{
    m_temperatureKnown = false;
    showTemperature();
}

void MainView::appendInfo(const QString &line)
{
    m_infoView->appendLine(line);
}

void MainView::setSimulated(bool simulated)
{
    m_simulated = simulated;
    setWindowTitle(simulated ? QStringLiteral("Aurivent (simulated)") : QStringLiteral("Aurivent"));
    updateFooter();
}

// --- box strip, profiles, language ---------------------------------------------

void MainView::setBoxType(int boxType)
{
    const bool changed = (m_boxType != 0) != (boxType != 0);
    m_boxType = boxType;
    const bool rainbow = boxType != 0;
    for (QLabel *frame : m_vaylaFrames)
        frame->setVisible(!rainbow);
    for (RainbowFan *panel : m_fanPanels)
        panel->setVisible(rainbow);
    m_boxTypeButtons[rainbow ? BoxType::Rainbow : BoxType::Vayla]->setChecked(true);
    // The views that come into sight speak the language of the window.
    if (changed)
        resetLanguage(m_language);
}

void MainView::checkBoxButton(int box)
{
    if (!checkBox("checkBoxButton", box))
        return;
    m_currentBox = box;
    m_boxButtons[box]->setChecked(true);
}

void MainView::setBoxButtonPresent(int box, bool present)
{
    if (!checkBox("setBoxButtonPresent", box))
        return;
    m_boxButtons[box]->setCheckable(present);
    // Presence starts the button afresh: alarm and silence are told again by their owners.
    m_boxAlarm[box] = m_boxSilent[box] = false;
    applyBoxLook(box);
    m_boxPresenceTold = true;
    updateNoBoxNotice();
}

void MainView::setBoxButtonAlarm(int box, bool alarm)
{
    if (!checkBox("setBoxButtonAlarm", box))
        return;
    m_boxAlarm[box] = alarm;
    applyBoxLook(box);
}

void MainView::setBoxButtonAnswering(int box, bool answering)
{
    if (!checkBox("setBoxButtonAnswering", box))
        return;
    m_boxSilent[box] = !answering;
    applyBoxLook(box);
}

void MainView::applyBoxLook(int box)
{
    QPushButton *button = m_boxButtons[box];
    const bool present = button->isCheckable();
    BoxLook look = present ? BoxLook::Present : BoxLook::Absent;
    if (present && m_boxSilent[box])
        look = BoxLook::Silent;
    else if (m_boxAlarm[box])
        look = BoxLook::Alarm;
    swapStyle(button, boxButtonStyle(m_prefix, look, present));
    // An empty slot is inactive: no Tab stop, and said to be unavailable.
    button->setEnabled(present);
    describeBox(box);
}

void MainView::checkProfileButton(int profile)
{
    if (!checkProfile("checkProfileButton", profile))
        return;
    m_currentProfile = profile;
    m_profileButtons[profile - 1]->setChecked(true);
}

void MainView::setProfileLabel(int profile)
{
    if (!checkProfile("setProfileLabel", profile))
        return;
    m_currentProfile = profile;
    m_profileLabel->setText(tr("PROFILE") + QLatin1Char('_') + QString::number(profile));
    qCDebug(lcUi) << "setProfileLabel--->" << profile;
}

void MainView::resetLanguage(int language)
{
    if (language < 0 || language >= kLanguageCount) {
        qWarning() << "resetLanguage refused, language out of range:" << language;
        return;
    }
    m_language = language;
    UiFont::apply(language);
    showTemperature();
    if (footerShowsAddress())
        composeLocalAddress();
    m_saveButton->setText(tr("SAVE"));
    m_infoButton->setText(tr("Info"));
    updateFooter();
    updateBoxTypeTexts();
    updateNoBoxNotice();

    m_profileStyle = profileButtonStyle(m_prefix, profileFontPx(language));
    for (int k = 0; k < kProfileCount; ++k) {
        swapStyle(m_profileButtons[k], m_profileStyle);
        m_profileButtons[k]->setText(tr("PROFILE") + QString::number(k + 1));
        if (QAction *copy = m_profileButtons[k]->actions().value(0))
            copy->setText(tr("Copy the settings shown to PROFILE%1").arg(k + 1));
        TextFit::shrinkStyleFont(m_profileButtons[k], profileFontPx(language), TextFit::kMinPx, 0);
    }
    m_profileLabel->setText(tr("PROFILE") + QLatin1Char('_') + QString::number(m_currentProfile));

    // The menu shows which language is in use, in that language.
    setLanguageButtonTexts();
    m_menuButtons[language]->setChecked(true);
    updateMenuSwitchTexts();
    describeControls();

    if (m_boxType != 0) {
        for (RainbowFan *panel : m_fanPanels)
            panel->resetLanguage(language);
    } else {
        for (VaylaRGBFanView *view : m_vaylaViews)
            view->resetLanguage(language);
    }
}

// --- the five RGB fan panels ---------------------------------------------------

RainbowFan *MainView::fanPanel(int fan)
{
    if (!checkRainbowFan("fanPanel", fan))
        return nullptr;
    return m_fanPanels[fan];
}

FanEditor *MainView::fanEditor(int fan)
{
    return fanPanel(fan);
}

VaylaRGBFanView *MainView::vaylaView(int fan) const
{
    if (!checkVaylaFan("vaylaView", fan))
        return nullptr;
    return m_vaylaViews[fan];
}

void MainView::setRPMByFan(int fan, int rpm)
{
    if (m_boxType != 0) {
        if (checkRainbowFan("setRPMByFan", fan))
            m_fanPanels[fan]->setRPM(rpm);
    } else if (checkVaylaFan("setRPMByFan", fan)) {
        m_vaylaViews[fan]->setRPM(rpm);
    }
}

void MainView::setFanErrorByFan(int fan, bool error)
{
    if (m_boxType != 0) {
        if (checkRainbowFan("setFanErrorByFan", fan))
            m_fanPanels[fan]->setFanState(error);
    } else if (checkVaylaFan("setFanErrorByFan", fan)) {
        m_vaylaViews[fan]->setFanOk(!error);
    }
}

// --- the core's view state ------------------------------------------------------

void MainView::setViewState(const ViewState *state, bool shownAlready)
{
    if (m_viewState)
        disconnect(m_viewState, nullptr, this, nullptr);
    m_viewState = state;
    if (!state)
        return;
    connect(state, &ViewState::windowChanged, this, [this] { showWindowState(m_viewState->window(), false); });
    connect(state, &ViewState::fanChanged, this, [this](int fan) { showFanState(fan, m_viewState->fan(fan), false); });
    connect(state, &ViewState::profileSaved, this, &MainView::showProfileSaved);
    connect(state, &ViewState::sensorInfo, this, [this](const QStringList &lines) {
        for (const QString &line : lines)
            appendInfo(line);
    });
    if (shownAlready) {
        m_shownWindow = state->window();
        for (int f = 0; f < kRainbowFanCount; ++f)
            m_shownReadings[f] = state->fan(f).reading;
        return;
    }
    // Everything once, as a new view knows nothing yet.
    showWindowState(state->window(), true);
    for (int f = 0; f < kRainbowFanCount; ++f)
        showFanState(f, state->fan(f), true);
}

void MainView::showWindowState(const WindowView &w, bool everything)
{
    const WindowView &was = m_shownWindow;
    if (everything || w.firmwareVersion != was.firmwareVersion)
        setFirmwareVersion(w.firmwareVersion);
    if (everything || w.settings.remoteAccess != was.settings.remoteAccess)
        setRemoteAccess(w.settings.remoteAccess);
    if (everything || w.settings.isStartAutoUpdate != was.settings.isStartAutoUpdate)
        setAutoUpdate(w.settings.isStartAutoUpdate);
    if (everything || w.settings.OpenPassword != was.settings.OpenPassword)
        setPasswordEnabled(w.settings.OpenPassword);
    if (everything || w.settings.Password != was.settings.Password)
        setPassword(w.settings.Password);
    if (everything || w.currentBox != was.currentBox)
        checkBoxButton(w.currentBox);
    if (everything || w.boxType != was.boxType) {
        setBoxType(w.boxType);
        // The other kind of fans shows its readings afresh.
        for (BoxModel::FanReading &shown : m_shownReadings)
            shown = BoxModel::FanReading();
    }
    if (everything || w.settings.languageIndex != was.settings.languageIndex)
        resetLanguage(w.settings.languageIndex);
    if (everything || w.profile != was.profile) {
        checkProfileButton(w.profile);
        setProfileLabel(w.profile);
    }
    for (int b = 0; b < kBoxCount; ++b) {
        const BoxButtonView &button = w.boxes[static_cast<size_t>(b)];
        const BoxButtonView &shown = was.boxes[static_cast<size_t>(b)];
        // Presence starts a button afresh: its alarm and silence are shown again after it.
        const bool afresh = everything || button.present != shown.present;
        if (afresh)
            setBoxButtonPresent(b, button.present);
        if (button.alarm != shown.alarm || (afresh && button.alarm))
            setBoxButtonAlarm(b, button.alarm);
        if (button.answering != shown.answering || (afresh && !button.answering))
            setBoxButtonAnswering(b, button.answering);
    }
    if (everything || w.temperatureKnown != was.temperatureKnown || w.temperature != was.temperature) {
        if (w.temperatureKnown)
            setTemperature(w.temperature);
        else
            setNoTemperature();
    }
    if (everything || w.musicCapture != was.musicCapture)
        setMusicCapture(w.musicCapture);
    m_shownWindow = w;
}

void MainView::showFanState(int fan, const FanView &v, bool everything)
{
    if (!checkRainbowFan("showFanState", fan))
        return;
    if (!v.single) {
        if (m_fanPanels[fan]->showRecord(v.rainbow, everything))
            ++m_panelRenders[fan];
    } else if (fan < kVaylaFanCount) {
        m_vaylaViews[fan]->showRecord(v.vayla, everything);
    }
    if (v.reading == m_shownReadings[fan] || (v.single && fan >= kVaylaFanCount))
        return;
    m_shownReadings[fan] = v.reading;
    // No reading (yet, or any more): nothing stopped to show.
    if (v.reading.rpm >= 0)
        setRPMByFan(fan, v.reading.rpm);
    setFanErrorByFan(fan, v.reading.rpm >= 0 && v.reading.stopped);
}

// --- relays ------------------------------------------------------------------------

void MainView::receiveVaylaData(QStringList data)
{
    noteEdit(data);
    emit sendVaylaData(data);
}

void MainView::receiveRGBData(QStringList r, QStringList g, QStringList b, QStringList bright, int fan)
{
    m_unsavedBoxes.insert(m_currentBox);
    emit sendRGBData(r, g, b, bright, fan);
}

void MainView::receiveVaylaRGBData(int r, int g, int b, float bright, int fan)
{
    m_unsavedBoxes.insert(m_currentBox);
    emit sendVaylaRGBData(r, g, b, bright, fan);
}
