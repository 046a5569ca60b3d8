// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowMessages.h"

#include "AppState.h"
#include "common/Logging.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "lighting/LightModes.h"
#include "storage/IniHelper.h"
#include "ui/FanEditor.h"
#include "ui/MainViewInterface.h"
#include "ViewMessageHandler.h"

#include <QDebug>

#include <algorithm>
#include <iterator>

namespace {

// The editor's slider ranges: PWM-scale step, RPM step, brightness step.
constexpr int kSpeedPercentTop = 5;
constexpr int kSpeedLevelTop = 10;
constexpr int kBrightnessTop = 10;

struct WindowCall {
    AppState &state;
    BoxModel &boxes;
    AppHost &app;
    ViewMessageHandler &messages;
    WindowMessageHost &host;
    MainViewInterface *view;
    int wParam;
};

// A command for the editor of fan `fan` (lParam) of the current box.
struct EditorCall {
    Encoders &encoders;
    int box;
    int fan;
    int wParam;
    RainbowFanRecord &record;
    FanEditor &editor;
    ViewMessageHandler &messages;
};

template <class Call>
struct Command {
    int id;
    void (*run)(Call &);
};

template <class Call, std::size_t N>
const Command<Call> *findCommand(const Command<Call> (&table)[N], int id)
{
    const auto it = std::find_if(std::begin(table), std::end(table), [id](const Command<Call> &c) { return c.id == id; });
    return it == std::end(table) ? nullptr : it;
}

void deviceChange(WindowCall &c)
{
    c.host.deviceChanged();
}

void close(WindowCall &c)
{
    c.host.hideApplicationWindow();
}

void showOrHide(WindowCall &c)
{
    qCDebug(lcApp) << "8101:" << c.wParam;
    if (!c.view)
        return;
    if (c.wParam != 0) {
        // Also from minimised, and raised when it was only behind others.
        c.view->showView();
    } else {
        c.view->hideView();
    }
}

void autoUpdate(WindowCall &c)
{
    c.state.settings.isStartAutoUpdate = c.wParam != 0;
    c.messages.writeDeviceProfile();
}

void passwordOn(WindowCall &c)
{
    c.state.settings.OpenPassword = c.wParam != 0;
    c.messages.writeDeviceProfile();
    c.app.passwordChanged();
}

void password(WindowCall &c)
{
    const QString text = WindowMessages::passwordText(c.wParam);
    if (text.isEmpty()) {
        qCWarning(lcApp) << "0x8104 refused: a password is 0..9999, not" << c.wParam;
        return;
    }
    c.state.settings.OpenPassword = c.wParam != 0;
    c.state.settings.Password = text;
    c.messages.writeDeviceProfile();
    c.app.passwordChanged();
}

void quit(WindowCall &c)
{
    qCDebug(lcApp) << "isShow1:" << c.wParam;
    if (c.wParam != 0)
        c.host.closeApplicationWindow();
}

void changeBox(WindowCall &c)
{
    qCDebug(lcApp) << "isShow1:" << c.wParam;
    if (!isValidBox(c.wParam)) {
        qCWarning(lcApp) << "0x8106 refused: no box" << c.wParam;
        return;
    }
    c.messages.changeBox(c.wParam);
}

void selectProfile(WindowCall &c)
{
    // A profile index 0..4; checked before the +1 so that no value can overflow.
    if (c.wParam < 0 || c.wParam >= kProfileCount) {
        qCWarning(lcApp) << "0x8107 refused: no profile index" << c.wParam;
        return;
    }
    // Always the 12-LED kind of profile, whatever the current box is.
    c.messages.selectProfile(c.wParam + 1, ViewMessageHandler::ProfileKind::RgbFans);
}

void saveProfile(WindowCall &c)
{
    c.messages.saveProfile();
}

void ping(WindowCall &)
{
    qCDebug(lcApp) << "0x23330x2333";
}

const Command<WindowCall> kWindowCommands[] = {
    {WindowMessages::kDeviceChange, deviceChange},
    {WindowMessages::kClose, close},
    {0x8101, showOrHide},
    {0x8102, autoUpdate},
    {0x8103, passwordOn},
    {0x8104, password},
    {0x8105, quit},
    {0x8106, changeBox},
    {0x8107, selectProfile},
    {0x8119, saveProfile},
    {0x2333, ping},
};

void monitor(EditorCall &c)
{
    c.record.isMonitor = c.wParam != 0;
    c.messages.writeDeviceProfile();
}

void performance(EditorCall &c)
{
    qCDebug(lcApp) << "btn_performance";
    c.editor.pressPerformance();
}

void silent(EditorCall &c)
{
    qCDebug(lcApp) << "pushSilent()";
    c.editor.pressSilent();
}

void pwm(EditorCall &c)
{
    if (c.record.isPWM != (c.wParam != 0))
        c.editor.pressPWM(c.wParam != 0);
}

// Moves a slider as the user would, within the slider's own range.
void moveSlider(EditorCall &c, FanEditor::Slider slider, int highest, const char *what)
{
    if (c.wParam < 0 || c.wParam > highest) {
        qCWarning(lcApp) << what << "refused: value" << c.wParam << "outside 0 -" << highest;
        return;
    }
    c.editor.moveSlider(slider, c.wParam);
}

void speedPercent(EditorCall &c)
{
    if (c.record.isPWM)
        moveSlider(c, FanEditor::Slider::SpeedPercent, kSpeedPercentTop, "0x8112");
}

void speedLevel(EditorCall &c)
{
    if (!c.record.isPWM)
        moveSlider(c, FanEditor::Slider::SpeedLevel, kSpeedLevelTop, "0x8113");
}

void turnOff(EditorCall &c)
{
    if (c.record.isTurnOffLed != (c.wParam != 0))
        c.editor.pressTurnOff();
}

void brightness(EditorCall &c)
{
    qCDebug(lcApp) << "isShow1:" << c.wParam;
    qCDebug(lcApp) << "isShow2:" << c.fan;
    moveSlider(c, FanEditor::Slider::Brightness, kBrightnessTop, "0x8117");
}

void colour(EditorCall &c)
{
    // Packed like a Windows COLORREF: red in the lowest byte. The word is
    // taken unsigned, so that any value shifts without a sign.
    const quint32 colour = static_cast<quint32>(c.wParam);
    const int r = static_cast<int>(colour & 0xFFu);
    const int g = static_cast<int>((colour >> 8) & 0xFFu);
    const int b = static_cast<int>((colour >> 16) & 0xFFu);
    for (int led = 0; led < kLedCount; ++led) {
        if (!c.editor.isLedSelected(led))
            continue;
        c.record.rValue_Led[led] = r;
        c.record.gValue_Led[led] = g;
        c.record.bValue_Led[led] = b;
    }
    resendFanLight(c.encoders, c.box, c.fan);
}

void selectLeds(EditorCall &c)
{
    if (c.wParam < 0 || c.wParam > 0xFFF) {
        qCWarning(lcApp) << "0x8120 refused: an LED mask has 12 bits, not" << c.wParam;
        return;
    }
    const QString digits = QStringLiteral("%1").arg(c.wParam, 12, 2, QLatin1Char('0'));
    for (int led = 0; led < kLedCount; ++led)
        c.editor.selectLed(led, digits.at(led) == QLatin1Char('1'));
}

void stepLightMode(EditorCall &c)
{
    c.editor.stepLightMode(c.wParam != 0);
}

void chooseLightMode(EditorCall &c)
{
    if (LightMode::isValid(c.wParam))
        c.editor.chooseLightMode(c.wParam);
    else
        qCWarning(lcApp) << "0x8122 refused: no light mode" << c.wParam;
}

void stepColorMode(EditorCall &c)
{
    c.editor.stepColorMode(c.wParam != 0);
}

void chooseColorMode(EditorCall &c)
{
    if (c.wParam >= 0 && c.wParam < ColorMode::Count)
        c.editor.chooseColorMode(c.wParam);
    else
        qCWarning(lcApp) << "0x8124 refused: no colour mode" << c.wParam;
}

void stepLightSpeed(EditorCall &c)
{
    c.editor.stepLightSpeed(c.wParam != 0);
}

void chooseLightSpeed(EditorCall &c)
{
    if (c.wParam >= 0 && c.wParam < LightSpeed::Count)
        c.editor.chooseLightSpeed(c.wParam);
    else
        qCWarning(lcApp) << "0x8126 refused: no light speed" << c.wParam;
}

const Command<EditorCall> kEditorCommands[] = {
    {0x8108, monitor},         {0x8109, performance},    {0x8110, silent},
    {0x8111, pwm},             {0x8112, speedPercent},   {0x8113, speedLevel},
    {0x8115, turnOff},         {0x8117, brightness},     {0x8118, colour},
    {0x8120, selectLeds},      {0x8121, stepLightMode},  {0x8122, chooseLightMode},
    {0x8123, stepColorMode},   {0x8124, chooseColorMode}, {0x8125, stepLightSpeed},
    {0x8126, chooseLightSpeed},
};

} // namespace

