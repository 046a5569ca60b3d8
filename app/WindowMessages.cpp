#include "WindowMessages.h"

#include "AppState.h"
#include "common/Logging.h"
#include "device/BoxModel.h"
#include "lighting/LightModes.h"
#include "storage/IniHelper.h"
#include "ui/MainViewInterface.h"
#include "ui/RainbowFan.h"
#include "ViewMessageHandler.h"

#include <QAbstractButton>
#include <algorithm>
#include <iterator>
#include <QSlider>

#include <QDebug>

WindowMessages::WindowMessages(AppState &state, BoxModel &boxes, AppHost &app, ViewMessageHandler &messages,
                               WindowMessageHost &host)
    : m_state(state)
    , m_boxes(boxes)
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
    MainViewInterface *view = m_app.mainView();
    switch (id) {
    case kDeviceChange:
        m_host.deviceChanged();
        return true;
    case kClose:
        m_host.hideApplicationWindow();
        return true;
    case 0x8101:
        qCDebug(lcApp) << "8101:" << wParam;
        if (view) {
            if (wParam != 0) {
                if (view->isViewHidden())
                    view->showView();
            } else {
                view->hideView();
            }
        }
        return true;
    case 0x8102:
        m_state.settings.isStartAutoUpdate = wParam != 0;
        if (view)
            view->setAutoUpdate(m_state.settings.isStartAutoUpdate);
        m_messages.writeDeviceProfile();
        return true;
    case 0x8103:
        m_state.settings.OpenPassword = wParam != 0;
        if (view)
            view->setPasswordEnabled(m_state.settings.OpenPassword);
        m_messages.writeDeviceProfile();
        m_app.passwordChanged();
        return true;
    case 0x8104: {
        const QString text = passwordText(wParam);
        if (text.isEmpty()) {
            qWarning() << "0x8104 refused: a password is 0..9999, not" << wParam;
            return true;
        }
        m_state.settings.OpenPassword = wParam != 0;
        m_state.settings.Password = text;
        if (view) {
            view->setPassword(text);
            view->setPasswordEnabled(m_state.settings.OpenPassword);
        }
        m_messages.writeDeviceProfile();
        m_app.passwordChanged();
        return true;
    }
    case 0x8105:
        qCDebug(lcApp) << "isShow1:" << wParam;
        if (wParam != 0)
            m_host.closeApplicationWindow();
        return true;
    case 0x8106:
        qCDebug(lcApp) << "isShow1:" << wParam;
        if (!isValidBox(wParam)) {
            qWarning() << "0x8106 refused: no box" << wParam;
            return true;
        }
        m_messages.changeBox(wParam);
        if (m_boxes[wParam].gIsConnected && view)
            view->checkBoxButton(wParam);
        return true;
    case 0x8107:
        // A profile index 0..4; checked before the +1 so that no value can overflow.
        if (wParam < 0 || wParam >= kProfileCount) {
            qWarning() << "0x8107 refused: no profile index" << wParam;
            return true;
        }
        // Always the 12-LED kind of profile, whatever the current box is.
        m_messages.selectProfile(wParam + 1, ViewMessageHandler::ProfileKind::RgbFans);
        return true;
    case 0x8119:
        m_messages.saveProfile();
        return true;
    case 0x2333:
        qCDebug(lcApp) << "0x23330x2333";
        return true;
    default:
        return handleEditorMessage(id, wParam, lParam);
    }
}

