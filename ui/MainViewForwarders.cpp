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

void MainView::resetFanView(int fan)
{
    if (!checkRainbowFan("resetFanView", fan))
        return;
    if (m_boxType != 0) {
        ++m_panelRenders[fan];
        m_fanPanels[fan]->resetFanView();
    }
}

void MainView::setRGBByFan(int fan, const int *r, const int *g, const int *b, const float *bright)
{
    if (!checkRainbowFan("setRGBByFan", fan))
        return;
    if (!r || !g || !b || !bright) {
        qWarning() << "setRGBByFan refused, missing colour list for fan" << fan;
        return;
    }
    m_fanPanels[fan]->setRGB(r, g, b, bright);
}

void MainView::setColorModeByFan(int fan, int colorMode)
{
    if (checkRainbowFan("setColorModeByFan", fan))
        m_fanPanels[fan]->setColorMode(colorMode);
}

void MainView::setLightModeByFan(int fan, int lightMode)
{
    if (checkRainbowFan("setLightModeByFan", fan))
        m_fanPanels[fan]->setLightMode(lightMode);
}

void MainView::setLightSpeedByFan(int fan, int lightSpeed)
{
    if (checkRainbowFan("setLightSpeedByFan", fan))
        m_fanPanels[fan]->setLightSpeed(lightSpeed);
}

void MainView::setCopyLightModeByFan(int fan, int lightMode)
{
    if (checkRainbowFan("setCopyLightModeByFan", fan))
        m_fanPanels[fan]->setCopyLightMode(lightMode);
}

void MainView::setMonitorByFan(int fan, bool on)
{
    if (checkRainbowFan("setMonitorByFan", fan))
        m_fanPanels[fan]->setMonitor(on);
}

void MainView::setPWMByFan(int fan, bool on)
{
    if (checkRainbowFan("setPWMByFan", fan))
        m_fanPanels[fan]->setPWM(on);
}

void MainView::setTurnOffLedByFan(int fan, bool off)
{
    if (checkRainbowFan("setTurnOffLedByFan", fan))
        m_fanPanels[fan]->setTurnOffLed(off);
}

void MainView::setFanSpeedByFan(int fan, int speedPer, int speedNum)
{
    if (checkRainbowFan("setFanSpeedByFan", fan))
        m_fanPanels[fan]->setFanSpeedSliders(speedPer, speedNum);
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

// --- the three second fan views -------------------------------------------------

void MainView::resetVaylaViews()
{
    for (VaylaRGBFanView *view : m_vaylaViews)
        view->setLightMode(view->lightMode());
}

void MainView::setVaylaRGB(int fan, int r, int g, int b, float bright)
{
    if (checkVaylaFan("setVaylaRGB", fan))
        m_vaylaViews[fan]->setRGB(r, g, b, bright);
}

void MainView::setVaylaLightMode(int fan, int lightMode)
{
    if (checkVaylaFan("setVaylaLightMode", fan))
        m_vaylaViews[fan]->setLightMode(lightMode);
}

void MainView::setVaylaTurnOff(int fan, bool off)
{
    if (checkVaylaFan("setVaylaTurnOff", fan))
        m_vaylaViews[fan]->setTurnOff(off);
}

void MainView::setVaylaBright(int fan, float bright)
{
    if (checkVaylaFan("setVaylaBright", fan))
        m_vaylaViews[fan]->setBright(bright);
}

void MainView::setVaylaFanSpeed(int fan, int speed)
{
    if (checkVaylaFan("setVaylaFanSpeed", fan))
        m_vaylaViews[fan]->setFanSpeed(speed);
}

void MainView::setVaylaPWM(int fan, bool on)
{
    if (checkVaylaFan("setVaylaPWM", fan))
        m_vaylaViews[fan]->setPWM(on);
}

void MainView::setVaylaMonitor(int fan, bool on)
{
    if (checkVaylaFan("setVaylaMonitor", fan))
        m_vaylaViews[fan]->setMonitor(on);
}

// --- relays ------------------------------------------------------------------------

void MainView::receiveVaylaData(QStringList data)
{
    emit sendVaylaData(data);
}

void MainView::receiveRGBData(QStringList r, QStringList g, QStringList b, QStringList bright, int fan)
{
    emit sendRGBData(r, g, b, bright, fan);
}

void MainView::receiveVaylaRGBData(int r, int g, int b, float bright, int fan)
{
    emit sendVaylaRGBData(r, g, b, bright, fan);
}