WindowMessages::WindowMessages(AppState &state, Encoders &encoders, AppHost &app, ViewMessageHandler &messages,
                               WindowMessageHost &host)
    : m_state(state)
    , m_encoders(encoders)
    , m_boxes(encoders.boxes())
    , m_app(app)
    , m_messages(messages)
    , m_host(host)
{
}

QString WindowMessages::passwordText(int value)
{
    if (value < 0 || value > 9999)
        return QString();
    return QStringLiteral("%1").arg(value, 4, 10, QLatin1Char('0'));
}

bool WindowMessages::handle(int id, int wParam, int lParam)
{
    if (const auto *command = findCommand(kWindowCommands, id)) {
        WindowCall call{m_state, m_boxes, m_app, m_messages, m_host, m_host.mainView(), wParam};
        command->run(call);
        m_messages.syncView();
        return true;
    }
    const auto *command = findCommand(kEditorCommands, id);
    if (!command)
        return false;
    const int box = m_boxes.currentBox();
    const int fan = lParam;
    MainViewInterface *view = m_host.mainView();
    FanEditor *editor = view ? view->fanEditor(fan) : nullptr;
    if (!isValidBox(box) || !isValidRainbowFan(fan) || !editor) {
        qCWarning(lcApp) << "window message" << QString::number(id, 16) << "refused: no fan editor" << fan;
        return true;
    }
    EditorCall call{m_encoders, box, fan, wParam, m_boxes[box].rainbowFan[fan], *editor, m_messages};
    command->run(call);
    m_messages.syncView();
    return true;
}
