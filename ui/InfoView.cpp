// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/InfoView.h"

#include "common/Logging.h"

#include <QCloseEvent>
#include <QDebug>
#include <QKeyEvent>
#include <QTextEdit>

InfoView::InfoView(QWidget *parent)
    : QWidget(parent)
{
    // A window of its own even when a view owns it.
    if (parent)
        setWindowFlags(windowFlags() | Qt::Window);
    setObjectName(QStringLiteral("InfoView"));
    setWindowTitle(tr("Sensors"));
    setGeometry(100, 100, 500, 500);
    setFixedSize(500, 500);
    // The program's dark look, not a plain white window.
    setStyleSheet(QStringLiteral("InfoView{background-color:#111820;}"
                                 "QTextEdit{background-color:#18222d; color:#d8e4f0; border:1px solid #2c3a48;"
                                 " border-radius:6px; font-size:13px; padding:6px;}"));
    setAttribute(Qt::WA_StyledBackground);
    m_textEdit = new QTextEdit(this);
    m_textEdit->setGeometry(10, 10, 480, 480);
    m_textEdit->setReadOnly(true);
    m_textEdit->setAccessibleName(tr("Sensors"));
    hide();
}

void InfoView::appendLine(const QString &line)
{
    m_textEdit->append(plainLine(line));
}

QString InfoView::plainLine(const QString &line)
{
    // The plug-in names each reading by the call that read it
    // ("HWi32_GetTemperature:Core 0 = 45"); a reader wants "Temperature · Core 0: 45 °C".
    static const struct {
        const char *call;
        const char *kind;
        const char *unit;
    } kinds[] = {
        {"HWi32_GetTemperature", QT_TR_NOOP("Temperature"), " \u00b0C"},
        {"HWi32_GetVoltage", QT_TR_NOOP("Voltage"), " V"},
        {"HWi32_GetFan", QT_TR_NOOP("Fan"), " RPM"},
        {"HWi32_GetCurrent", QT_TR_NOOP("Current"), " A"},
        {"HWi32_GetPower", QT_TR_NOOP("Power"), " W"},
        {"HWi32_GetClock", QT_TR_NOOP("Clock"), " MHz"},
        {"HWi32_GetUsage", QT_TR_NOOP("Usage"), " %"},
    };
    for (const auto &k : kinds) {
        const QString prefix = QLatin1String(k.call) + QLatin1Char(':');
        if (!line.startsWith(prefix))
            continue;
        const QString rest = line.mid(prefix.size());
        const int split = rest.lastIndexOf(QStringLiteral(" = "));
        if (split < 0)
            break;
        return tr(k.kind) + QStringLiteral(" \u00b7 ") + rest.left(split) + QStringLiteral(": ") + rest.mid(split + 3)
            + QString::fromUtf8(k.unit);
    }
    return line;
}

bool InfoView::handleWindowMessage(unsigned int msgType)
{
    qCDebug(lcUi) << "InfoView----Recv Event msgType:" << msgType;
    if (msgType == kWmDeviceChange) {
        qCDebug(lcUi) << "InfoView--WM_DEVICECHANGE";
        return true;
    }
    if (msgType == kWmClose) {
        qCDebug(lcUi) << "InfoView--WM_CLOSE";
        hide();
        return true;
    }
    return false;
}

void InfoView::closeEvent(QCloseEvent *event)
{
    qCDebug(lcUi) << "InfoView--close:" << "hidden";
    event->ignore();
    hide();
}

void InfoView::keyPressEvent(QKeyEvent *event)
{
    // Esc puts the window away, as its close button does.
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}