namespace {

bool isEditorMessage(int id)
{
    static const int ids[] = {0x8108, 0x8109, 0x8110, 0x8111, 0x8112, 0x8113, 0x8115, 0x8117, 0x8118,
                              0x8120, 0x8121, 0x8122, 0x8123, 0x8124, 0x8125, 0x8126};
    return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

// Moves a slider as the user would, so that it sends its own message.
void moveSlider(QSlider *slider, int value, const char *what)
{
    if (!slider)
        return;
    if (value < slider->minimum() || value > slider->maximum()) {
        qWarning() << what << "refused: value" << value << "outside" << slider->minimum() << "-" << slider->maximum();
        return;
    }
    slider->setValue(value);
}

} // namespace

bool WindowMessages::handleEditorMessage(int id, int wParam, int lParam)
{
    if (!isEditorMessage(id))
        return false;
    const int box = m_boxes.currentBox();
    const int fan = lParam;
    MainViewInterface *view = m_app.mainView();
    RainbowFan *editor = view ? view->fanPanel(fan) : nullptr;
    if (!isValidBox(box) || !isValidRainbowFan(fan) || !editor) {
        qWarning() << "window message" << QString::number(id, 16) << "refused: no fan editor" << fan;
        return true;
    }
    RainbowFanRecord &record = m_boxes[box].rainbowFan[fan];
    switch (id) {
    case 0x8108:
        record.isMonitor = wParam != 0;
        view->setMonitorByFan(fan, record.isMonitor);
        view->resetFanView(fan);
        m_messages.writeDeviceProfile();
        break;
    case 0x8109:
        qCDebug(lcApp) << "btn_performance";
        editor->pushPerformance();
        break;
    case 0x8110:
        qCDebug(lcApp) << "pushSilent()";
        editor->pushSilent();
        break;
    case 0x8111:
        if (record.isPWM != (wParam != 0)) {
            if (QAbstractButton *pwm = editor->pwmButton())
                pwm->setChecked(wParam != 0);
            editor->pushPWM();
        }
        break;
    case 0x8112:
        if (record.isPWM)
            moveSlider(editor->fanSpeedPerSlider(), wParam, "0x8112");
        break;
    case 0x8113:
        if (!record.isPWM)
            moveSlider(editor->fanSpeedNumSlider(), wParam, "0x8113");
        break;
    case 0x8115:
        if (record.isTurnOffLed != (wParam != 0))
            editor->pushTurnOff();
        break;
    case 0x8117:
        qCDebug(lcApp) << "isShow1:" << wParam;
        qCDebug(lcApp) << "isShow2:" << fan;
        moveSlider(editor->brightnessSlider(), wParam, "0x8117");
        break;
    case 0x8118: {
        // Packed like a Windows COLORREF: red in the lowest byte. The word is
        // taken unsigned, so that any value shifts without a sign.
        const quint32 colour = static_cast<quint32>(wParam);
        const int r = static_cast<int>(colour & 0xFFu);
        const int g = static_cast<int>((colour >> 8) & 0xFFu);
        const int b = static_cast<int>((colour >> 16) & 0xFFu);
        for (int led = 0; led < kLedCount; ++led) {
            if (!editor->isLedChecked(led))
                continue;
            record.rValue_Led[led] = r;
            record.gValue_Led[led] = g;
            record.bValue_Led[led] = b;
        }
        view->setRGBByFan(fan, record.rValue_Led, record.gValue_Led, record.bValue_Led, record.brightValue);
        resendFanLight(m_boxes, box, fan);
        break;
    }
    case 0x8120: {
        if (wParam < 0 || wParam > 0xFFF) {
            qWarning() << "0x8120 refused: an LED mask has 12 bits, not" << wParam;
            break;
        }
        const QString digits = QStringLiteral("%1").arg(wParam, 12, 2, QLatin1Char('0'));
        for (int led = 0; led < kLedCount; ++led)
            editor->setLedChecked(led, digits.at(led) == QLatin1Char('1'));
        break;
    }
    case 0x8121:
        wParam != 0 ? editor->lightModeRight() : editor->lightModeLeft();
        break;
    case 0x8122:
        if (LightMode::isValid(wParam))
            editor->applyLightModeValue(wParam);
        else
            qWarning() << "0x8122 refused: no light mode" << wParam;
        break;
    case 0x8123:
        wParam != 0 ? editor->colorModeRight() : editor->colorModeLeft();
        break;
    case 0x8124:
        if (wParam >= 0 && wParam < ColorMode::Count)
            editor->applyColorModeValue(wParam);
        else
            qWarning() << "0x8124 refused: no colour mode" << wParam;
        break;
    case 0x8125:
        wParam != 0 ? editor->lightSpeedRight() : editor->lightSpeedLeft();
        break;
    case 0x8126:
        if (wParam >= 0 && wParam < LightSpeed::Count)
            editor->applyLightSpeedValue(wParam);
        else
            qWarning() << "0x8126 refused: no light speed" << wParam;
        break;
    default:
        break;
    }
    return true;
}
