#include "common/Logging.h"

// The main view's own messages: box, profile, language and settings.
#include "ViewMessageHandler.h"

#include "AppState.h"
#include "ViewMessages.h"
#include "device/BoxTable.h"
#include "ui/MainViewInterface.h"

#include <QDebug>

namespace {

// A password is what the keypad can type: digits only.
bool isPasswordText(const QString &text)
{
    if (text.isEmpty() || text.size() > 16)
        return false;
    for (const QChar c : text) {
        if (!c.isDigit() || c.unicode() > '9')
            return false;
    }
    return true;
}

} // namespace

bool ViewMessageHandler::handleSettingsCommand(const ViewMessage &m)
{
    const QString name = m.name();
    if (name == QLatin1String("saveDevice")) {
        qCDebug(lcApp) << name;
        if (!checkLength(m, 3))
            return true;
        if (!isPasswordText(m.textAt(2))) {
            qWarning() << "saveDevice refused: a password is digits only (" << m.textAt(2).size() << "characters given)";
            return true;
        }
        m_state.settings.Password = m.textAt(2);
        writeDeviceProfile();
        m_host.passwordChanged();
    } else if (name == QLatin1String("Password")) {
        qCDebug(lcApp) << name;
        if (!checkLength(m, 2))
            return true;
        m_state.settings.OpenPassword = m.flagAt(1);
        writeDeviceProfile();
        m_host.passwordChanged();
    } else if (name == QLatin1String("AutoUpdate")) {
        qCDebug(lcApp) << name;
        if (!checkLength(m, 2))
            return true;
        m_state.settings.isStartAutoUpdate = m.flagAt(1);
        writeDeviceProfile();
    } else if (name == QLatin1String("changeControllerBox")) {
        qCDebug(lcApp) << "changeControllerBox:" << m.target();
        if (!checkLength(m, 2))
            return true;
        changeBox(m.target());
    } else if (name == QLatin1String("saveProfile")) {
        saveProfile();
    } else if (name == QLatin1String("changeLanguage")) {
        qCDebug(lcApp) << name;
        if (!checkLength(m, 2))
            return true;
        const int index = m.target();
        m_state.settings.languageIndex = index;
        m_host.loadLanguage(index); // loads nothing outside 0..6
        writeDeviceProfile();
        if (MainViewInterface *view = m_host.mainView())
            view->resetLanguage(index);
    } else if (name == QLatin1String("selectProfile")) {
        if (!checkLength(m, 2))
            return true;
        const int profile = m.target() + 1;
        qCDebug(lcApp) << "selectProfile_" << profile;
        if (profile < 1 || profile > 5) {
            qWarning() << "selectProfile refused: no profile" << profile;
            return true;
        }
        selectProfile(profile);
    } else if (name == QLatin1String("showInfo")) {
        qCDebug(lcApp) << name;
        m_host.showSensorInfo();
    } else {
        return false;
    }
    return true;
}
