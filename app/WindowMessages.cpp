#include "WindowMessages.h"

#include "AppState.h"
#include "FanViewRefresh.h"
#include "ViewMessageHandler.h"
#include "device/BoxTable.h"
#include "lighting/LightModes.h"
#include "storage/IniHelper.h"
#include "ui/MainViewInterface.h"

#include <QDebug>

WindowMessages::WindowMessages(AppState &state, AppHost &app, ViewMessageHandler &messages,
                               WindowMessageHost &host)
    : m_state(state)
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
        qDebug() << "8101:" << wParam;
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
        qDebug() << "isShow1:" << wParam;
        if (wParam != 0)
            m_host.closeApplicationWindow();
        return true;
    case 0x8106:
        qDebug() << "isShow1:" << wParam;
        if (!isValidBox(wParam)) {
            qWarning() << "0x8106 refused: no box" << wParam;
            return true;
        }
        m_messages.changeBox(wParam);
        if (boxArray[wParam].gIsConnected && view)
            view->checkBoxButton(wParam);
        return true;
    case 0x8107: {
        const int profile = wParam + 1;
        const int box = controllerBoxNumber;
        if (!IniHelper::isValidProfileNumber(profile) || !isValidBox(box)) {
            qWarning() << "0x8107 refused: no profile" << profile;
            return true;
        }
        m_state.currentProfile = profile;
        IniHelper::parseProfile(box, IniHelper::readProfileIni(profile));
        if (view) {
            view->checkProfileButton(profile);
            view->setProfileLabel(profile);
        }
        for (int k = 0; k < kRainbowFanCount; ++k)
            showRainbowFan(view, box, k);
        applyBoxSettings(box, m_app.lightingTimers());
        return true;
    }
    case 0x8119:
        m_messages.saveProfile();
        return true;
    case 0x2333:
        qDebug() << "0x23330x2333";
        return true;
    default:
        return handleEditorMessage(id, wParam, lParam);
    }
}

bool WindowMessages::handleEditorMessage(int, int, int)
{
    return false;
}
